// Device capabilities and system metrics, answered from the device settings.
#include <optional>
#include <string>

#include "platform/core/LastError.h"
#include "platform/gdi/GdiObjects.h"

namespace {

// A positive whole number setting, or `fallback` when it is missing or not one.
int NumberSetting(const char* name, int fallback) {
  platform::Device* device = platform::CurrentDevice();
  if (device == nullptr) return fallback;
  std::optional<std::u16string> text;
  try {
    text = device->Setting(name);
  } catch (...) {
    return fallback;
  }
  if (!text || text->empty() || text->size() > 6) return fallback;
  int value = 0;
  for (char16_t c : *text) {
    if (c < u'0' || c > u'9') return fallback;
    value = value * 10 + (c - u'0');
  }
  return value > 0 ? value : fallback;
}

// A size given at 96 dpi, scaled to the screen.
int Scaled(int size, int dpi) {
  return MulDiv(size, dpi, 96);
}

}  // namespace

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  int64_t product = static_cast<int64_t>(number) * numerator;
  int64_t half = (denominator < 0 ? -static_cast<int64_t>(denominator) : denominator) / 2;
  bool negative = (product < 0) != (denominator < 0);
  int64_t magnitude = (product < 0 ? -product : product);
  int64_t divisor = denominator < 0 ? -static_cast<int64_t>(denominator) : denominator;
  int64_t result = (magnitude + half) / divisor;
  if (negative) result = -result;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<int>(result);
}

namespace platform {

int ScreenDpiX() {
  return NumberSetting("Screen.DpiX", 96);
}
int ScreenDpiY() {
  return NumberSetting("Screen.DpiY", 96);
}
SIZE ScreenSize() {
  return SIZE{NumberSetting("Screen.Width", 240), NumberSetting("Screen.Height", 320)};
}

}  // namespace platform

int GetDeviceCaps(HDC dc, int index) {
  if (!platform::gdi::DcOf(dc)) return 0;
  switch (index) {
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case HORZRES:
      return platform::ScreenSize().cx;
    case VERTRES:
      return platform::ScreenSize().cy;
    case HORZSIZE:  // millimetres
      return MulDiv(platform::ScreenSize().cx, 254, platform::ScreenDpiX() * 10);
    case VERTSIZE:
      return MulDiv(platform::ScreenSize().cy, 254, platform::ScreenDpiY() * 10);
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return -1;
    case LOGPIXELSX:
      return platform::ScreenDpiX();
    case LOGPIXELSY:
      return platform::ScreenDpiY();
    default:
      return 0;
  }
}

int GetSystemMetrics(int index) {
  int dpiX = platform::ScreenDpiX();
  int dpiY = platform::ScreenDpiY();
  switch (index) {
    case SM_CXSCREEN:
      return platform::ScreenSize().cx;
    case SM_CYSCREEN:
      return platform::ScreenSize().cy;
    case SM_CXVSCROLL:
      return Scaled(13, dpiX);
    case SM_CYHSCROLL:
      return Scaled(13, dpiY);
    case SM_CYCAPTION:
      return Scaled(26, dpiY);
    case SM_CXBORDER:
      return Scaled(1, dpiX);
    case SM_CYBORDER:
      return Scaled(1, dpiY);
    case SM_CXEDGE:
      return Scaled(2, dpiX);
    case SM_CYEDGE:
      return Scaled(2, dpiY);
    case SM_CXICON:
      return Scaled(32, dpiX);
    case SM_CYICON:
      return Scaled(32, dpiY);
    case SM_CXSMICON:
      return Scaled(16, dpiX);
    case SM_CYSMICON:
      return Scaled(16, dpiY);
    default:
      return 0;
  }
}

DWORD GetSysColor(int index) {
  switch (index & ~SYS_COLOR_INDEX_FLAG) {
    case COLOR_SCROLLBAR & ~SYS_COLOR_INDEX_FLAG:
    case COLOR_BTNFACE & ~SYS_COLOR_INDEX_FLAG:
      return RGB(0xD6, 0xD3, 0xCE);
    case COLOR_BACKGROUND & ~SYS_COLOR_INDEX_FLAG:
    case COLOR_ACTIVECAPTION & ~SYS_COLOR_INDEX_FLAG:
    case COLOR_HIGHLIGHT & ~SYS_COLOR_INDEX_FLAG:
      return RGB(0x00, 0x55, 0xC6);
    case COLOR_WINDOW & ~SYS_COLOR_INDEX_FLAG:
    case COLOR_CAPTIONTEXT & ~SYS_COLOR_INDEX_FLAG:
    case COLOR_HIGHLIGHTTEXT & ~SYS_COLOR_INDEX_FLAG:
      return RGB(0xFF, 0xFF, 0xFF);
    case COLOR_WINDOWTEXT & ~SYS_COLOR_INDEX_FLAG:
    case COLOR_BTNTEXT & ~SYS_COLOR_INDEX_FLAG:
      return RGB(0, 0, 0);
    default:
      return 0;
  }
}
