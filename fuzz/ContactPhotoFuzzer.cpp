// Feeds arbitrary bytes to the contact photo loader as the photo file under each extension in turn,
// on a scratch device: no input may crash it, and a thumbnail is always one framed 55 x 55 image.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "CalyraEditorResources.h"
#include "fuzz/FuzzDevice.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "text/ContactPhotos.h"

namespace {

// The cache lives as long as the fuzzing process, as it lives as long as the component's.
calyra::ContactPhotos& Photos() {
  static calyra::ContactPhotos* photos = [] {
    auto* made = new calyra::ContactPhotos;
    HINSTANCE resources =
        platform::RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
    made->InitContactPhotos(resources, nullptr, calyra::resources::kBitmapPhotoFrame, RGB(255, 255, 255));
    return made;
  }();
  return *photos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!AttachFuzzDevice()) return 0;
  const std::u16string folder = calyra::GetContactPhotoFolder();
  for (const char16_t* extension : {u".bmp", u".jpg", u".jpeg", u".gif"}) {
    std::u16string file = folder + u"\\Fuzz" + extension;
    auto host = platform::HostPathOf(file);
    if (!host) return 0;
    {
      std::ofstream out(*host, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    HIMAGELIST list = Photos().LoadContactPhoto(u"Fuzz", nullptr, calyra::PhotoReload::kAlways);
    if (list) {
      int width = 0, height = 0;
      if (ImageList_GetImageCount(list) != 1 || !ImageList_GetIconSize(list, &width, &height) ||
          width != 55 || height != 55 || !Photos().HasContactPhoto()) {
        __builtin_trap();
      }
    } else if (Photos().HasContactPhoto()) {
      __builtin_trap();
    }
    // The next extension is found only when this one is gone (removed on the host: the file has no
    // attributes in the store to clear).
    std::error_code ignored;
    std::filesystem::remove(*host, ignored);
  }
  return 0;
}
