#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "CalyraEditorResources.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/ImageList.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/Text.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "tests/support/DeviceTest.h"
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
using calyra::testing::DeviceTest;

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kMagenta = 0xFF00FF;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr uint32_t kDarkGrey = 0x404040;  // the frame's outline

// A 2x2 GIF, rows red green / blue white.
const BYTE kGif2x2[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0x81, 0x00, 0x00, 0xff,
                        0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0x2c, 0x00, 0x00,
                        0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00, 0x02, 0x03, 0x44, 0xa8, 0x15, 0x00, 0x3b};

enum class Format { kBmp, kJpeg };

// A picture of one colour (0x00RRGGBB), encoded as a file of the format.
std::vector<BYTE> Solid(int width, int height, uint32_t colour, Format format) {
  std::vector<BYTE> rgb;
  for (int i = 0; i < width * height; ++i) {
    rgb.push_back(static_cast<BYTE>(colour >> 16));
    rgb.push_back(static_cast<BYTE>(colour >> 8));
    rgb.push_back(static_cast<BYTE>(colour));
  }
  std::vector<BYTE> file;
  auto append = [](void* context, void* data, int size) {
    auto* out = static_cast<std::vector<BYTE>*>(context);
    out->insert(out->end(), static_cast<BYTE*>(data), static_cast<BYTE*>(data) + size);
  };
  if (format == Format::kBmp)
    stbi_write_bmp_to_func(append, &file, width, height, 3, rgb.data());
  else
    stbi_write_jpg_to_func(append, &file, width, height, 3, rgb.data(), 95);
  return file;
}

bool Near(uint32_t pixel, uint32_t expected, int tolerance = 24) {
  for (int shift = 0; shift < 24; shift += 8) {
    int a = static_cast<int>((pixel >> shift) & 0xFF);
    int b = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

class ContactPhotosTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    resources_ = platform::RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
    photos_.emplace();
  }
  // The cache's image list is a handle of the device's process: it goes before the device does.
  void TearDown() override {
    photos_.reset();
    DeviceTest::TearDown();
  }

  ContactPhotos& Photos() { return *photos_; }
  void Init(COLORREF background = kWhite) {
    Photos().InitContactPhotos(resources_, nullptr, resources::kBitmapPhotoFrame, background);
  }
  HIMAGELIST Load(const char16_t* primary, const char16_t* alternative = nullptr,
                  PhotoReload reload = PhotoReload::kIfNameChanged) {
    return Photos().LoadContactPhoto(primary, alternative, reload);
  }
  HIMAGELIST Reload(const char16_t* primary) { return Load(primary, nullptr, PhotoReload::kAlways); }

  // Writes a file into the photo folder.
  static void Write(const std::u16string& file, const std::vector<BYTE>& bytes) {
    std::u16string path = GetContactPhotoFolder() + u"\\" + file;
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << "cannot write " << platform::ToUtf8(path);
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(handle);
    ASSERT_EQ(written, bytes.size());
  }
  static void Delete(const std::u16string& file) {
    ASSERT_TRUE(DeleteFileW((GetContactPhotoFolder() + u"\\" + file).c_str()));
  }
  static void SetFolderSetting(const std::u16string& folder) {
    platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra")
        .SetText(u"ContactPhotoFolder", folder);
  }

  static platform::Pixels Thumbnail(HIMAGELIST list) { return platform::ImageListImage(list, 0).image; }

  HINSTANCE resources_ = nullptr;
  std::optional<ContactPhotos> photos_;
};

// ---- Fitting ----

struct FitCase {
  int width, height, boxWidth, boxHeight;
  PhotoPlacement expected;
};

