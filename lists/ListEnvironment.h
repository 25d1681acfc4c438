#pragma once

#include <functional>

#include "platform/core/PlatformTypes.h"
#include "platform/gdi/Gdi.h"

namespace calyra::lists {

// What the list takes from the component that shows it: the module its classes are registered
// for, the component's display fonts by point size and style (the fonts stay the component's), and
// the screen's resolution for scaled sizes.
struct ListEnvironment {
  static constexpr int kPlainStyle = 0;
  static constexpr int kBoldStyle = 1;

  HINSTANCE module = nullptr;
  std::function<HFONT(int pointSize, int style)> font;
  int dpiX = 96;
  int dpiY = 96;

  int ScaledX(int size) const { return (size * dpiX + 48) / 96; }
  int ScaledY(int size) const { return (size * dpiY + 48) / 96; }
};

// How a list shows its fields: the font size index (0: the default) and the four colours
// (background, text, labels, selection; see ListConstants.h).
struct ListDisplay {
  int fontSize = 0;
  COLORREF colours[4] = {0xFFFFFF, 0xFF0000, 0x000000, 0xE0E0E0};
};

}  // namespace calyra::lists
