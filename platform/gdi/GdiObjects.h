#pragma once

// The objects behind GDI handles, shared by the files of this module.

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/core/HandleTable.h"
#include "platform/core/System.h"
#include "platform/gdi/Gdi.h"

namespace platform::gdi {

// Pixels are held as 0x00RRGGBB (the bytes of a 32-bit DIB: blue, green, red, unused).
constexpr uint32_t ToPixel(COLORREF color) {
  return (static_cast<uint32_t>(GetRValue(color)) << 16) | (static_cast<uint32_t>(GetGValue(color)) << 8) |
         GetBValue(color);
}
constexpr COLORREF ToColor(uint32_t pixel) {
  return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel));
}

inline constexpr uint32_t kWhite = 0x00FFFFFF;
inline constexpr uint32_t kBlack = 0;
// Bitmaps of more pixels than this are refused (16M, e.g. 4096 x 4096).
inline constexpr int64_t kMaxPixels = int64_t{4096} * 4096;

class GdiObject : public KernelObject {
 public:
  bool stock = false;  // stock objects survive DeleteObject
  virtual UINT Type() const = 0;
};

class BitmapObject : public GdiObject {
 public:
  BitmapObject(int width, int height, int bitsPixel, bool bottomUp, bool dibSection)
      : width(width),
        height(height),
        bitsPixel(bitsPixel),
        bottomUp(bottomUp),
        dibSection(dibSection),
        storage(static_cast<size_t>(width) * height, 0) {}
  UINT Type() const override { return OBJ_BITMAP; }

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  uint32_t& At(int x, int y) {
    int row = bottomUp ? height - 1 - y : y;
    return storage[static_cast<size_t>(row) * width + x];
  }
  uint32_t Get(int x, int y) { return At(x, y) & 0x00FFFFFF; }
  // Stores a pixel; a monochrome bitmap keeps white for light colours and black for dark ones.
  void Put(int x, int y, uint32_t pixel) {
    pixel &= 0x00FFFFFF;
    if (bitsPixel == 1) {
      unsigned luma = ((pixel >> 16) & 0xFF) * 30 + ((pixel >> 8) & 0xFF) * 59 + (pixel & 0xFF) * 11;
      pixel = luma >= 12800 ? kWhite : kBlack;
    }
    At(x, y) = pixel;
  }

  const int width;
  const int height;
  const int bitsPixel;  // as created: 1, 24 or 32 (held as 32 all the same)
  const bool bottomUp;
  const bool dibSection;
  std::vector<uint32_t> storage;  // rows in memory order; a DIB section hands out its address
  HDC selectedInto = nullptr;     // guarded by GdiState::lock
};

class FontObject : public GdiObject {
 public:
  UINT Type() const override { return OBJ_FONT; }
  LOGFONTW font{};
  int stockIndex = -1;  // SYSTEM_FONT / DEFAULT_GUI_FONT: the height follows the screen's dpi
};

class BrushObject : public GdiObject {
 public:
  UINT Type() const override { return OBJ_BRUSH; }
  UINT style = BS_SOLID;
  COLORREF color = 0;
};

// An icon: copies of its colour bitmap and its mask (white: transparent).
class IconObject : public KernelObject {
 public:
  std::shared_ptr<BitmapObject> color;
  std::shared_ptr<BitmapObject> mask;
};

class DcObject : public KernelObject {
 public:
  std::mutex lock;
  bool memory = false;  // a memory DC (CreateCompatibleDC), else a screen DC
  HWND window = nullptr;
  HGDIOBJ bitmapHandle = nullptr;
  std::shared_ptr<BitmapObject> bitmap;
  HGDIOBJ fontHandle = nullptr;
  std::shared_ptr<FontObject> font;
  HGDIOBJ brushHandle = nullptr;
  std::shared_ptr<BrushObject> brush;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  // Where the DC's (0, 0) lies on its bitmap and what of the bitmap it may draw on: a window's place
  // on the screen and its visible part while the screen is composed; else the origin and everything.
  POINT origin{0, 0};
  bool clipped = false;
  RECT clip{};
};

// What a drawing call of a DC draws on: its bitmap, shifted by the origin and clipped.
struct Canvas {
  std::shared_ptr<BitmapObject> bitmap;
  POINT origin{0, 0};
  RECT clip{};                        // in bitmap coordinates, within the bitmap
  bool Visible(int x, int y) const {  // x, y in the DC's coordinates
    x += origin.x;
    y += origin.y;
    return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
  }
  void Put(int x, int y, uint32_t pixel) const {
    if (Visible(x, y)) bitmap->Put(x + origin.x, y + origin.y, pixel);
  }
  uint32_t Get(int x, int y) const { return bitmap->Get(x + origin.x, y + origin.y); }
};
// Null bitmap (ERROR_INVALID_HANDLE) for an invalid DC.
Canvas CanvasOf(HDC dc);

// The process's GDI state: stock objects and the screen surface, made on first use.
struct GdiState : ProcessState {
  std::mutex lock;  // bitmap selections, stock objects
  static constexpr int kStockCount = 18;
  HGDIOBJ stock[kStockCount] = {};
  HBITMAP defaultBitmap = nullptr;  // the 1x1 monochrome bitmap of a new memory DC
  HBITMAP screen = nullptr;
  // While the screen is composed, a window's GetDC draws where the compositor says.
  std::function<bool(HWND, HBITMAP*, POINT*, RECT*)> windowSurface;
};

GdiState& State();
HGDIOBJ Stock(int index);
HBITMAP DefaultBitmap();

std::shared_ptr<DcObject> DcOf(HDC dc);
std::shared_ptr<BitmapObject> BitmapOf(HANDLE bitmap);
std::shared_ptr<FontObject> FontOf(HANDLE font);
// The surface a DC draws into; null (ERROR_INVALID_HANDLE) for an invalid DC.
std::shared_ptr<BitmapObject> SurfaceOf(HDC dc);
// The font a DC has selected, or the system font.
LOGFONTW EffectiveFont(HDC dc);
LOGFONTW LogFontOf(const FontObject& font);
// A new bitmap of zero (black) pixels; null (ERROR_INVALID_PARAMETER or ERROR_NOT_ENOUGH_MEMORY) for
// a size that is not positive or too large.
std::shared_ptr<BitmapObject> MakeBitmap(int width, int height, int bitsPixel, bool bottomUp = false,
                                         bool dibSection = false);
HBITMAP AddBitmap(std::shared_ptr<BitmapObject> bitmap);
// A 32-bit top-down copy of `bitmap`.
std::shared_ptr<BitmapObject> CopyBitmap(BitmapObject& bitmap);

}  // namespace platform::gdi
