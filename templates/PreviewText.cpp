#include "templates/PreviewText.h"

#include "platform/gdi/Gdi.h"
#include "platform/text/Formatter.h"

namespace calyra {

namespace {

// The cut forms, by how many parts the shown text reaches into.
constexpr const char16_t* kCutFormats[] = {u"%s...", u"%s %s...", u"%s %s %s..."};

bool Fits(HFONT font, int width, std::u16string_view text) {
  return platform::MeasureText(font, text).cx <= width;
}

bool IsTrailSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// The first `length` characters of the joined parts in their cut form: the parts it reaches into
// whole but the last, which is cut.
std::u16string CutForm(std::initializer_list<std::u16string_view> parts, size_t length) {
  std::u16string shown[3];
  size_t count = 0;
  for (std::u16string_view part : parts) {
    if (count == std::size(shown)) break;
    shown[count++] = part.substr(0, length);
    if (length <= part.size()) break;
    length -= std::min(length, part.size() + 1);  // the part and the space after it
  }
  switch (count) {
    case 3:
      return platform::FormatText(kCutFormats[2], {shown[0], shown[1], shown[2]});
    case 2:
      return platform::FormatText(kCutFormats[1], {shown[0], shown[1]});
    default:
      return platform::FormatText(kCutFormats[0], {shown[0]});
  }
}

}  // namespace

std::u16string PreviewText(HFONT font, int width, std::initializer_list<std::u16string_view> parts) {
  std::u16string joined;
  size_t count = 0;
  for (std::u16string_view part : parts) {
    if (count++ == std::size(kCutFormats)) break;
    if (count > 1) joined += u' ';
    joined += part;
  }
  if (Fits(font, width, joined)) return joined;
  // The longest cut that fits, found by halving: a longer start is never narrower.
  size_t low = 0;
  size_t high = joined.size();
  while (low < high) {
    size_t middle = (low + high + 1) / 2;
    if (Fits(font, width, CutForm(parts, middle))) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  while (low > 0 && IsTrailSurrogate(joined[low])) --low;
  return CutForm(parts, low);
}

}  // namespace calyra
