// Text drawn into pixels: each character's glyph in the cell the text measure gives it.
#include <algorithm>

#include "platform/core/LastError.h"
#include "platform/gdi/Glyphs.h"
#include "platform/gdi/TextMeasure.h"
#include "platform/text/Text.h"

namespace platform::gdi {

namespace {

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

void Fill(const Canvas& canvas, const RECT& area, uint32_t pixel) {
  for (LONG y = area.top; y < area.bottom; ++y) {
    for (LONG x = area.left; x < area.right; ++x) canvas.Put(x, y, pixel);
  }
}

}  // namespace

void DrawTextLine(HDC dc, int x, int y, std::u16string_view text, const RECT* clip, bool expandTabs) {
  Canvas canvas = CanvasOf(dc);
  auto context = DcOf(dc);
  if (!canvas.bitmap || !context) return;
  COLORREF textColour = 0, background = 0;
  int mode = OPAQUE;
  {
    std::lock_guard guard(context->lock);
    textColour = context->textColor;
    background = context->bkColor;
    mode = context->bkMode;
  }
  LOGFONTW font = EffectiveFont(dc);
  FontMeasure measure = MeasureOf(font);
  RECT limit = clip ? *clip : RECT{-(1 << 20), -(1 << 20), 1 << 20, 1 << 20};
  LONG width = TextWidth(measure, text, expandTabs);
  if (mode == OPAQUE)
    Fill(canvas, Intersect(limit, RECT{x, y, x + width, y + measure.height}), ToPixel(background));
  uint32_t ink = ToPixel(textColour);
  bool bold = measure.bold != 0;
  LONG left = x;
  for (size_t i = 0; i < text.size();) {
    size_t units = 1;
    if (expandTabs && text[i] == u'\t') {
      LONG stop = measure.narrow * 8;
      left = x + ((left - x) / stop + 1) * stop;
      ++i;
      continue;
    }
    LONG cell = CharWidth(measure, text, i, &units);
    char32_t c = CharAt(text, i, &units);
    if (cell > 0) DrawGlyph(canvas, limit, c, left, y, cell, measure.height, bold, ink);
    left += cell;
    i += units;
  }
  if (font.lfUnderline) {
    LONG line = y + measure.height - measure.height / 5;
    Fill(canvas, Intersect(limit, RECT{x, line, x + width, line + 1}), ink);
  }
}

}  // namespace platform::gdi

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count, const int*) {
  if (!platform::gdi::DcOf(dc)) return FALSE;
  if ((text == nullptr && count != 0) || ((options & (ETO_OPAQUE | ETO_CLIPPED)) && rect == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (options & ETO_OPAQUE) {
    platform::gdi::Canvas canvas = platform::gdi::CanvasOf(dc);
    platform::gdi::Fill(canvas, *rect, platform::gdi::ToPixel(GetBkColor(dc)));
  }
  std::u16string_view view(text ? text : u"", text ? count : 0);
  platform::gdi::DrawTextLine(dc, x, y, view, (options & ETO_CLIPPED) ? rect : nullptr, false);
  return TRUE;
}

BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
  if (count < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (rect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (rect->right <= rect->left || rect->bottom <= rect->top) return TRUE;
  RECT sides[4] = {{rect->left, rect->top, rect->right, rect->top + 1},
                   {rect->left, rect->bottom - 1, rect->right, rect->bottom},
                   {rect->left, rect->top, rect->left + 1, rect->bottom},
                   {rect->right - 1, rect->top, rect->right, rect->bottom}};
  for (const RECT& side : sides) {
    if (!FillRect(dc, &side, brush)) return FALSE;
  }
  return TRUE;
}
