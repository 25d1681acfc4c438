#pragma once

#include <array>
#include <string>

#include "platform/core/PlatformTypes.h"
#include "platform/gdi/Gdi.h"

namespace calyra {

// The display fonts of the component, made on first use by point size (5-12) and style (0-9) with
// the face name and ClearType choice of the display options.
class FontCache {
 public:
  static constexpr int kSmallest = 5;
  static constexpr int kLargest = 12;
  static constexpr int kStyles = 10;
  static constexpr int kBold = 1;

  FontCache() = default;
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // Null for a size or style out of range.
  HFONT Get(int size, int style, std::u16string_view faceName, bool clearType, int dpiY);
  // Deletes every font, e.g. when the display options change.
  void Clear();

 private:
  static constexpr size_t kSizes = kLargest - kSmallest + 1;
  std::array<std::array<HFONT, kStyles>, kSizes> fonts_{};
};

}  // namespace calyra
