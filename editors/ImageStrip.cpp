#include "editors/ImageStrip.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"

namespace calyra {

namespace {

constexpr COLORREF kImageKeyColour = RGB(0, 255, 0);
constexpr int kHighDpi = 192;
constexpr int kSmallImage = 16;

}  // namespace

HIMAGELIST LoadImageStrip(HINSTANCE resources, int smallBitmap, int largeBitmap, int count) {
  HDC screen = GetDC(nullptr);
  bool large = GetDeviceCaps(screen, LOGPIXELSX) >= kHighDpi;
  ReleaseDC(nullptr, screen);
  int size = large ? kSmallImage * 2 : kSmallImage;
  HBITMAP strip = LoadBitmapW(resources, MAKEINTRESOURCEW(large ? largeBitmap : smallBitmap));
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR | ILC_MASK, count, 0);
  if (strip) {
    if (images) ImageList_AddMasked(images, strip, kImageKeyColour);
    DeleteObject(strip);
  }
  return images;
}

}  // namespace calyra
