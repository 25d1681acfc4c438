// Device contexts, object selection, stock objects and the calls common to every GDI object.
#include <algorithm>
#include <cstring>

#include "platform/core/LastError.h"
#include "platform/gdi/GdiObjects.h"

namespace platform::gdi {

GdiState& State() {
  return System::Current().State<GdiState>();
}

namespace {

HGDIOBJ AddObject(std::shared_ptr<GdiObject> object) {
  return System::Current().Handles().Add(std::move(object));
}

std::shared_ptr<GdiObject> MakeStock(int index) {
  if (index >= WHITE_BRUSH && index <= NULL_BRUSH) {
    static constexpr BYTE kGrays[] = {255, 192, 128, 64, 0, 0};
    auto brush = std::make_shared<BrushObject>();
    BYTE gray = kGrays[index];
    brush->color = RGB(gray, gray, gray);
    brush->style = index == NULL_BRUSH ? BS_NULL : BS_SOLID;
    return brush;
  }
  if (index == SYSTEM_FONT || index == DEFAULT_GUI_FONT) {
    auto font = std::make_shared<FontObject>();
    font->stockIndex = index;
    return font;
  }
  return nullptr;
}

}  // namespace

HGDIOBJ Stock(int index) {
  if (index < 0 || index >= GdiState::kStockCount) return nullptr;
  GdiState& state = State();
  std::lock_guard guard(state.lock);
  if (!state.stock[index]) {
    auto object = MakeStock(index);
    if (!object) return nullptr;
    object->stock = true;
    state.stock[index] = AddObject(std::move(object));
  }
  return state.stock[index];
}

HBITMAP DefaultBitmap() {
  GdiState& state = State();
  std::lock_guard guard(state.lock);
  if (!state.defaultBitmap) {
    auto bitmap = std::make_shared<BitmapObject>(1, 1, 1, false, false);
    bitmap->stock = true;
    state.defaultBitmap = static_cast<HBITMAP>(AddObject(std::move(bitmap)));
  }
  return state.defaultBitmap;
}

namespace {

HBITMAP ScreenBitmap() {
  GdiState& state = State();
  std::lock_guard guard(state.lock);
  if (!state.screen) {
    SIZE size = ScreenSize();
    int width = std::min<int>(size.cx, 4096);
    int height = std::min<int>(size.cy, 4096);
    auto bitmap = std::make_shared<BitmapObject>(width, height, 32, false, false);
    bitmap->stock = true;
    std::fill(bitmap->storage.begin(), bitmap->storage.end(), kWhite);
    state.screen = static_cast<HBITMAP>(AddObject(std::move(bitmap)));
  }
  return state.screen;
}

HDC NewDc(bool memory, HWND window) {
  auto dc = std::make_shared<DcObject>();
  dc->memory = memory;
  dc->window = window;
  dc->bitmapHandle = memory ? DefaultBitmap() : ScreenBitmap();
  std::function<bool(HWND, HBITMAP*, POINT*, RECT*)> redirect;
  if (!memory && window) {
    std::lock_guard guard(State().lock);
    redirect = State().windowSurface;
  }
  HBITMAP surface = nullptr;
  if (redirect && redirect(window, &surface, &dc->origin, &dc->clip)) {
    dc->bitmapHandle = surface;
    dc->clipped = true;
  }
  dc->bitmap = BitmapOf(dc->bitmapHandle);
  dc->fontHandle = Stock(SYSTEM_FONT);
  dc->font = FontOf(dc->fontHandle);
  dc->brushHandle = Stock(WHITE_BRUSH);
  dc->brush = System::Current().Handles().Get<BrushObject>(dc->brushHandle);
  if (!dc->bitmap || !dc->font || !dc->brush) return nullptr;
  return static_cast<HDC>(System::Current().Handles().Add(std::move(dc)));
}

// Closes a DC handle, letting go of its bitmap.
BOOL CloseDc(HDC dc) {
  auto object = DcOf(dc);
  if (!object) return FALSE;
  {
    std::lock_guard guard(State().lock);
    std::lock_guard dcGuard(object->lock);
    if (object->bitmap && object->bitmap->selectedInto == dc) object->bitmap->selectedInto = nullptr;
  }
  return System::Current().Handles().Close(dc) ? TRUE : FALSE;
}

std::shared_ptr<GdiObject> GdiObjectOf(HGDIOBJ object) {
  auto found = System::Current().Handles().Get<GdiObject>(object);
  if (!found) SetLastError(ERROR_INVALID_HANDLE);
  return found;
}

}  // namespace

std::shared_ptr<DcObject> DcOf(HDC dc) {
  auto object = System::Current().Handles().Get<DcObject>(dc);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

std::shared_ptr<BitmapObject> BitmapOf(HANDLE bitmap) {
  auto object = System::Current().Handles().Get<BitmapObject>(bitmap);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

std::shared_ptr<FontObject> FontOf(HANDLE font) {
  auto object = System::Current().Handles().Get<FontObject>(font);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

std::shared_ptr<BitmapObject> SurfaceOf(HDC dc) {
  auto object = DcOf(dc);
  if (!object) return nullptr;
  std::lock_guard guard(object->lock);
  return object->bitmap;
}

Canvas CanvasOf(HDC dc) {
  Canvas canvas;
  auto object = DcOf(dc);
  if (!object) return canvas;
  std::lock_guard guard(object->lock);
  canvas.bitmap = object->bitmap;
  if (!canvas.bitmap) return canvas;
  canvas.origin = object->origin;
  RECT all{0, 0, canvas.bitmap->width, canvas.bitmap->height};
  canvas.clip = all;
  if (object->clipped) {
    canvas.clip.left = std::max(all.left, object->clip.left);
    canvas.clip.top = std::max(all.top, object->clip.top);
    canvas.clip.right = std::min(all.right, object->clip.right);
    canvas.clip.bottom = std::min(all.bottom, object->clip.bottom);
  }
  return canvas;
}

LOGFONTW EffectiveFont(HDC dc) {
  std::shared_ptr<FontObject> font;
  if (auto object = System::Current().Handles().Get<DcObject>(dc)) {
    std::lock_guard guard(object->lock);
    font = object->font;
  }
  if (!font) font = FontOf(Stock(SYSTEM_FONT));
  return font ? LogFontOf(*font) : LOGFONTW{};
}

}  // namespace platform::gdi

using namespace platform::gdi;

HDC GetDC(HWND window) {
  return NewDc(false, window);
}

int ReleaseDC(HWND, HDC dc) {
  auto object = DcOf(dc);
  if (!object || object->memory) return 0;
  return CloseDc(dc) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC dc) {
  if (dc && !DcOf(dc)) return nullptr;
  return NewDc(true, nullptr);
}

BOOL DeleteDC(HDC dc) {
  return CloseDc(dc);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  auto context = DcOf(dc);
  if (!context) return nullptr;
  auto target = GdiObjectOf(object);
  if (!target) return nullptr;
  std::lock_guard guard(State().lock);
  std::lock_guard dcGuard(context->lock);
  HGDIOBJ previous = nullptr;
  switch (target->Type()) {
    case OBJ_BITMAP: {
      auto bitmap = std::static_pointer_cast<BitmapObject>(target);
      if (!context->memory || (bitmap->selectedInto && bitmap->selectedInto != dc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
      }
      if (context->bitmap->selectedInto == dc) context->bitmap->selectedInto = nullptr;
      if (!bitmap->stock) bitmap->selectedInto = dc;
      previous = context->bitmapHandle;
      context->bitmapHandle = object;
      context->bitmap = std::move(bitmap);
      break;
    }
    case OBJ_FONT:
      previous = context->fontHandle;
      context->fontHandle = object;
      context->font = std::static_pointer_cast<FontObject>(target);
      break;
    case OBJ_BRUSH:
      previous = context->brushHandle;
      context->brushHandle = object;
      context->brush = std::static_pointer_cast<BrushObject>(target);
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
  return previous;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  auto context = DcOf(dc);
  if (!context) return nullptr;
  std::lock_guard guard(context->lock);
  switch (type) {
    case OBJ_BITMAP:
      return context->bitmapHandle;
    case OBJ_FONT:
      return context->fontHandle;
    case OBJ_BRUSH:
      return context->brushHandle;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

int GetObjectW(HGDIOBJ object, int size, void* buffer) {
  auto target = GdiObjectOf(object);
  if (!target) return 0;
  auto copyOut = [&](const auto& value) -> int {
    int needed = static_cast<int>(sizeof(value));
    if (buffer == nullptr) return needed;
    if (size < needed) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    std::memcpy(buffer, &value, sizeof(value));
    return needed;
  };
  switch (target->Type()) {
    case OBJ_FONT:
      return copyOut(LogFontOf(static_cast<FontObject&>(*target)));
    case OBJ_BRUSH: {
      auto& brush = static_cast<BrushObject&>(*target);
      return copyOut(LOGBRUSH{brush.style, brush.color, 0});
    }
    case OBJ_BITMAP: {
      auto& bitmap = static_cast<BitmapObject&>(*target);
      BITMAP info{};
      info.bmWidth = bitmap.width;
      info.bmHeight = bitmap.height;
      info.bmPlanes = 1;
      info.bmBitsPixel = static_cast<WORD>(bitmap.bitsPixel);
      if (bitmap.bitsPixel == 1) {
        info.bmWidthBytes = (bitmap.width + 15) / 16 * 2;
      } else if (bitmap.bitsPixel == 24) {
        info.bmWidthBytes = (bitmap.width * 3 + 1) / 2 * 2;
      } else {
        info.bmWidthBytes = bitmap.width * 4;
      }
      info.bmBits = bitmap.dibSection ? bitmap.storage.data() : nullptr;
      return copyOut(info);
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

DWORD GetObjectType(HGDIOBJ object) {
  if (auto context = platform::System::Current().Handles().Get<DcObject>(object)) {
    return context->memory ? OBJ_MEMDC : OBJ_DC;
  }
  auto target = GdiObjectOf(object);
  return target ? target->Type() : 0;
}

BOOL DeleteObject(HGDIOBJ object) {
  auto target = GdiObjectOf(object);
  if (!target) return FALSE;
  if (target->stock) return TRUE;
  if (target->Type() == OBJ_BITMAP) {
    std::lock_guard guard(State().lock);
    if (static_cast<BitmapObject&>(*target).selectedInto) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  return platform::System::Current().Handles().Close(object) ? TRUE : FALSE;
}

HGDIOBJ GetStockObject(int index) {
  return Stock(index);
}

namespace {

template <class T>
T Exchange(HDC dc, T DcObject::*field, T value, T failure) {
  auto context = DcOf(dc);
  if (!context) return failure;
  std::lock_guard guard(context->lock);
  T previous = (*context).*field;
  (*context).*field = value;
  return previous;
}

template <class T>
T Read(HDC dc, T DcObject::*field, T failure) {
  auto context = DcOf(dc);
  if (!context) return failure;
  std::lock_guard guard(context->lock);
  return (*context).*field;
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
  return Exchange(dc, &DcObject::textColor, color & 0x00FFFFFF, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) {
  return Read(dc, &DcObject::textColor, CLR_INVALID);
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
  return Exchange(dc, &DcObject::bkColor, color & 0x00FFFFFF, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) {
  return Read(dc, &DcObject::bkColor, CLR_INVALID);
}
int SetBkMode(HDC dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return Exchange(dc, &DcObject::bkMode, mode, 0);
}
int GetBkMode(HDC dc) {
  return Read(dc, &DcObject::bkMode, 0);
}

namespace platform {

HDC CreateSurfaceDc(HBITMAP surface, POINT origin, const RECT& clip) {
  auto bitmap = gdi::BitmapOf(surface);
  if (!bitmap) return nullptr;
  HDC dc = NewDc(false, nullptr);
  auto object = gdi::DcOf(dc);
  if (!object) return nullptr;
  std::lock_guard guard(object->lock);
  object->bitmapHandle = surface;
  object->bitmap = std::move(bitmap);
  object->origin = origin;
  object->clipped = true;
  object->clip = clip;
  return dc;
}

void SetWindowSurface(std::function<bool(HWND, HBITMAP*, POINT*, RECT*)> surface) {
  std::lock_guard guard(gdi::State().lock);
  gdi::State().windowSurface = std::move(surface);
}

HBITMAP DcBitmap(HDC dc) {
  auto context = gdi::DcOf(dc);
  if (!context) return nullptr;
  std::lock_guard guard(context->lock);
  return static_cast<HBITMAP>(context->bitmapHandle);
}

}  // namespace platform