constexpr FitCase kFitCases[] = {
    {200, 100, 50, 50, {1, 13, 50, 25}},    // wider: the box's width, centred vertically
    {100, 200, 50, 50, {13, 1, 25, 50}},    // taller: the box's height, centred horizontally
    {30, 30, 50, 50, {11, 11, 30, 30}},     // smaller: kept, centred
    {49, 49, 50, 50, {1, 1, 49, 49}},       // one pixel smaller still keeps its size
    {50, 50, 50, 50, {1, 1, 50, 50}},       // a square as large as the box fills it
    {640, 640, 50, 50, {1, 1, 50, 50}},     // a larger square fills it
    {49, 10, 50, 50, {1, 21, 49, 10}},      // smaller both ways though much wider
    {50, 10, 50, 50, {1, 21, 50, 10}},      // as wide as the box: fitted, here to its own size
    {60, 40, 50, 50, {1, 9, 50, 33}},       // rounded down
    {40, 60, 50, 50, {9, 1, 33, 50}},       //
    {20, 60, 50, 50, {18, 1, 16, 50}},      // taller and narrower than the box
    {4096, 1, 50, 50, {1, 26, 50, 0}},      // so wide it has no height left
    {200, 100, 100, 75, {1, 20, 100, 37}},  // a screen of 192 x 144 dpi
    {100, 200, 100, 75, {26, 1, 50, 75}},   // half as wide in logical pixels
    {80, 80, 100, 75, {1, 1, 100, 75}},     // a square fills a box of unequal sides
    {30, 30, 100, 75, {36, 23, 30, 30}},    //
};

TEST(FitPhotoTest, PlacesEachShapeOfPicture) {
  for (const FitCase& c : kFitCases) {
    SCOPED_TRACE(::testing::Message()
                 << c.width << " x " << c.height << " in " << c.boxWidth << " x " << c.boxHeight);
    PhotoPlacement place = FitPhoto(c.width, c.height, c.boxWidth, c.boxHeight);
    EXPECT_EQ(place.x, c.expected.x);
    EXPECT_EQ(place.y, c.expected.y);
    EXPECT_EQ(place.width, c.expected.width);
    EXPECT_EQ(place.height, c.expected.height);
  }
}

// ---- File names ----

struct NameCase {
  std::u16string name;
  std::optional<std::u16string> file;
};

TEST(PhotoFileNameTest, TrimsAndReplacesWhatAFileNameCannotHold) {
  const std::u16string longest(250, u'x');
  const NameCase cases[] = {
      {u" Ann Lee ", u"Ann Lee"},
      {u"\tAnn\r\n", u"Ann"},
      {u"Ann  Lee", u"Ann  Lee"},
      {u"a\\b/c:d*e?f\"g<h>i|j", u"a_b_c_d_e_f_g_h_i_j"},
      {u"O'Neil, Dr. (Jr.)", u"O'Neil, Dr. (Jr.)"},
      {u"", std::nullopt},
      {u" \t ", std::nullopt},
      {longest, longest},
      {u"  " + longest + u"  ", longest},  // the blanks around it do not count
      {longest + u"y", std::nullopt},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(platform::ToUtf8(c.name));
    EXPECT_EQ(PhotoFileName(c.name), c.file);
  }
}

// ---- The folder ----

TEST_F(ContactPhotosTest, DefaultFolderIsMadeInTheDocumentsFolder) {
  std::u16string folder = u"\\My Documents\\CalyraContactPhotos";
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetContactPhotoFolder(), folder);
  DWORD attributes = GetFileAttributesW(folder.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(ContactPhotosTest, FolderSettingIsHonoured) {
  const std::u16string tooLong = u"\\" + std::u16string(300, u'p');
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"\\Photos", u"\\Photos"},
      {u"\\Photos\\", u"\\Photos"},  // no doubled backslash before the file name
      {u"", u"\\My Documents\\CalyraContactPhotos"},
      {tooLong, tooLong.substr(0, 260)},  // the setting holds 520 bytes
  };
  for (const auto& [setting, folder] : cases) {
    SCOPED_TRACE(platform::ToUtf8(setting));
    SetFolderSetting(setting);
    EXPECT_EQ(GetContactPhotoFolder(), folder);
  }
  EXPECT_EQ(GetFileAttributesW(u"\\Photos"), INVALID_FILE_ATTRIBUTES) << "a folder that is set is not made";
}

TEST_F(ContactPhotosTest, PhotoIsFoundInTheFolderSet) {
  CreateDirectoryW(u"\\Photos", nullptr);
  SetFolderSetting(u"\\Photos");
  Write(u"Ann.bmp", Solid(30, 30, kRed, Format::kBmp));
  Init();
  EXPECT_NE(Load(u"Ann"), nullptr);
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\CalyraContactPhotos"), INVALID_FILE_ATTRIBUTES);
}

// ---- Finding the file ----

