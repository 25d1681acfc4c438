#pragma once

// The fixed text measure shared by the measuring calls and the text drawing: what a character of a
// font takes, so that what a layout cut or wrapped is what is drawn.

#include <string_view>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace platform::gdi {

struct FontMeasure {
  LONG height;
  LONG narrow;
  LONG wide;
  LONG bold;  // added to every character that takes room
};

FontMeasure MeasureOf(const LOGFONTW& font);
bool IsWide(char32_t c);
bool IsZeroWidth(char32_t c);
// The character starting at text[i] (a surrogate pair is one); `units` receives its code units.
char32_t CharAt(std::u16string_view text, size_t i, size_t* units);
// The width of the character starting at text[i]; `units` receives its length in code units.
LONG CharWidth(const FontMeasure& measure, std::u16string_view text, size_t i, size_t* units);
// The width of a line; tabs expand to stops of eight narrow cells when asked.
LONG TextWidth(const FontMeasure& measure, std::u16string_view text, bool expandTabs = false);

// Draws one line of text with its top-left corner at (x, y) in the DC's font and text colour, over a
// background of the DC's colour when its mode is OPAQUE; nothing outside `clip` (when given).
void DrawTextLine(HDC dc, int x, int y, std::u16string_view text, const RECT* clip, bool expandTabs);

}  // namespace platform::gdi
