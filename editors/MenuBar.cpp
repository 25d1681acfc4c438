#include "editors/MenuBar.h"

#include "platform/gdi/Gdi.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/shell/Shell.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

constexpr int kHighDpi = 192;
constexpr int kSmallImage = 16;

int ToolbarImageSize(int dpi) {
  return kSmallImage * (dpi + 3) / 96;
}

}  // namespace

HWND CreateImageMenuBar(HWND parent, HINSTANCE resources, int menu) {
  SHMENUBARINFO info{};
  info.cbSize = sizeof(info);
  info.hwndParent = parent;
  info.nToolBarId = static_cast<UINT>(menu);
  info.hInstRes = resources;
  if (!SHCreateMenuBar(&info) || !info.hwndMB) return nullptr;
  HWND bar = info.hwndMB;
  HDC screen = GetDC(nullptr);
  int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  int bitmap = dpiX >= kHighDpi ? resources::kBitmapToolbarLarge : resources::kBitmapToolbar;
  if (CommandBar_AddBitmap(bar, resources, bitmap, kToolbarImages, ToolbarImageSize(dpiX),
                           ToolbarImageSize(dpiY)) < 0) {
    CommandBar_AddBitmap(bar, resources, resources::kBitmapToolbar, kToolbarImages, kSmallImage, kSmallImage);
  }
  return bar;
}

void SetMenuBarImages(HWND bar, std::span<const MenuBarImage> images) {
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_IMAGE;
  for (const MenuBarImage& button : images) {
    info.iImage = button.image;
    SendMessageW(bar, TB_SETBUTTONINFOW, static_cast<WPARAM>(button.command),
                 reinterpret_cast<LPARAM>(&info));
  }
}

}  // namespace calyra
