#pragma once

#include <cstddef>
#include <span>

#include "CalyraEditorResources.h"

// The tables of the default English resource library, one file each.
namespace calyra::resources {

// Every string the component shows, sorted by number (Strings.cpp).
extern const CalyraResourceString kStrings[];
extern const size_t kStringCount;

// The editor pages (PageDialogs.cpp), the other dialogs (Dialogs.cpp) and the time and date pickers
// (PickerDialogs.cpp).
extern const CalyraResourceDialog kPageDialogs[];
extern const size_t kPageDialogCount;
extern const CalyraResourceDialog kDialogs[];
extern const size_t kDialogCount;
extern const CalyraResourceDialog kPickerDialogs[];
extern const size_t kPickerDialogCount;

// The menu bars and popup menus (Menus.cpp).
extern const CalyraResourceMenu kMenus[];
extern const size_t kMenuCount;

// The bitmaps as BMP files, drawn on the first call (Bitmaps.cpp).
std::span<const CalyraResourceBitmap> Bitmaps();

}  // namespace calyra::resources
