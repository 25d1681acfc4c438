// Bitmaps, DIB sections, brushes, icons and single pixels.
#include <cstring>

#include "platform/core/LastError.h"
#include "platform/gdi/GdiObjects.h"

namespace platform::gdi {

std::shared_ptr<BitmapObject> MakeBitmap(int width, int height, int bitsPixel, bool bottomUp,
                                         bool dibSection) {
  if (width <= 0 || height <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (static_cast<int64_t>(width) * height > kMaxPixels) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return std::make_shared<BitmapObject>(width, height, bitsPixel, bottomUp, dibSection);
}

HBITMAP AddBitmap(std::shared_ptr<BitmapObject> bitmap) {
  if (!bitmap) return nullptr;
  return static_cast<HBITMAP>(System::Current().Handles().Add(std::move(bitmap)));
}

std::shared_ptr<BitmapObject> CopyBitmap(BitmapObject& bitmap) {
  auto copy = std::make_shared<BitmapObject>(bitmap.width, bitmap.height, 32, false, false);
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) copy->At(x, y) = bitmap.Get(x, y);
  }
  return copy;
}

}  // namespace platform::gdi

using namespace platform::gdi;

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = MakeBitmap(width, height, static_cast<int>(bitsPerPixel));
  if (!bitmap) return nullptr;
  if (bits != nullptr) {
    // Rows are top to bottom, each padded to a whole number of 16-bit words.
    const BYTE* bytes = static_cast<const BYTE*>(bits);
    size_t stride = bitsPerPixel == 1    ? static_cast<size_t>((width + 15) / 16 * 2)
                    : bitsPerPixel == 24 ? static_cast<size_t>((width * 3 + 1) / 2 * 2)
                                         : static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
      const BYTE* row = bytes + stride * y;
      for (int x = 0; x < width; ++x) {
        uint32_t pixel = 0;
        if (bitsPerPixel == 1) {
          pixel = (row[x / 8] & (0x80 >> (x % 8))) ? kWhite : kBlack;
        } else {
          const BYTE* p = row + static_cast<size_t>(x) * (bitsPerPixel / 8);
          pixel = (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
        }
        bitmap->At(x, y) = pixel;
      }
    }
  }
  return AddBitmap(std::move(bitmap));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  auto surface = SurfaceOf(dc);
  if (!surface) return nullptr;
  return AddBitmap(MakeBitmap(width, height, surface->bitsPixel == 1 ? 1 : 32));
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD) {
  if (bits) *bits = nullptr;
  if (dc && !DcOf(dc)) return nullptr;
  if (info == nullptr || usage != DIB_RGB_COLORS || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
      info->bmiHeader.biPlanes != 1 || info->bmiHeader.biHeight == 0 ||
      info->bmiHeader.biHeight == INT32_MIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biBitCount != 32 || (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS) ||
      section != nullptr) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  bool bottomUp = header.biHeight > 0;
  auto bitmap = MakeBitmap(header.biWidth, bottomUp ? header.biHeight : -header.biHeight, 32, bottomUp, true);
  if (!bitmap) return nullptr;
  if (bits) *bits = bitmap->storage.data();
  return AddBitmap(std::move(bitmap));
}

COLORREF GetPixel(HDC dc, int x, int y) {
  Canvas canvas = CanvasOf(dc);
  if (!canvas.bitmap || !canvas.Visible(x, y)) return CLR_INVALID;
  return ToColor(canvas.Get(x, y));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  Canvas canvas = CanvasOf(dc);
  if (!canvas.bitmap || !canvas.Visible(x, y)) return CLR_INVALID;
  canvas.Put(x, y, ToPixel(color));
  return ToColor(canvas.Get(x, y));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto brush = std::make_shared<BrushObject>();
  brush->color = color & 0x00FFFFFF;
  return static_cast<HBRUSH>(platform::System::Current().Handles().Add(std::move(brush)));
}

HICON CreateIconIndirect(const ICONINFO* info) {
  if (info == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto mask = BitmapOf(info->hbmMask);
  if (!mask) return nullptr;
  std::shared_ptr<BitmapObject> color;
  if (info->hbmColor) {
    color = BitmapOf(info->hbmColor);
    if (!color) return nullptr;
  }
  auto icon = std::make_shared<IconObject>();
  icon->mask = CopyBitmap(*mask);
  icon->color = color ? CopyBitmap(*color) : CopyBitmap(*mask);
  return static_cast<HICON>(platform::System::Current().Handles().Add(std::move(icon)));
}

BOOL DestroyIcon(HICON icon) {
  if (!platform::System::Current().Handles().Get<IconObject>(icon)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return platform::System::Current().Handles().Close(icon) ? TRUE : FALSE;
}

namespace platform {

Pixels BitmapPixels(HBITMAP bitmap) {
  Pixels pixels;
  auto object = gdi::BitmapOf(bitmap);
  if (!object) return pixels;
  pixels.width = object->width;
  pixels.height = object->height;
  pixels.values.reserve(object->storage.size());
  for (int y = 0; y < object->height; ++y) {
    for (int x = 0; x < object->width; ++x) pixels.values.push_back(object->Get(x, y));
  }
  return pixels;
}

}  // namespace platform
