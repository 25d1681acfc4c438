#pragma once

#include <optional>

#include "platform/gdi/Gdi.h"
#include "platform/ui/WindowTypes.h"

namespace calyra {

// What the person picked: a colour, or no colour.
struct ColourChoice {
  std::optional<COLORREF> colour;
};

// The colour picker: a popup menu of "No colour" and eight colours over `owner`, the current one
// checked. Nothing when the person dismissed it.
std::optional<ColourChoice> PickCategoryColour(HWND owner, HINSTANCE resources,
                                               std::optional<COLORREF> current);

// The picker's colours (0x00BBGGRR), in menu order after "No colour".
inline constexpr COLORREF kPickerColours[] = {0x0000FF, 0x0080FF, 0x00E0FF, 0x00A000,
                                              0xFF0000, 0x800080, 0x808080, 0x000000};

}  // namespace calyra
