// Fonts and the text measure: every character's width follows from the font's height, width and
// weight by the rule described at platform::MeasureText, so layouts are the same on every host.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/core/LastError.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/TextMeasure.h"
#include "platform/text/Text.h"

namespace {

constexpr LONG kDefaultHeight = 13;

using platform::gdi::CharWidth;
using platform::gdi::FontMeasure;
using platform::gdi::IsWide;
using platform::gdi::MeasureOf;

LONG Width(const FontMeasure& measure, std::u16string_view text, bool expandTabs = false) {
  return platform::gdi::TextWidth(measure, text, expandTabs);
}

bool ReadText(LPCWSTR text, int count, std::u16string_view* view) {
  if (count < -1 || (text == nullptr && count != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  *view = count == -1 ? platform::TextView(text) : std::u16string_view(text, text ? count : 0);
  return true;
}

// Drops the '&' prefix marks ("&&" stands for one '&').
std::u16string WithoutPrefixes(std::u16string_view text) {
  std::u16string result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'&') {
      result += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == u'&') {
      result += u'&';
      ++i;
    }
  }
  return result;
}

std::vector<std::u16string_view> Paragraphs(std::u16string_view text, bool singleLine) {
  std::vector<std::u16string_view> lines;
  if (singleLine) return {text};
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size() || lines.empty()) lines.push_back(text.substr(start));
  return lines;
}

// Wraps a paragraph at spaces (and between wide characters) to `limit`; a word wider than the limit
// stands alone on its line.
void Wrap(const FontMeasure& measure, std::u16string_view text, LONG limit, bool expandTabs,
          std::vector<std::u16string_view>* lines) {
  size_t lineStart = 0;
  size_t lineEnd = 0;  // end of the last word on the line
  size_t i = 0;
  bool hasWord = false;
  while (i < text.size()) {
    // The next word: a run of characters other than spaces, or one wide character.
    size_t wordStart = i;
    while (wordStart < text.size() && text[wordStart] == u' ') ++wordStart;
    if (wordStart == text.size()) break;
    size_t wordEnd = wordStart;
    size_t units = 1;
    bool wide = false;
    CharWidth(measure, text, wordStart, &units);
    char32_t first = text[wordStart];
    if (units == 2) first = 0x10000 + ((first - 0xD800) << 10) + (text[wordStart + 1] - 0xDC00);
    wide = IsWide(first);
    if (wide) {
      wordEnd = wordStart + units;
    } else {
      while (wordEnd < text.size() && text[wordEnd] != u' ') {
        CharWidth(measure, text, wordEnd, &units);
        char32_t c = text[wordEnd];
        if (units == 2) c = 0x10000 + ((c - 0xD800) << 10) + (text[wordEnd + 1] - 0xDC00);
        if (wordEnd > wordStart && IsWide(c)) break;
        wordEnd += units;
      }
    }
    if (hasWord && Width(measure, text.substr(lineStart, wordEnd - lineStart), expandTabs) > limit) {
      lines->push_back(text.substr(lineStart, lineEnd - lineStart));
      lineStart = wordStart;
    }
    if (!hasWord) lineStart = wordStart;
    hasWord = true;
    lineEnd = wordEnd;
    i = wordEnd;
  }
  lines->push_back(hasWord ? text.substr(lineStart, lineEnd - lineStart) : std::u16string_view());
}

// A single line cut to `limit` with "..." at its end.
std::u16string WithEllipsis(const FontMeasure& measure, std::u16string_view line, LONG limit) {
  std::u16string cut(line);
  while (!cut.empty() && Width(measure, cut) + Width(measure, u"...") > limit) cut.pop_back();
  return cut + u"...";
}

