#include "text/ContactPhotos.h"

#include <algorithm>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/gdi/ImageDecoder.h"
#include "platform/gdi/ImageList.h"
#include "platform/registry/RegistryKey.h"
#include "platform/ui/ResourceModule.h"

namespace calyra {

namespace {

constexpr const char16_t* kSettingsKey = u"SOFTWARE\\Velmora\\Calyra";
constexpr const char16_t* kFolderValue = u"ContactPhotoFolder";
constexpr DWORD kFolderValueBytes = 520;
constexpr const char16_t* kDefaultFolderName = u"\\CalyraContactPhotos";
constexpr std::u16string_view kWhiteSpace = u" \t\r\n\v\f";
constexpr std::u16string_view kUnsafeCharacters = u"\\/:*?\"<>|";
// In the order they are tried. The decoder tells the formats apart by their bytes, so the extension
// only decides which file is taken.
constexpr const char16_t* kExtensions[] = {u".bmp", u".jpg", u".jpeg", u".gif"};

// Logical pixels at 96 dpi to the screen's, rounded.
int Scaled(int size, int dpi) {
  return (dpi * size + 48) / 96;
}

// The first photo file of `name` that opens for reading; INVALID_HANDLE_VALUE when none does.
HANDLE OpenPhotoFile(const std::u16string& folder, const std::u16string& name) {
  for (const char16_t* extension : kExtensions) {
    std::u16string path = folder + u"\\" + name + extension;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// The whole file; empty when it is empty, too large for the decoder or cannot be read to its end.
std::vector<BYTE> ReadWholeFile(HANDLE file) {
  DWORD high = 0;
  DWORD size = GetFileSize(file, &high);
  if (high != 0 || size > platform::kMaxImageFileBytes) return {};
  std::vector<BYTE> bytes(size);
  DWORD total = 0;
  while (total < size) {
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + total, size - total, &read, nullptr) || read == 0) return {};
    total += read;
  }
  return bytes;
}

// Copies the picture, stretched, onto the canvas.
void DrawPicture(HDC canvas, HDC screen, HBITMAP picture, const PhotoPlacement& place) {
  BITMAP shape{};
  GetObjectW(picture, sizeof(shape), &shape);
  HDC source = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(source, picture);
  StretchBlt(canvas, place.x, place.y, place.width, place.height, source, 0, 0, shape.bmWidth, shape.bmHeight,
             SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

// The frame covers the whole thumbnail whatever its own size; its pure green lets the photo through.
void DrawFrame(HDC canvas, HINSTANCE module, int bitmapId, int width, int height) {
  HBITMAP frame = LoadBitmapW(module, MAKEINTRESOURCEW(static_cast<uintptr_t>(bitmapId)));
  if (!frame) return;
  BITMAP shape{};
  GetObjectW(frame, sizeof(shape), &shape);
  TransparentImage(canvas, 0, 0, width, height, frame, 0, 0, shape.bmWidth, shape.bmHeight, kPhotoFrameKey);
  DeleteObject(frame);
}

}  // namespace

PhotoPlacement FitPhoto(int width, int height, int boxWidth, int boxHeight) {
  if (width < boxWidth && height < boxHeight)
    return {(boxWidth - width) / 2 + 1, (boxHeight - height) / 2 + 1, width, height};
  if (width == height) return {1, 1, boxWidth, boxHeight};
  if (height > width) {
    int fitted = static_cast<int>(int64_t{width} * boxWidth / height);
    return {(boxWidth - fitted) / 2 + 1, 1, fitted, boxHeight};
  }
  int fitted = static_cast<int>(int64_t{height} * boxHeight / width);
  return {1, (boxHeight - fitted) / 2 + 1, boxWidth, fitted};
}

// Trimming leaves no blank at the start, so only the characters a file name cannot hold are replaced.
std::optional<std::u16string> PhotoFileName(std::u16string_view contactName) {
  size_t first = contactName.find_first_not_of(kWhiteSpace);
  if (first == std::u16string_view::npos) return std::nullopt;
  size_t last = contactName.find_last_not_of(kWhiteSpace);
  std::u16string file(contactName.substr(first, last - first + 1));
  if (file.size() > kLongestPhotoName) return std::nullopt;
  for (char16_t& c : file) {
    if (kUnsafeCharacters.find(c) != std::u16string_view::npos) c = u'_';
  }
  return file;
}

std::u16string GetContactPhotoFolder() {
  auto key = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kSettingsKey);
  std::u16string folder = key.Chars(kFolderValue, kFolderValueBytes).value_or(u"");
  folder.resize(std::min(folder.find(u'\0'), folder.size()));
  while (folder.size() > 1 && folder.back() == u'\\') folder.pop_back();
  if (!folder.empty()) return folder;
  WCHAR documents[MAX_PATH] = {};
  SHGetSpecialFolderPath(nullptr, documents, CSIDL_PERSONAL, TRUE);
  folder = std::u16string(documents) + kDefaultFolderName;
  if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
    CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::vector<BYTE> ReadContactPhotoFile(std::u16string_view contactName) {
  std::optional<std::u16string> name = PhotoFileName(contactName);
  if (!name) return {};
  HANDLE file = OpenPhotoFile(GetContactPhotoFolder(), *name);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::vector<BYTE> bytes = ReadWholeFile(file);
  CloseHandle(file);
  return bytes;
}

ContactPhotos::~ContactPhotos() {
  if (thumbnail_) ImageList_Destroy(thumbnail_);
}

void ContactPhotos::InitContactPhotos(HINSTANCE frameModule, HWND window, int frameBitmapId,
                                      COLORREF background) {
  Forget();
  frameModule_ = frameModule;
  window_ = window;
  frameBitmapId_ = frameBitmapId;
  background_ = background;
  initialised_ = true;
}

HIMAGELIST ContactPhotos::LoadContactPhoto(const char16_t* primaryName, const char16_t* alternativeName,
                                           PhotoReload reload) {
  if (!initialised_) return nullptr;
  std::optional<std::u16string> folder;  // read only when a file is looked for
  for (const char16_t* candidate : {primaryName, alternativeName}) {
    if (!candidate || !*candidate) continue;
    std::optional<std::u16string> name = PhotoFileName(candidate);
    if (!name) continue;
    if (thumbnail_ && *name == cachedName_ && reload == PhotoReload::kIfNameChanged) return thumbnail_;
    if (!folder) folder = GetContactPhotoFolder();
    HANDLE file = OpenPhotoFile(*folder, *name);
    if (file == INVALID_HANDLE_VALUE) continue;
    std::vector<BYTE> bytes = ReadWholeFile(file);
    CloseHandle(file);
    HIMAGELIST thumbnail = Show(bytes);
    if (thumbnail) cachedName_ = std::move(*name);
    return thumbnail;
  }
  return Forget();
}

HIMAGELIST ContactPhotos::Forget() {
  if (thumbnail_) ImageList_Destroy(thumbnail_);
  thumbnail_ = nullptr;
  cachedName_.clear();
  return nullptr;
}

// A file that is not a picture leaves no thumbnail, so that the cache never pairs a name with the
// picture of another.
HIMAGELIST ContactPhotos::Show(const std::vector<BYTE>& bytes) {
  Forget();
  SIZE size{};
  if (bytes.empty() || !platform::ImageSize(bytes.data(), bytes.size(), &size)) return nullptr;
  HDC screen = GetDC(window_);
  int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  PhotoPlacement place = FitPhoto(size.cx, size.cy, Scaled(kPhotoBoxSize, dpiX), Scaled(kPhotoBoxSize, dpiY));
  // A picture larger than its place is scaled down by the decoder, which averages; the stretch that
  // follows then only evens out rounding.
  HBITMAP picture =
      platform::DecodeImage(bytes.data(), bytes.size(), std::max(place.width, 1), std::max(place.height, 1));
  if (picture) {
    thumbnail_ =
        Compose(screen, picture, place, Scaled(kPhotoThumbnailSize, dpiX), Scaled(kPhotoThumbnailSize, dpiY));
    DeleteObject(picture);
  }
  ReleaseDC(window_, screen);
  return thumbnail_;
}

HIMAGELIST ContactPhotos::Compose(HDC screen, HBITMAP picture, const PhotoPlacement& place, int width,
                                  int height) {
  HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
  HDC canvasDc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(canvasDc, canvas);
  RECT all{0, 0, width, height};
  HBRUSH background = CreateSolidBrush(background_);
  FillRect(canvasDc, &all, background);
  DeleteObject(background);
  DrawPicture(canvasDc, screen, picture, place);
  DrawFrame(canvasDc, frameModule_, frameBitmapId_, width, height);
  SelectObject(canvasDc, previous);
  DeleteDC(canvasDc);
  HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR | ILC_MASK, 1, 0);
  if (list && ImageList_AddMasked(list, canvas, kPhotoThumbnailKey) != 0) {
    ImageList_Destroy(list);
    list = nullptr;
  }
  DeleteObject(canvas);
  return list;
}

}  // namespace calyra
