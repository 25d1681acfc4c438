#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/Gdi.h"

// Contact photos: an image file in the photo folder named after the contact, shown as a small
// framed thumbnail. The folder is HKEY_LOCAL_MACHINE "SOFTWARE\Velmora\Calyra" "ContactPhotoFolder",
// else "CalyraContactPhotos" in the documents folder.
namespace calyra {

// Sizes in pixels at 96 dpi, scaled per axis to the screen: the box the picture is fitted into and
// the thumbnail (box and frame).
inline constexpr int kPhotoBoxSize = 50;
inline constexpr int kPhotoThumbnailSize = 55;
// The thumbnail list's transparent colour; the frame bitmap's is pure green.
inline constexpr COLORREF kPhotoThumbnailKey = RGB(204, 255, 0);
inline constexpr COLORREF kPhotoFrameKey = RGB(0, 255, 0);
// Longer contact names have no photo file.
inline constexpr size_t kLongestPhotoName = 250;
// Whether a load may answer from the cache when the name is the cached one.
enum class PhotoReload { kIfNameChanged, kAlways };

// Where a picture goes in the thumbnail.
struct PhotoPlacement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PhotoPlacement&) const = default;
};

// Fits a picture of width x height into a box of boxWidth x boxHeight whose top left is at (1, 1):
// a picture smaller in both directions keeps its size, centred; a larger square one fills the box;
// a taller one takes the box's height and a wider one its width, centred the other way.
PhotoPlacement FitPhoto(int width, int height, int boxWidth, int boxHeight);

// The file name (without extension) of a contact's photo: white space around the name removed and the
// characters a file name cannot hold made "_"; none for an empty name or one of more than 250.
std::optional<std::u16string> PhotoFileName(std::u16string_view contactName);

// The photo folder (the setting holds at most 520 bytes); the default folder is made when missing.
std::u16string GetContactPhotoFolder();

// The bytes of the photo file of the contact named `contactName`, found as the summary finds it;
// empty when there is none or it cannot be read whole.
std::vector<BYTE> ReadContactPhotoFile(std::u16string_view contactName);

// The process's photo cache: the one thumbnail last made, for the file name it was made for.
class ContactPhotos {
 public:
  ContactPhotos() = default;
  ~ContactPhotos();
  ContactPhotos(const ContactPhotos&) = delete;
  ContactPhotos& operator=(const ContactPhotos&) = delete;

  // The frame bitmap's module and id, the window whose DC (and resolution) thumbnails are made with,
  // and the colour behind the picture. A thumbnail made before is dropped.
  void InitContactPhotos(HINSTANCE frameModule, HWND window, int frameBitmapId, COLORREF background);
  // The thumbnail of the first of the two names (either may be null or empty) with a photo file; a
  // one-image list owned by the cache, valid until the next load. Null before InitContactPhotos,
  // when neither name has a file, or when the file is empty or not an image.
  HIMAGELIST LoadContactPhoto(const char16_t* primaryName, const char16_t* alternativeName,
                              PhotoReload reload = PhotoReload::kIfNameChanged);
  bool HasContactPhoto() const { return thumbnail_ != nullptr; }
  // The file name the thumbnail was made for; empty when there is none.
  const std::u16string& CachedName() const { return cachedName_; }

 private:
  // Drops the thumbnail and its name; null.
  HIMAGELIST Forget();
  // Makes the thumbnail of a photo file's bytes in place of the one held.
  HIMAGELIST Show(const std::vector<BYTE>& bytes);
  HIMAGELIST Compose(HDC screen, HBITMAP picture, const PhotoPlacement& place, int width, int height);

  HIMAGELIST thumbnail_ = nullptr;
  std::u16string cachedName_;  // at most MAX_PATH characters
  HINSTANCE frameModule_ = nullptr;
  HWND window_ = nullptr;
  int frameBitmapId_ = 0;
  COLORREF background_ = 0;
  bool initialised_ = false;
};

}  // namespace calyra
