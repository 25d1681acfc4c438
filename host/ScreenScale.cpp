#include "host/ScreenScale.h"

#include "platform/gdi/Gdi.h"

namespace calyra {

void ScreenScale::Measure() {
  HDC screen = GetDC(nullptr);
  dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
  dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  measured_ = true;
}

}  // namespace calyra
