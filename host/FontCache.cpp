#include "host/FontCache.h"

#include "platform/text/Text.h"

namespace calyra {

namespace {

// Below 192 dpi the heights are fixed pixel sizes that read well on the small screens.
constexpr std::array<LONG, FontCache::kLargest - FontCache::kSmallest + 1> kFixedHeights = {9,  11, 12, 13,
                                                                                            15, 16, 17, 18};
constexpr int kHighDpi = 192;

}  // namespace

FontCache::~FontCache() {
  Clear();
}

HFONT FontCache::Get(int size, int style, std::u16string_view faceName, bool clearType, int dpiY) {
  if (size < kSmallest || size > kLargest || style < 0 || style >= kStyles) return nullptr;
  HFONT& font = fonts_[static_cast<size_t>(size - kSmallest)][static_cast<size_t>(style)];
  if (font) return font;
  LOGFONTW description{};
  description.lfHeight =
      dpiY >= kHighDpi ? -(size * dpiY / 72) : kFixedHeights[static_cast<size_t>(size - kSmallest)];
  description.lfWeight = style == kBold ? FW_BOLD : FW_NORMAL;
  if (clearType) description.lfQuality = CLEARTYPE_QUALITY;
  platform::BoundedCopy(description.lfFaceName, LF_FACESIZE, faceName);
  font = CreateFontIndirectW(&description);
  return font;
}

void FontCache::Clear() {
  for (auto& sizes : fonts_) {
    for (HFONT& font : sizes) {
      if (font) DeleteObject(font);
      font = nullptr;
    }
  }
}

}  // namespace calyra