TEST_F(ContactPhotosTest, ExtensionsAreTriedInOrder) {
  // One file per extension, each of its own colour; taking them away one by one shows the order.
  Write(u"Ann Lee.bmp", Solid(30, 30, kBlue, Format::kBmp));
  Write(u"Ann Lee.jpg", Solid(30, 30, kYellow, Format::kJpeg));
  Write(u"Ann Lee.jpeg", Solid(30, 30, kMagenta, Format::kJpeg));
  Write(u"Ann Lee.gif", std::vector<BYTE>(kGif2x2, kGif2x2 + sizeof(kGif2x2)));
  Init();
  const std::pair<const char16_t*, uint32_t> steps[] = {{u"Ann Lee.bmp", kBlue},
                                                        {u"Ann Lee.jpg", kYellow},
                                                        {u"Ann Lee.jpeg", kMagenta},
                                                        {u"Ann Lee.gif", kRed}};
  for (const auto& [file, colour] : steps) {
    SCOPED_TRACE(platform::ToUtf8(file));
    HIMAGELIST list = Reload(u" Ann Lee ");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Photos().CachedName(), u"Ann Lee");
    // The 30 x 30 pictures and the 2 x 2 one all cover (25, 25).
    EXPECT_TRUE(Near(Thumbnail(list).At(25, 25), colour)) << std::hex << Thumbnail(list).At(25, 25);
    Delete(file);
  }
  EXPECT_EQ(Reload(u" Ann Lee "), nullptr);
  EXPECT_FALSE(Photos().HasContactPhoto());
}

TEST_F(ContactPhotosTest, BitmapIsPreferredOverJpeg) {
  Write(u"X.jpg", Solid(30, 30, kYellow, Format::kJpeg));
  Write(u"X.bmp", Solid(30, 30, kBlue, Format::kBmp));
  Init();
  HIMAGELIST list = Load(u"X");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Thumbnail(list).At(25, 25), kBlue);
}

TEST_F(ContactPhotosTest, UnsafeCharactersAreReplacedInTheFileName) {
  Write(u"A_B_C_D.bmp", Solid(30, 30, kBlue, Format::kBmp));
  Init();
  EXPECT_NE(Load(u"A/B:C?D"), nullptr);
  EXPECT_EQ(Photos().CachedName(), u"A_B_C_D");
}

TEST_F(ContactPhotosTest, AlternativeNameIsUsedWhenThePrimaryHasNoFile) {
  Write(u"Ann.bmp", Solid(30, 30, kBlue, Format::kBmp));
  Write(u"Bob.bmp", Solid(30, 30, kRed, Format::kBmp));
  Init();
  struct Case {
    const char16_t* primary;
    const char16_t* alternative;
    const char16_t* found;  // null: no photo
  };
  const Case cases[] = {
      {u"Nobody", u"Ann", u"Ann"},   {u"Bob", u"Ann", u"Bob"},      {nullptr, u"Ann", u"Ann"},
      {u"", u"Ann", u"Ann"},         {u"Nobody", nullptr, nullptr}, {u"Nobody", u"", nullptr},
      {u"Nobody", u"Else", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.primary ? platform::ToUtf8(c.primary) : "null") << " / "
                                      << (c.alternative ? platform::ToUtf8(c.alternative) : "null"));
    HIMAGELIST list = Load(c.primary, c.alternative, PhotoReload::kAlways);
    EXPECT_EQ(list != nullptr, c.found != nullptr);
    EXPECT_EQ(Photos().CachedName(), c.found ? c.found : u"");
  }
}

// ---- The cache ----

TEST_F(ContactPhotosTest, SecondLoadOfTheSameNameDoesNotReadTheFileAgain) {
  Write(u"Ann.bmp", Solid(30, 30, kBlue, Format::kBmp));
  Init();
  HIMAGELIST first = Load(u"Ann");
  ASSERT_NE(first, nullptr);
  Delete(u"Ann.bmp");
  EXPECT_EQ(Load(u" Ann"), first) << "the same file name answers from the cache";
  EXPECT_TRUE(Photos().HasContactPhoto());
  EXPECT_EQ(Reload(u"Ann"), nullptr) << "forced, the file is looked for again";
  EXPECT_FALSE(Photos().HasContactPhoto());
  EXPECT_EQ(Photos().CachedName(), u"");
}

