// Block transfers: BitBlt, StretchBlt, PatBlt, FillRect and the transparent copies, with any of the
// 256 ternary raster operations, and colour/monochrome conversion as the platform does it.
#include <optional>

#include "platform/core/LastError.h"
#include "platform/gdi/GdiObjects.h"

namespace {

using namespace platform::gdi;

// The result of a ternary raster operation on pattern, source and destination bits.
uint32_t Raster(DWORD rop, uint32_t pattern, uint32_t source, uint32_t dest) {
  uint32_t code = (rop >> 16) & 0xFF;
  uint32_t result = 0;
  for (uint32_t k = 0; k < 8; ++k) {
    if (!((code >> k) & 1)) continue;
    uint32_t term = (k & 4) ? pattern : ~pattern;
    term &= (k & 2) ? source : ~source;
    term &= (k & 1) ? dest : ~dest;
    result |= term;
  }
  return result & 0x00FFFFFF;
}

bool UsesSource(DWORD rop) {
  uint32_t code = (rop >> 16) & 0xFF;
  return ((code >> 2) & 0x33) != (code & 0x33);
}

struct Target {
  std::shared_ptr<BitmapObject> bitmap;
  COLORREF text = 0;
  COLORREF bk = RGB(255, 255, 255);
  std::optional<uint32_t> brush;  // none for the null brush
  POINT origin{0, 0};
  RECT clip{};
};

std::optional<Target> TargetOf(HDC dc) {
  Canvas canvas = CanvasOf(dc);
  auto context = DcOf(dc);
  if (!context || !canvas.bitmap) return std::nullopt;
  std::lock_guard guard(context->lock);
  Target target{canvas.bitmap, context->textColor, context->bkColor,
                std::nullopt,  canvas.origin,      canvas.clip};
  if (context->brush && context->brush->style != BS_NULL) target.brush = ToPixel(context->brush->color);
  return target;
}

// A run of pixels with its sign taken out. A negative length runs leftwards (upwards) from `start`
// itself, and is mirrored.
struct Span {
  int start;
  int length;
  bool mirrored;
};
Span Normalise(int start, int length) {
  if (length < 0) return Span{start + length + 1, -length, true};
  return Span{start, length, false};
}

// The source pixel for destination offset `i` of `destLength` when mapping onto `source`.
int SourceIndex(const Span& source, int i, int destLength, bool mirror) {
  int offset = static_cast<int>((static_cast<int64_t>(2 * i + 1) * source.length) /
                                (2 * static_cast<int64_t>(destLength)));
  if (mirror) offset = source.length - 1 - offset;
  return source.start + offset;
}

// Copies the source rectangle onto the destination, stretched to fit by nearest neighbour. Pixels of
// `key` in the source (when given) are left out.
BOOL Transfer(const Target& dest, int x, int y, int width, int height, const Target* source, int sourceX,
              int sourceY, int sourceWidth, int sourceHeight, DWORD rop, std::optional<uint32_t> key) {
  Span dx = Normalise(x, width);
  Span dy = Normalise(y, height);
  Span sx = Normalise(sourceX, sourceWidth);
  Span sy = Normalise(sourceY, sourceHeight);
  if (dx.length == 0 || dy.length == 0) return TRUE;
  bool needsSource = UsesSource(rop) || key.has_value();
  if (needsSource && (source == nullptr || !source->bitmap || sx.length == 0 || sy.length == 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BitmapObject& out = *dest.bitmap;
  // A copy within one bitmap reads the pixels as they were before the transfer.
  std::shared_ptr<BitmapObject> from;
  if (needsSource) from = source->bitmap.get() == &out ? CopyBitmap(out) : source->bitmap;
  bool fromMono = from && from->bitsPixel == 1;
  bool toMono = out.bitsPixel == 1;
  uint32_t pattern = dest.brush.value_or(kWhite);
  POINT shift = needsSource ? source->origin : POINT{0, 0};
  for (int j = 0; j < dy.length; ++j) {
    int ty = dy.start + j + dest.origin.y;
    if (ty < dest.clip.top || ty >= dest.clip.bottom) continue;
    int fy = needsSource ? SourceIndex(sy, j, dy.length, dy.mirrored != sy.mirrored) + shift.y : 0;
    if (needsSource && (fy < 0 || fy >= from->height)) continue;
    for (int i = 0; i < dx.length; ++i) {
      int tx = dx.start + i + dest.origin.x;
      if (tx < dest.clip.left || tx >= dest.clip.right) continue;
      uint32_t pixel = 0;
      if (needsSource) {
        int fx = SourceIndex(sx, i, dx.length, dx.mirrored != sx.mirrored) + shift.x;
        if (fx < 0 || fx >= from->width) continue;
        pixel = from->Get(fx, fy);
        if (key && pixel == *key) continue;
        if (fromMono && !toMono) {
          pixel = ToPixel(pixel == kWhite ? dest.bk : dest.text);
        } else if (!fromMono && toMono) {
          pixel = pixel == ToPixel(source->bk) ? kWhite : kBlack;
        }
      }
      // A plain fill needs neither the raster operation nor the pixel underneath.
      out.Put(tx, ty, rop == PATCOPY ? pattern : Raster(rop, pattern, pixel, out.Get(tx, ty)));
    }
  }
  return TRUE;
}

BOOL Stretch(HDC dest, int x, int y, int width, int height, HANDLE source, int sourceX, int sourceY,
             int sourceWidth, int sourceHeight, DWORD rop, std::optional<uint32_t> key) {
  auto target = TargetOf(dest);
  if (!target) return FALSE;
  std::optional<Target> from;
  if (source) {
    if (platform::System::Current().Handles().Get<DcObject>(source)) {
      from = TargetOf(static_cast<HDC>(source));
    } else if (auto bitmap = platform::System::Current().Handles().Get<BitmapObject>(source)) {
      from = Target{bitmap,       0,           RGB(255, 255, 255),
                    std::nullopt, POINT{0, 0}, RECT{0, 0, bitmap->width, bitmap->height}};
    } else {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
  }
  return Transfer(*target, x, y, width, height, from ? &*from : nullptr, sourceX, sourceY, sourceWidth,
                  sourceHeight, rop, key);
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
  if (source && !DcOf(source)) return FALSE;
  return Stretch(dest, x, y, width, height, source, sourceX, sourceY, width, height, rop, std::nullopt);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop) {
  if (source && !DcOf(source)) return FALSE;
  return Stretch(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop,
                 std::nullopt);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  if (UsesSource(rop)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto target = TargetOf(dc);
  if (!target) return FALSE;
  if (!target->brush && rop != BLACKNESS && rop != WHITENESS && rop != DSTINVERT) return TRUE;
  return Transfer(*target, x, y, width, height, nullptr, 0, 0, 0, 0, rop, std::nullopt);
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  auto target = TargetOf(dc);
  if (!target) return 0;
  auto fill = platform::System::Current().Handles().Get<BrushObject>(brush);
  if (!fill || rect == nullptr) {
    SetLastError(fill ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return 0;
  }
  if (fill->style == BS_NULL) return 1;
  target->brush = ToPixel(fill->color);
  if (rect->right <= rect->left || rect->bottom <= rect->top) return 1;
  return Transfer(*target, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, nullptr,
                  0, 0, 0, 0, PATCOPY, std::nullopt);
}

BOOL TransparentImage(HDC dest, int x, int y, int width, int height, HANDLE source, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, COLORREF transparent) {
  if (source == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return Stretch(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, SRCCOPY,
                 ToPixel(transparent));
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, UINT transparent) {
  if (!DcOf(source)) return FALSE;
  return TransparentImage(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
                          transparent);
}
