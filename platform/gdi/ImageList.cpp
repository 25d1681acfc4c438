#include "platform/gdi/ImageList.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "platform/core/LastError.h"
#include "platform/gdi/GdiObjects.h"

namespace {

using namespace platform::gdi;

struct Image {
  std::vector<uint32_t> pixels;  // cx * cy, rows top to bottom
  std::vector<uint8_t> transparent;
};

struct ImageListObject : platform::KernelObject {
  std::mutex lock;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
  int grow = 0;
  COLORREF background = CLR_NONE;
  std::vector<Image> images;

  bool Masked() const { return (flags & ILC_MASK) != 0; }
  bool InRange(int index) const { return index >= 0 && static_cast<size_t>(index) < images.size(); }
};

std::shared_ptr<ImageListObject> ListOf(HIMAGELIST list) {
  auto object = platform::System::Current().Handles().Get<ImageListObject>(list);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

HIMAGELIST AddList(std::shared_ptr<ImageListObject> list) {
  return static_cast<HIMAGELIST>(platform::System::Current().Handles().Add(std::move(list)));
}

// Cuts the bitmap into images of the list's size, left to right. With a mask bitmap, its white pixels
// are transparent; with a key colour, pixels of that colour are (and turn black).
bool CutImages(const ImageListObject& list, HBITMAP image, HBITMAP mask, std::optional<uint32_t> key,
               std::vector<Image>* images) {
  auto source = BitmapOf(image);
  if (!source) return false;
  std::shared_ptr<BitmapObject> maskSource;
  if (mask && list.Masked()) {
    maskSource = BitmapOf(mask);
    if (!maskSource) return false;
  }
  int count = source->width / list.cx;
  if (count == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  for (int n = 0; n < count; ++n) {
    Image cut;
    cut.pixels.assign(static_cast<size_t>(list.cx) * list.cy, 0);
    cut.transparent.assign(cut.pixels.size(), 0);
    for (int y = 0; y < list.cy && y < source->height; ++y) {
      for (int x = 0; x < list.cx; ++x) {
        size_t at = static_cast<size_t>(y) * list.cx + x;
        int sx = n * list.cx + x;
        uint32_t pixel = source->Get(sx, y);
        if (maskSource && maskSource->Contains(sx, y) && maskSource->Get(sx, y) == kWhite) {
          cut.transparent[at] = 1;
        }
        if (key && list.Masked() && pixel == *key) {
          cut.transparent[at] = 1;
          pixel = kBlack;
        }
        cut.pixels[at] = pixel;
      }
    }
    images->push_back(std::move(cut));
  }
  return true;
}

// The icon stretched to the list's size.
Image IconImage(const ImageListObject& list, platform::gdi::IconObject& icon) {
  Image image;
  image.pixels.assign(static_cast<size_t>(list.cx) * list.cy, 0);
  image.transparent.assign(image.pixels.size(), 0);
  for (int y = 0; y < list.cy; ++y) {
    for (int x = 0; x < list.cx; ++x) {
      size_t at = static_cast<size_t>(y) * list.cx + x;
      int cx = static_cast<int>(static_cast<int64_t>(x) * icon.color->width / list.cx);
      int cy = static_cast<int>(static_cast<int64_t>(y) * icon.color->height / list.cy);
      image.pixels[at] = icon.color->Get(cx, cy);
      int mx = static_cast<int>(static_cast<int64_t>(x) * icon.mask->width / list.cx);
      int my = static_cast<int>(static_cast<int64_t>(y) * icon.mask->height / list.cy);
      if (list.Masked() && icon.mask->Get(mx, my) == kWhite) image.transparent[at] = 1;
    }
  }
  return image;
}

int Append(HIMAGELIST list, HBITMAP image, HBITMAP mask, std::optional<uint32_t> key) {
  auto object = ListOf(list);
  if (!object) return -1;
  std::lock_guard guard(object->lock);
  std::vector<Image> images;
  if (!CutImages(*object, image, mask, key, &images)) return -1;
  int first = static_cast<int>(object->images.size());
  for (Image& cut : images) object->images.push_back(std::move(cut));
  return first;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
  if (cx <= 0 || cy <= 0 || static_cast<int64_t>(cx) * cy > kMaxPixels || initial < 0 || grow < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto list = std::make_shared<ImageListObject>();
  list->cx = cx;
  list->cy = cy;
  list->flags = flags;
  list->grow = grow;
  list->images.reserve(static_cast<size_t>(std::min(initial, 256)));
  return AddList(std::move(list));
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  if (!ListOf(list)) return FALSE;
  return platform::System::Current().Handles().Close(list) ? TRUE : FALSE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
  return Append(list, image, mask, std::nullopt);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
  return Append(list, image, nullptr, ToPixel(mask));
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
  auto object = ListOf(list);
  if (!object) return -1;
  auto iconObject = platform::System::Current().Handles().Get<IconObject>(icon);
  if (!iconObject) {
    SetLastError(ERROR_INVALID_HANDLE);
    return -1;
  }
  std::lock_guard guard(object->lock);
  if (index == -1) {
    object->images.push_back(IconImage(*object, *iconObject));
    return static_cast<int>(object->images.size()) - 1;
  }
  if (!object->InRange(index)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  object->images[static_cast<size_t>(index)] = IconImage(*object, *iconObject);
  return index;
}

BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask) {
  auto object = ListOf(list);
  if (!object) return FALSE;
  std::lock_guard guard(object->lock);
  std::vector<Image> images;
  if (!object->InRange(index)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!CutImages(*object, image, mask, std::nullopt, &images)) return FALSE;
  object->images[static_cast<size_t>(index)] = std::move(images.front());
  return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
  auto object = ListOf(list);
  if (!object) return FALSE;
  std::lock_guard guard(object->lock);
  if (index == -1) {
    object->images.clear();
    return TRUE;
  }
  if (!object->InRange(index)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  object->images.erase(object->images.begin() + index);
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
  auto object = ListOf(list);
  if (!object) return 0;
  std::lock_guard guard(object->lock);
  return static_cast<int>(object->images.size());
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  auto object = ListOf(list);
  if (!object) return FALSE;
  if (cx == nullptr || cy == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard guard(object->lock);
  *cx = object->cx;
  *cy = object->cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy) {
  auto object = ListOf(list);
  if (!object) return FALSE;
  if (cx <= 0 || cy <= 0 || static_cast<int64_t>(cx) * cy > kMaxPixels) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard guard(object->lock);
  object->cx = cx;
  object->cy = cy;
  object->images.clear();
  return TRUE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST list) {
  auto object = ListOf(list);
  if (!object) return nullptr;
  auto copy = std::make_shared<ImageListObject>();
  {
    std::lock_guard guard(object->lock);
    copy->cx = object->cx;
    copy->cy = object->cy;
    copy->flags = object->flags;
    copy->grow = object->grow;
    copy->background = object->background;
    copy->images = object->images;
  }
  return AddList(std::move(copy));
}

COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color) {
  auto object = ListOf(list);
  if (!object) return CLR_NONE;
  std::lock_guard guard(object->lock);
  COLORREF previous = object->background;
  object->background = color == CLR_NONE ? CLR_NONE : (color & 0x00FFFFFF);
  return previous;
}

COLORREF ImageList_GetBkColor(HIMAGELIST list) {
  auto object = ListOf(list);
  if (!object) return CLR_NONE;
  std::lock_guard guard(object->lock);
  return object->background;
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF, UINT style) {
  auto object = ListOf(list);
  if (!object) return FALSE;
  Canvas canvas = CanvasOf(dc);
  if (!canvas.bitmap) return FALSE;
  std::lock_guard guard(object->lock);
  if (!object->InRange(index)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const Image& image = object->images[static_cast<size_t>(index)];
  int width = dx > 0 ? std::min(dx, object->cx) : object->cx;
  int height = dy > 0 ? std::min(dy, object->cy) : object->cy;
  COLORREF fill = background == CLR_DEFAULT ? object->background : background;
  bool masked = object->Masked();
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      if (!canvas.Visible(x + i, y + j)) continue;
      size_t at = static_cast<size_t>(j) * object->cx + i;
      bool clear = masked && image.transparent[at];
      uint32_t pixel = image.pixels[at];
      if (style & ILD_MASK) {
        pixel = clear ? kWhite : kBlack;
      } else if (clear) {
        if ((style & ILD_TRANSPARENT) || fill == CLR_NONE) continue;
        pixel = ToPixel(fill);
      }
      canvas.Put(x + i, y + j, pixel);
    }
  }
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

namespace platform {

ListImage ImageListImage(HIMAGELIST list, int index) {
  ListImage result;
  auto object = ListOf(list);
  if (!object) return result;
  std::lock_guard guard(object->lock);
  if (!object->InRange(index)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return result;
  }
  const Image& image = object->images[static_cast<size_t>(index)];
  result.image.width = object->cx;
  result.image.height = object->cy;
  result.image.values = image.pixels;
  result.transparent.assign(image.transparent.begin(), image.transparent.end());
  return result;
}

}  // namespace platform