// Draws laid-out lines from `top` in the rectangle, aligned as the format says.
void DrawLines(HDC dc, const FontMeasure& measure, const std::vector<std::u16string_view>& lines,
               const RECT& rect, LONG top, UINT format) {
  bool expandTabs = (format & DT_EXPANDTABS) != 0;
  const RECT* clip = (format & DT_NOCLIP) ? nullptr : &rect;
  LONG limit = rect.right - rect.left;
  for (std::u16string_view line : lines) {
    std::u16string shortened;
    if ((format & DT_END_ELLIPSIS) && lines.size() == 1 && Width(measure, line, expandTabs) > limit) {
      shortened = WithEllipsis(measure, line, limit);
      line = shortened;
    }
    LONG width = Width(measure, line, expandTabs);
    LONG left = rect.left;
    if (format & DT_CENTER) left += (limit - width) / 2;
    if (format & DT_RIGHT) left = rect.right - width;
    platform::gdi::DrawTextLine(dc, left, top, line, clip, expandTabs);
    top += measure.height;
  }
}

}  // namespace

namespace platform {

namespace gdi {

FontMeasure MeasureOf(const LOGFONTW& font) {
  FontMeasure measure{};
  measure.height = font.lfHeight == 0 ? kDefaultHeight : std::abs(font.lfHeight);
  measure.narrow = font.lfWidth != 0 ? std::abs(font.lfWidth) : (measure.height + 1) / 2;
  measure.wide = measure.height;
  measure.bold = font.lfWeight >= FW_SEMIBOLD ? 1 : 0;
  return measure;
}

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
         (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
         (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsZeroWidth(char32_t c) {
  return c < 0x20 || c == 0x7F || (c >= 0x0300 && c <= 0x036F) || (c >= 0x200B && c <= 0x200F) ||
         (c >= 0x20D0 && c <= 0x20FF) || c == 0xFEFF;
}

char32_t CharAt(std::u16string_view text, size_t i, size_t* units) {
  char32_t c = text[i];
  *units = 1;
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
    c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
    *units = 2;
  }
  return c;
}

LONG CharWidth(const FontMeasure& measure, std::u16string_view text, size_t i, size_t* units) {
  char32_t c = CharAt(text, i, units);
  if (IsZeroWidth(c)) return 0;
  return (IsWide(c) ? measure.wide : measure.narrow) + measure.bold;
}

LONG TextWidth(const FontMeasure& measure, std::u16string_view text, bool expandTabs) {
  LONG width = 0;
  for (size_t i = 0; i < text.size();) {
    size_t units = 1;
    if (expandTabs && text[i] == u'\t') {
      LONG stop = measure.narrow * 8;
      width = (width / stop + 1) * stop;
    } else {
      width += CharWidth(measure, text, i, &units);
    }
    i += units;
  }
  return width;
}

LOGFONTW LogFontOf(const FontObject& font) {
  if (font.stockIndex < 0) return font.font;
  LOGFONTW result{};
  int size = font.stockIndex == DEFAULT_GUI_FONT ? 11 : kDefaultHeight;
  result.lfHeight = -MulDiv(size, ScreenDpiY(), 96);
  result.lfWeight = FW_NORMAL;
  result.lfCharSet = DEFAULT_CHARSET;
  result.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  BoundedCopy(result.lfFaceName, LF_FACESIZE, u"Tahoma");
  return result;
}

}  // namespace gdi

SIZE MeasureText(HFONT font, std::u16string_view text) {
  std::shared_ptr<gdi::FontObject> object;
  if (font) object = System::Current().Handles().Get<gdi::FontObject>(font);
  if (!object) object = System::Current().Handles().Get<gdi::FontObject>(gdi::Stock(SYSTEM_FONT));
  LOGFONTW logFont = object ? gdi::LogFontOf(*object) : LOGFONTW{};
  FontMeasure measure = MeasureOf(logFont);
  return SIZE{Width(measure, text), measure.height};
}

}  // namespace platform

using platform::gdi::EffectiveFont;

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  if (font == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto object = std::make_shared<platform::gdi::FontObject>();
  object->font = *font;
  std::u16string_view face = platform::TextView(font->lfFaceName, LF_FACESIZE);
  std::fill(std::begin(object->font.lfFaceName), std::end(object->font.lfFaceName), u'\0');
  platform::BoundedCopy(object->font.lfFaceName, LF_FACESIZE, face);
  return static_cast<HFONT>(platform::System::Current().Handles().Add(std::move(object)));
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
  std::u16string_view view;
  if (!platform::gdi::DcOf(dc) || size == nullptr || count < 0 || !ReadText(text, count, &view)) {
    if (size == nullptr || count < 0) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  FontMeasure measure = MeasureOf(EffectiveFont(dc));
  *size = SIZE{Width(measure, view), measure.height};
  return TRUE;
}

BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit, int* dx, SIZE* size) {
  std::u16string_view view;
  if (!platform::gdi::DcOf(dc) || size == nullptr || count < 0 || !ReadText(text, count, &view)) {
    if (size == nullptr || count < 0) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  FontMeasure measure = MeasureOf(EffectiveFont(dc));
  LONG width = 0;
  int fitting = 0;
  bool fits = true;
  for (size_t i = 0; i < view.size();) {
    size_t units = 1;
    width += CharWidth(measure, view, i, &units);
    for (size_t k = 0; k < units; ++k) {
      if (dx) dx[i + k] = width;
    }
    if (fits && (maxExtent < 0 || width <= maxExtent)) {
      fitting += static_cast<int>(units);
    } else {
      fits = false;
    }
    i += units;
  }
  if (fit) *fit = fitting;
  *size = SIZE{width, measure.height};
  return TRUE;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
  if (!platform::gdi::DcOf(dc)) return FALSE;
  if (metrics == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  LOGFONTW font = EffectiveFont(dc);
  FontMeasure measure = MeasureOf(font);
  TEXTMETRICW result{};
  result.tmHeight = measure.height;
  result.tmDescent = measure.height / 5;
  result.tmAscent = measure.height - result.tmDescent;
  result.tmAveCharWidth = measure.narrow + measure.bold;
  result.tmMaxCharWidth = measure.wide + measure.bold;
  result.tmWeight = font.lfWeight == FW_DONTCARE ? FW_NORMAL : font.lfWeight;
  result.tmOverhang = 0;
  result.tmDigitizedAspectX = platform::ScreenDpiX();
  result.tmDigitizedAspectY = platform::ScreenDpiY();
  result.tmFirstChar = 0x20;
  result.tmLastChar = 0xFFFC;
  result.tmDefaultChar = 0x1F;
  result.tmBreakChar = 0x20;
  result.tmItalic = font.lfItalic;
  result.tmUnderlined = font.lfUnderline;
  result.tmStruckOut = font.lfStrikeOut;
  result.tmPitchAndFamily = font.lfPitchAndFamily;
  result.tmCharSet = font.lfCharSet;
  *metrics = result;
  return TRUE;
}

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  std::u16string_view view;
  if (!platform::gdi::DcOf(dc)) return 0;
  if (rect == nullptr || !ReadText(text, count, &view)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string shown = (format & DT_NOPREFIX) ? std::u16string(view) : WithoutPrefixes(view);
  FontMeasure measure = MeasureOf(EffectiveFont(dc));
  bool expandTabs = (format & DT_EXPANDTABS) != 0;
  bool singleLine = (format & DT_SINGLELINE) != 0;
  std::vector<std::u16string_view> lines;
  for (std::u16string_view paragraph : Paragraphs(shown, singleLine)) {
    if ((format & DT_WORDBREAK) && !singleLine) {
      Wrap(measure, paragraph, rect->right - rect->left, expandTabs, &lines);
    } else {
      lines.push_back(paragraph);
    }
  }
  LONG width = 0;
  for (std::u16string_view line : lines) width = std::max(width, Width(measure, line, expandTabs));
  LONG height = static_cast<LONG>(lines.size()) * measure.height;
  if (format & DT_CALCRECT) {
    rect->right = rect->left + width;
    rect->bottom = rect->top + height;
    return height;
  }
  LONG available = rect->bottom - rect->top;
  LONG top = rect->top;
  if (singleLine && (format & DT_VCENTER)) top += (available - height) / 2;
  if (singleLine && (format & DT_BOTTOM)) top = rect->bottom - height;
  DrawLines(dc, measure, lines, *rect, top, format);
  if (singleLine && (format & DT_VCENTER)) return (available - height) / 2 + height;
  if (singleLine && (format & DT_BOTTOM)) return available;
  return height;
}
