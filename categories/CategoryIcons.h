#pragma once

#include <string>
#include <string_view>

#include "platform/gdi/ImageList.h"

// The icon files of categories (and of the special categories, by their keys) in the "Core.Categories"
// folder, and the images the lists show of them.
namespace calyra {

// The side of an icon on this screen: 16 pixels at 96 dpi, scaled.
int CategoryIconSize();

bool HasCategoryIcon(std::u16string_view nameOrKey);
// Gives the category the palette bitmap `source`, after deleting any icon file it had: a copy, or on
// screens of 192 dpi and above the icon drawn at the screen's scale. True when the file is written.
bool AssignCategoryIcon(std::u16string_view nameOrKey, const std::u16string& source);
// Deletes the icon file (read-only or not); true when there is none left.
bool RemoveCategoryIcon(std::u16string_view nameOrKey);
// The icon file goes with a new name; false when it could not be moved.
bool MoveCategoryIcon(std::u16string_view from, std::u16string_view to);

// An image list of icons of CategoryIconSize on white.
HIMAGELIST MakeCategoryImageList();
// Adds the image of a bitmap file to the list; its index, or -1 when the file is missing or no image.
int AddIconImage(HIMAGELIST list, const std::u16string& path);

}  // namespace calyra
