#include "categories/CategoryIcons.h"

#include <optional>

#include "categories/CategoryFiles.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageDecoder.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

constexpr int kIconSide = 16;
constexpr int kHighDpi = 192;

// The palette bitmap drawn at `side` pixels and saved as `target`.
bool SaveScaled(const std::u16string& source, const std::u16string& target, int side) {
  HBITMAP image = platform::DecodeImageFile(source.c_str());
  if (!image) return false;
  BITMAP size{};
  GetObjectW(image, sizeof(size), &size);
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP scaled = CreateCompatibleBitmap(screen, side, side);
  HGDIOBJ oldFrom = SelectObject(from, image);
  HGDIOBJ oldTo = SelectObject(to, scaled);
  StretchBlt(to, 0, 0, side, side, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  bool saved = platform::SaveBitmapFile(scaled, target.c_str());
  DeleteDC(from);
  DeleteDC(to);
  ReleaseDC(nullptr, screen);
  DeleteObject(scaled);
  DeleteObject(image);
  return saved;
}

}  // namespace

int CategoryIconSize() {
  return (kIconSide * platform::ScreenDpiX() + 48) / 96;
}

bool HasCategoryIcon(std::u16string_view nameOrKey) {
  std::optional<std::u16string> path = CategoryIconPath(nameOrKey);
  return path && GetFileAttributesW(path->c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool AssignCategoryIcon(std::u16string_view nameOrKey, const std::u16string& source) {
  std::optional<std::u16string> path = CategoryIconPath(nameOrKey);
  if (!path || !DeleteIconFile(*path)) return false;
  MakeFolders(CategoryIconFolder());
  if (platform::ScreenDpiX() >= kHighDpi) return SaveScaled(source, *path, CategoryIconSize());
  return CopyFileW(source.c_str(), path->c_str(), FALSE);
}

bool RemoveCategoryIcon(std::u16string_view nameOrKey) {
  std::optional<std::u16string> path = CategoryIconPath(nameOrKey);
  return !path || DeleteIconFile(*path);
}

bool MoveCategoryIcon(std::u16string_view from, std::u16string_view to) {
  std::optional<std::u16string> source = CategoryIconPath(from);
  std::optional<std::u16string> target = CategoryIconPath(to);
  if (!source) return true;
  if (!target) {
    DeleteIconFile(*source);  // a name without a file keeps no icon
    return false;
  }
  DeleteIconFile(*target);
  return MoveFileW(source->c_str(), target->c_str());
}

CategoryIconFiles CategoryIconFiles::Read() {
  CategoryIconFiles files;
  files.folder_ = CategoryIconFolder();
  for (const std::u16string& name : BitmapFiles(files.folder_))
    files.present_.insert(platform::FoldCase(name));
  return files;
}

std::optional<std::u16string> CategoryIconFiles::PathOf(std::u16string_view nameOrKey) const {
  std::optional<std::u16string> file = CategoryFileName(nameOrKey);
  if (!file || !present_.contains(platform::FoldCase(*file + u".bmp"))) return std::nullopt;
  std::u16string path = folder_ + u"\\" + *file + u".bmp";
  if (path.size() >= MAX_PATH) return std::nullopt;
  return path;
}

HIMAGELIST MakeCategoryImageList() {
  int side = CategoryIconSize();
  HIMAGELIST list = ImageList_Create(side, side, ILC_COLOR32, 8, 8);
  ImageList_SetBkColor(list, 0xFFFFFF);  // white
  return list;
}

int AddIconImage(HIMAGELIST list, const std::u16string& path) {
  int side = CategoryIconSize();
  HBITMAP image = platform::DecodeImageFile(path.c_str(), side, side);
  if (!image) return -1;
  int index = ImageList_Add(list, image, nullptr);
  DeleteObject(image);
  return index;
}

}  // namespace calyra
