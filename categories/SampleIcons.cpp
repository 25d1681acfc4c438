#include "categories/SampleIcons.h"

#include "platform/gdi/Gdi.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

struct SampleIcon {
  int bitmap;
  const char16_t* name;
};

constexpr SampleIcon kSampleIcons[] = {
    {resources::kBitmapSampleHome, u"Home"}, {resources::kBitmapSampleWork, u"Work"},
    {resources::kBitmapSampleStar, u"Star"}, {resources::kBitmapSampleHeart, u"Heart"},
    {resources::kBitmapSampleFlag, u"Flag"}, {resources::kBitmapSamplePhone, u"Phone"},
};

}  // namespace

int WriteSampleIcons(HINSTANCE resources, const std::u16string& folder) {
  int written = 0;
  for (const SampleIcon& icon : kSampleIcons) {
    HBITMAP bitmap = LoadBitmapW(resources, MAKEINTRESOURCEW(icon.bitmap));
    if (!bitmap) continue;
    std::u16string path = folder + u"\\" + icon.name + u".bmp";
    if (platform::SaveBitmapFile(bitmap, path.c_str())) ++written;
    DeleteObject(bitmap);
  }
  return written;
}

}  // namespace calyra
