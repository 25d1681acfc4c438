// Pictures of the editors: one page of each editor drawn as the screen shows it, compared with the
// golden pictures in tests/data/pictures at 96 and 192 dpi. CALYRA_UPDATE_GOLDENS=1 writes them anew.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "host/EditorFrame.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/paint/Paint.h"
#include "resources/ResourceIds.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

// A channel may differ this much before a pixel counts as different (glyph edges of another
// FreeType build).
constexpr int kChannelTolerance = 40;

struct Difference {
  int pixels = 0;
  RECT box{0, 0, 0, 0};
};

// The pixels of two pictures of one size that differ beyond the tolerance, and their bounding box.
Difference Compare(const platform::Pixels& a, const platform::Pixels& b) {
  Difference difference;
  difference.box = RECT{a.width, a.height, -1, -1};
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      uint32_t p = a.At(x, y), q = b.At(x, y);
      bool same = true;
      for (int shift = 0; shift <= 16; shift += 8) {
        same = same && std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                static_cast<int>((q >> shift) & 0xFF)) <= kChannelTolerance;
      }
      if (same) continue;
      ++difference.pixels;
      difference.box.left = std::min<LONG>(difference.box.left, x);
      difference.box.top = std::min<LONG>(difference.box.top, y);
      difference.box.right = std::max<LONG>(difference.box.right, x + 1);
      difference.box.bottom = std::max<LONG>(difference.box.bottom, y + 1);
    }
  }
  return difference;
}

std::string Describe(const Difference& difference) {
  std::ostringstream text;
  text << difference.pixels << " pixels differ within (" << difference.box.left << "," << difference.box.top
       << ")-(" << difference.box.right << "," << difference.box.bottom << ")";
  return text.str();
}

struct Page {
  const char* name;
  EditorKind kind;
};

class EditorPicturesTest : public EditorHostTest,
                           public ::testing::WithParamInterface<std::tuple<Page, int>> {
 protected:
  void ConfigureDevice() override {
    std::u16string dpi = Dpi() == 192 ? u"192" : u"96";
    Device().SetSetting("Screen.DpiX", dpi);
    Device().SetSetting("Screen.DpiY", dpi);
    Device().SetSetting("Screen.Width", Dpi() == 192 ? std::u16string(u"480") : std::u16string(u"240"));
    Device().SetSetting("Screen.Height", Dpi() == 192 ? std::u16string(u"640") : std::u16string(u"320"));
  }
  static int Dpi() { return std::get<1>(GetParam()); }

  void Open(EditorKind kind) {
    SYSTEMTIME start{2024, 3, 5, 15, 14, 0, 0, 0};
    SYSTEMTIME end{2024, 3, 5, 15, 15, 30, 0, 0};
    switch (kind) {
      case EditorKind::NewAppointment:
        ASSERT_EQ(NewItem(kind).Subject(u"Dentist").From(start).To(end).Post(), 1);
        break;
      case EditorKind::NewTask:
        ASSERT_EQ(NewItem(kind).Subject(u"Call the plumber").From(start).Post(), 1);
        break;
      case EditorKind::EditProject:
        ASSERT_EQ(EditItem(kind, SaveProject(u"Kitchen")).Post(), 1);
        break;
      default:
        ASSERT_EQ(NewItem(kind).Post(), 1);
        break;
    }
    Pump();
  }
};

TEST_P(EditorPicturesTest, TheFirstPageLooksAsItsGoldenPicture) {
  const Page& page = std::get<0>(GetParam());
  Open(page.kind);
  platform::Pixels screen = platform::DrawScreen();
  ASSERT_EQ(screen.width, Dpi() == 192 ? 480 : 240);
  ASSERT_EQ(screen.height, Dpi() == 192 ? 640 : 320);
  std::filesystem::path golden = std::filesystem::path(CALYRA_PICTURE_TEST_DATA) /
                                 (std::string(page.name) + "-" + std::to_string(Dpi()) + ".png");
  const char* update = std::getenv("CALYRA_UPDATE_GOLDENS");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(platform::WritePngFile(screen, golden.string())) << golden;
    return;
  }
  platform::Pixels expected = ReadPng(golden);
  ASSERT_EQ(expected.width, screen.width) << golden
                                          << " is missing or of another size; CALYRA_UPDATE_GOLDENS=1 "
                                             "writes it";
  ASSERT_EQ(expected.height, screen.height) << golden;
  Difference difference = Compare(expected, screen);
  if (difference.pixels > 0) {
    std::filesystem::path actual = std::filesystem::temp_directory_path() / golden.filename();
    platform::WritePngFile(screen, actual.string());
    ADD_FAILURE() << golden.filename() << ": " << Describe(difference) << "; the picture drawn is " << actual;
  }
}

INSTANTIATE_TEST_SUITE_P(Editors, EditorPicturesTest,
                         ::testing::Combine(::testing::Values(Page{"appointment", EditorKind::NewAppointment},
                                                              Page{"task", EditorKind::NewTask},
                                                              Page{"contact", EditorKind::NewContact},
                                                              Page{"project", EditorKind::EditProject}),
                                            ::testing::Values(96, 192)),
                         [](const ::testing::TestParamInfo<std::tuple<Page, int>>& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

class FieldPictureTest : public EditorHostTest {};

// What a person types shows where the field stands, and nowhere else.
TEST_F(FieldPictureTest, TheTaskPagesPictureChangesWhereTheSubjectChanges) {
  ASSERT_EQ(NewItem(EditorKind::NewTask).Subject(u"Call the plumber").Post(), 1);
  Pump();
  HWND subject = GetDlgItem(Frame().FocusedPage(), resources::kTaskSubject);
  ASSERT_NE(subject, nullptr);
  platform::Pixels before = platform::DrawScreen();
  ASSERT_TRUE(platform::UserType(subject, u"Call the electrician"));
  Pump();
  platform::Pixels after = platform::DrawScreen();
  Difference difference = Compare(before, after);
  ASSERT_GT(difference.pixels, 20) << "the new text is drawn";
  RECT field{};
  GetWindowRect(subject, &field);
  EXPECT_GE(difference.box.left, field.left) << Describe(difference);
  EXPECT_GE(difference.box.top, field.top) << Describe(difference);
  EXPECT_LE(difference.box.right, field.right) << Describe(difference);
  EXPECT_LE(difference.box.bottom, field.bottom) << Describe(difference);
  EXPECT_EQ(Compare(after, platform::DrawScreen()).pixels, 0) << "the same screen draws the same picture";
}

}  // namespace
