#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/core/PlatformTypes.h"

namespace calyra {

// The text of one to three contact fields joined by spaces, as the preview shows it in a column
// `width` pixels wide in `font` (measured by the platform's text measure, platform::MeasureText; a
// null font is the system font). Text that fits is returned whole; text that does not is cut at the
// last character after which it still fits with "..." added, which gives the forms "%s...",
// "%s %s..." and "%s %s %s..." by how many of the parts are shown. A surrogate pair is never split;
// a column too narrow even for "..." gets "..." alone.
std::u16string PreviewText(HFONT font, int width, std::initializer_list<std::u16string_view> parts);

}  // namespace calyra
