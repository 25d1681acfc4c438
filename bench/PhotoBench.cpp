// Contact photos: the thumbnail of a 640 x 480 JPEG made afresh (found, read, decoded to its place,
// framed and put in an image list), beside the raw decode of the same bytes, the floor any photo
// loader pays.
#include <vector>

#include "CalyraEditorResources.h"
#include "bench/BenchSupport.h"
#include "host/Component.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/ImageDecoder.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "text/ContactPhotos.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

using namespace calyra;
using calyra::bench::AttachBenchDevice;

constexpr const char16_t* kContact = u"Bench Photo";

// A camera-sized picture with gradients and fine detail, so that the JPEG is not trivially small.
const std::vector<BYTE>& PhotoJpeg() {
  static const std::vector<BYTE> file = [] {
    constexpr int kWidth = 640, kHeight = 480;
    std::vector<BYTE> rgb;
    rgb.reserve(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        rgb.push_back(static_cast<BYTE>(x * 255 / kWidth));
        rgb.push_back(static_cast<BYTE>(y * 255 / kHeight));
        rgb.push_back(static_cast<BYTE>((x * 7 + y * 13) % 256));
      }
    }
    std::vector<BYTE> jpeg;
    auto append = [](void* context, void* data, int size) {
      auto* out = static_cast<std::vector<BYTE>*>(context);
      out->insert(out->end(), static_cast<BYTE*>(data), static_cast<BYTE*>(data) + size);
    };
    stbi_write_jpg_to_func(append, &jpeg, kWidth, kHeight, 3, rgb.data(), 90);
    return jpeg;
  }();
  return file;
}

void WritePhotoFile() {
  std::u16string path = GetContactPhotoFolder() + u"\\" + kContact + u".jpg";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, PhotoJpeg().data(), static_cast<DWORD>(PhotoJpeg().size()), &written, nullptr);
  CloseHandle(file);
}

HINSTANCE Resources() {
  static HINSTANCE resources =
      RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  return resources;
}

void Ours_ContactPhotoLoad(benchmark::State& state) {
  AttachBenchDevice();
  WritePhotoFile();
  ContactPhotos& photos = Component::Process().contactPhotos;
  photos.InitContactPhotos(Resources(), nullptr, resources::kBitmapPhotoFrame, RGB(255, 255, 255));
  for (auto _ : state) {
    if (!photos.LoadContactPhoto(kContact, nullptr, PhotoReload::kAlways)) state.SkipWithError("no photo");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * PhotoJpeg().size()));
}

void Raw_ContactPhotoLoad(benchmark::State& state) {
  AttachBenchDevice();
  const std::vector<BYTE>& jpeg = PhotoJpeg();
  for (auto _ : state) {
    HBITMAP picture = platform::DecodeImage(jpeg.data(), jpeg.size());
    if (!picture) state.SkipWithError("not decoded");
    DeleteObject(picture);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * jpeg.size()));
}

}  // namespace

BENCHMARK(Ours_ContactPhotoLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(Raw_ContactPhotoLoad)->Unit(benchmark::kMicrosecond);