TEST_F(ContactPhotosTest, AnotherContactReplacesTheThumbnail) {
  Write(u"Ann.bmp", Solid(30, 30, kBlue, Format::kBmp));
  Write(u"Bob.bmp", Solid(30, 30, kRed, Format::kBmp));
  Init();
  HIMAGELIST ann = Load(u"Ann");
  ASSERT_NE(ann, nullptr);
  HIMAGELIST bob = Load(u"Bob");
  ASSERT_NE(bob, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(ann), 0) << "the previous thumbnail is destroyed";
  EXPECT_EQ(ImageList_GetImageCount(bob), 1);
  EXPECT_EQ(Thumbnail(bob).At(25, 25), kRed);
  // A contact without a photo leaves none behind.
  EXPECT_EQ(Load(u"Carol"), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(bob), 0);
  EXPECT_FALSE(Photos().HasContactPhoto());
}

TEST_F(ContactPhotosTest, NothingIsLoadedBeforeInit) {
  Write(u"Ann.bmp", Solid(30, 30, kBlue, Format::kBmp));
  EXPECT_EQ(Load(u"Ann"), nullptr);
  EXPECT_EQ(Reload(u"Ann"), nullptr);
  EXPECT_FALSE(Photos().HasContactPhoto());
  Init();
  EXPECT_NE(Load(u"Ann"), nullptr);
}

// ---- Files that are no picture ----

TEST_F(ContactPhotosTest, EmptyDamagedAndOverLongGiveNoPhoto) {
  std::vector<BYTE> cut = Solid(30, 30, kBlue, Format::kJpeg);
  cut.resize(cut.size() / 2);
  std::vector<BYTE> noise(400);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<BYTE>(i * 37 + 11);
  std::vector<BYTE> header = Solid(30, 30, kBlue, Format::kBmp);
  header.resize(54);  // a bitmap's headers without its pixels
  const std::pair<const char16_t*, std::vector<BYTE>> files[] = {
      {u"Empty.bmp", {}}, {u"Cut.jpg", cut}, {u"Noise.gif", noise}, {u"Header.bmp", header}};
  for (const auto& [file, bytes] : files) Write(file, bytes);
  Write(u"Good.bmp", Solid(30, 30, kBlue, Format::kBmp));
  Init();
  for (const char16_t* name : {u"Empty", u"Cut", u"Noise", u"Header"}) {
    SCOPED_TRACE(platform::ToUtf8(name));
    ASSERT_NE(Load(u"Good"), nullptr);
    EXPECT_EQ(Load(name), nullptr);
    EXPECT_FALSE(Photos().HasContactPhoto()) << "the photo before is not kept for this name";
    EXPECT_EQ(Load(name), nullptr) << "nor answered from the cache";
  }
  // A name too long for a file has no photo, and an alternative name is looked for instead.
  const std::u16string tooLong(251, u'x');
  EXPECT_EQ(Load(tooLong.c_str()), nullptr);
  EXPECT_NE(Load(tooLong.c_str(), u"Good"), nullptr);
  EXPECT_EQ(Photos().CachedName(), u"Good");
}

TEST_F(ContactPhotosTest, FirstFileThatOpensWinsEvenWhenItIsNoPicture) {
  Write(u"Ann.bmp", {});
  Write(u"Ann.jpg", Solid(30, 30, kYellow, Format::kJpeg));
  Init();
  EXPECT_EQ(Load(u"Ann"), nullptr);
}

// ---- The thumbnail ----

struct ThumbnailCase {
  const char16_t* dpiX;
  const char16_t* dpiY;
  int pictureWidth, pictureHeight;
  int thumbnailWidth, thumbnailHeight;
  PhotoPlacement place;
};

constexpr ThumbnailCase kThumbnailCases[] = {
    {u"96", u"96", 200, 100, 55, 55, {1, 13, 50, 25}},
    {u"96", u"96", 30, 30, 55, 55, {11, 11, 30, 30}},
    {u"96", u"96", 100, 200, 55, 55, {13, 1, 25, 50}},
    {u"96", u"96", 64, 64, 55, 55, {1, 1, 50, 50}},
    {u"192", u"192", 200, 100, 110, 110, {1, 26, 100, 50}},
    {u"192", u"192", 30, 30, 110, 110, {36, 36, 30, 30}},
    {u"131", u"131", 30, 30, 75, 75, {20, 20, 30, 30}},  // (131 x 50 + 48) / 96 = 68
    {u"192", u"96", 30, 30, 110, 55, {36, 11, 30, 30}},
};

