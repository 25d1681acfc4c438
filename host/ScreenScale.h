#pragma once

#include "platform/core/PlatformTypes.h"

namespace calyra {

// Layout sizes scaled to the screen's resolution, per axis, read once when the component starts.
class ScreenScale {
 public:
  // Reads the screen's pixels per logical inch.
  void Measure();
  int X(int size) const { return (size * dpiX_ + 48) / 96; }
  int Y(int size) const { return (size * dpiY_ + 48) / 96; }
  // Minus one scaled pixel: where the tab strip starts so that its left border is off screen.
  int NegativeOnePixel() const { return -((dpiX_ + 48) / 96); }
  int DpiX() const { return dpiX_; }
  int DpiY() const { return dpiY_; }
  bool Measured() const { return measured_; }

 private:
  int dpiX_ = 96;
  int dpiY_ = 96;
  bool measured_ = false;
};

}  // namespace calyra