TEST_F(ContactPhotosTest, ThumbnailPlacesThePictureInsideTheFrame) {
  Init(RGB(255, 255, 255));
  for (const ThumbnailCase& c : kThumbnailCases) {
    SCOPED_TRACE(::testing::Message() << platform::ToUtf8(c.dpiX) << " x " << platform::ToUtf8(c.dpiY)
                                      << " dpi, " << c.pictureWidth << " x " << c.pictureHeight);
    Device().SetSetting("Screen.DpiX", c.dpiX);
    Device().SetSetting("Screen.DpiY", c.dpiY);
    Write(u"Ann.bmp", Solid(c.pictureWidth, c.pictureHeight, kBlue, Format::kBmp));
    HIMAGELIST list = Reload(u"Ann");
    ASSERT_NE(list, nullptr);
    platform::Pixels pixels = Thumbnail(list);
    ASSERT_EQ(pixels.width, c.thumbnailWidth);
    ASSERT_EQ(pixels.height, c.thumbnailHeight);
    const PhotoPlacement& p = c.place;
    int right = p.x + p.width - 1, bottom = p.y + p.height - 1;
    // The frame is stretched with the thumbnail: at more than 96 dpi its outline is wider than the
    // one pixel the picture leaves free, and covers the picture's edge.
    int outlineX = (c.thumbnailWidth + 54) / 55, outlineY = (c.thumbnailHeight + 54) / 55;
    int left = std::max(p.x, outlineX), top = std::max(p.y, outlineY);
    EXPECT_EQ(pixels.At(left, top), kBlue);
    EXPECT_EQ(pixels.At(right, bottom), kBlue);
    // Around the picture, inside the frame: the background.
    if (p.x > outlineX) {
      EXPECT_EQ(pixels.At(p.x - 1, top), 0xFFFFFFu);
    }
    if (p.y > outlineY) {
      EXPECT_EQ(pixels.At(left, p.y - 1), 0xFFFFFFu);
    }
    if (right + 1 < c.thumbnailWidth - 5) {
      EXPECT_EQ(pixels.At(right + 1, bottom), 0xFFFFFFu);
    }
    if (bottom + 1 < c.thumbnailHeight - 5) {
      EXPECT_EQ(pixels.At(right, bottom + 1), 0xFFFFFFu);
    }
    EXPECT_EQ(pixels.At(0, 0), kDarkGrey) << "the frame is drawn over the corner";
  }
}

TEST_F(ContactPhotosTest, BackgroundInTheKeyColourIsTransparent) {
  Write(u"Ann.bmp", Solid(30, 30, kBlue, Format::kBmp));
  const std::pair<COLORREF, bool> cases[] = {{kPhotoThumbnailKey, true}, {RGB(255, 255, 255), false}};
  for (const auto& [background, transparent] : cases) {
    SCOPED_TRACE(background);
    Init(background);
    HIMAGELIST list = Load(u"Ann");
    ASSERT_NE(list, nullptr);
    platform::ListImage image = platform::ImageListImage(list, 0);
    EXPECT_EQ(image.transparent[5 * 55 + 5], transparent) << "beside the picture, inside the frame";
    EXPECT_FALSE(image.transparent[25 * 55 + 25]) << "the picture";
    EXPECT_FALSE(image.transparent[0]) << "the frame";
  }
}

TEST_F(ContactPhotosTest, InitAgainDropsTheThumbnailMadeBefore) {
  Write(u"Ann.bmp", Solid(30, 30, kBlue, Format::kBmp));
  Init(RGB(255, 255, 255));
  HIMAGELIST white = Load(u"Ann");
  ASSERT_NE(white, nullptr);
  Init(RGB(0, 0, 0));
  EXPECT_FALSE(Photos().HasContactPhoto());
  HIMAGELIST black = Load(u"Ann");
  ASSERT_NE(black, nullptr);
  EXPECT_EQ(Thumbnail(black).At(5, 5), 0x000000u) << "made again with the new background";
}

}  // namespace
