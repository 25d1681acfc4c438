#include <gtest/gtest.h>

#include "platform/gdi/ImageList.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/WindowDump.h"
#include "tests/lists/ListTestSupport.h"

namespace {

using namespace calyra::lists;
using calyra::testing::ListTest;

class VirtualListWindowTest : public ListTest {};

TEST_F(VirtualListWindowTest, TheFrameHoldsTheInnerListOverItsClientArea) {
  ASSERT_NE(MakeList({Value(u"Subject", u"Report")}, 150), nullptr);
  char16_t name[64] = {};
  GetClassNameW(list_, name, 64);
  EXPECT_EQ(std::u16string(name), kFrameClass);
  ASSERT_NE(Inner(), nullptr);
  GetClassNameW(Inner(), name, 64);
  EXPECT_EQ(std::u16string(name), kInnerClass);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(Inner(), GWL_STYLE)) & ~WS_VSCROLL, kInnerStyle);
  RECT inner{};
  GetClientRect(Inner(), &inner);
  EXPECT_EQ(inner.bottom, 150);
  WNDCLASSW info{};
  ASSERT_TRUE(GetClassInfoW(nullptr, kInnerClass, &info));
  EXPECT_EQ(info.style, kClassStyle);
  EXPECT_EQ(info.hbrBackground, GetStockObject(WHITE_BRUSH));
}

TEST_F(VirtualListWindowTest, WantsEveryKeySwallowsThemAndIgnoresTaps) {
  ASSERT_NE(MakeList({Value(u"Subject", u"Report"), Value(u"Due", u"Friday")}), nullptr);
  EXPECT_EQ(SendMessageW(Inner(), WM_GETDLGCODE, 0, 0), kDialogCode);
  EXPECT_EQ(kDialogCode, 5);
  EXPECT_EQ(SendMessageW(Inner(), WM_KEYDOWN, 0x28 /* VK_DOWN */, 0), 0);
  SendMessageW(Inner(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 30));
  EXPECT_EQ(VirtualList::CurrentRow(list_), 0) << "neither moves the selection";
}

TEST_F(VirtualListWindowTest, TheDumpListsTheRowsTexts) {
  ASSERT_NE(MakeList({Heading(u"Ann Smith"), Value(u"Company", u"Analytical Engines"),
                      Value(u"Mobile", u"555 0199", 0, kFieldLabelBeside)}),
            nullptr);
  std::string dump = platform::DumpWindowTree(list_);
  EXPECT_NE(dump.find("VL_VIRTUAL_LIST_CE_1.5"), std::string::npos) << dump;
  EXPECT_NE(dump.find("rows=4 [*Ann Smith] [Company] [Analytical Engines] [Mobile: 555 0199]"),
            std::string::npos)
      << dump;
}

TEST_F(VirtualListWindowTest, PaintsRowsInTheirFontsAndColours) {
  ListDisplay display;
  display.colours[kBackgroundColour] = RGB(250, 250, 240);
  display.colours[kTextColour] = RGB(0, 0, 200);
  display.colours[kLabelColour] = RGB(0, 120, 0);
  ASSERT_NE(
      MakeList({Heading(u"Title"), Value(u"Subject", u"Report"), Value(u"Tel", u"555", 0, kFieldLabelBeside)},
               200, display),
      nullptr);
  HDC dc = GetDC(Inner());
  std::vector<DrawnText> drawn = VirtualList::Paint(list_, dc);
  EXPECT_EQ(GetPixel(dc, 100, 150), RGB(250, 250, 240)) << "the background below the rows";
  ReleaseDC(Inner(), dc);
  ASSERT_EQ(drawn.size(), 5u);
  struct Expected {
    const char16_t* text;
    HFONT font;
    COLORREF colour;
  };
  const Expected expected[] = {{u"Title", normal_, RGB(0, 120, 0)},
                               {u"Subject", bold_, RGB(0, 120, 0)},
                               {u"Report", normal_, RGB(0, 0, 200)},
                               {u"Tel: ", bold_, RGB(0, 120, 0)},
                               {u"555", normal_, RGB(0, 0, 200)}};
  int line = Model().lineHeight;
  for (size_t i = 0; i < drawn.size(); ++i) {
    EXPECT_EQ(drawn[i].text, expected[i].text) << i;
    EXPECT_EQ(drawn[i].font, expected[i].font) << i;
    EXPECT_EQ(drawn[i].colour, expected[i].colour) << i;
  }
  EXPECT_EQ(drawn[2].rect.top, 2 * line);
  EXPECT_EQ(drawn[4].rect.left, Model().widestLabel) << "the value beside the widest label";
}

TEST_F(VirtualListWindowTest, AHeadingDrawsItsRulesInTheLabelColour) {
  ListDisplay display;
  display.colours[kLabelColour] = RGB(0, 120, 0);
  display.colours[kSelectionColour] = RGB(200, 200, 200);
  ListField below = Heading(u"Below");
  below.rowFlags = kRowLineBelow;
  ListField above = Heading(u"Above");
  above.rowFlags = kRowLineAbove;
  ASSERT_NE(MakeList({below, above}, 200, display), nullptr);
  int line = Model().lineHeight;
  HDC dc = GetDC(Inner());
  VirtualList::Paint(list_, dc);
  EXPECT_EQ(GetPixel(dc, 50, line - 1), RGB(0, 120, 0)) << "below the first";
  EXPECT_EQ(GetPixel(dc, 50, line - 2), RGB(200, 200, 200)) << "the selected first row";
  EXPECT_EQ(GetPixel(dc, 50, line), RGB(0, 120, 0)) << "above the second";
  EXPECT_EQ(GetPixel(dc, 50, 2 * line - 1), display.colours[kBackgroundColour]);
  ReleaseDC(Inner(), dc);
}

TEST_F(VirtualListWindowTest, PaintingFollowsTheScrollPositionAndSkipsHiddenRows) {
  std::vector<ListField> fields;
  for (int i = 0; i < 30; ++i) fields.push_back(Value(u"", u"row text", 0, kFieldNoLabel));
  ASSERT_NE(MakeList(fields, 50), nullptr);
  int line = Model().lineHeight;
  SendMessageW(Inner(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(3 * line)), 0);
  HDC dc = GetDC(Inner());
  std::vector<DrawnText> drawn = VirtualList::Paint(list_, dc);
  ReleaseDC(Inner(), dc);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.front().row, 3);
  EXPECT_EQ(drawn.front().rect.top, 0);
  EXPECT_LE(drawn.size(), static_cast<size_t>(50 / line + 1));
}

class ListActivationTest : public ListTest {
 protected:
  std::vector<platform::LaunchEntry> Activate(const ListField& field) {
    EXPECT_NE(MakeList({field}), nullptr);
    VirtualList::SelectFirst(list_);
    VirtualList::ActivateCurrent(list_);
    DestroyWindow(list_);
    return platform::ReadLaunchLog();
  }
};

TEST_F(ListActivationTest, EmailAndWebRowsStartTheirPrograms) {
  struct Case {
    const char* what;
    ListField field;
    const char* platformType;
    const char16_t* major;
    const char16_t* program;
    const char16_t* arguments;
  };
  const Case cases[] = {
      {"mail on a Pocket PC", Value(u"E-mail", u"ann@example.org", kRowEmail), "PocketPC", u"4", u"tmail.exe",
       u"-to \"ann@example.org\""},
      {"the platform type without regard to case", Value(u"E-mail", u"ann@example.org", kRowEmail),
       "pocketpc", u"3", u"tmail.exe", u"-to \"ann@example.org\""},
      {"mail on another handheld", Value(u"E-mail", u"bob@example.org", kRowEmail), "Jupiter", u"4",
       u"pmail.exe", u"-to \"bob@example.org\""},
      {"mail on a Pocket PC before version 3", Value(u"E-mail", u"bob@example.org", kRowEmail), "PocketPC",
       u"2", u"pmail.exe", u"-to \"bob@example.org\""},
      {"web page", Value(u"Web", u"www.example.org", kRowWeb), "PocketPC", u"4", u"iexplore.exe",
       u"www.example.org"},
      {"web row marked not to start", Value(u"Web", u"www.example.org", kRowWeb | kRowWebNoLaunch),
       "PocketPC", u"4", nullptr, nullptr},
      {"plain value", Value(u"Company", u"Analytical Engines"), "PocketPC", u"4", nullptr, nullptr},
      {"empty text", Value(u"", u"", kRowEmail, kFieldFixedText), "PocketPC", u"4", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    Device().SetSetting("PlatformType", platform::FromUtf8(c.platformType));
    Device().SetSetting("Version.Major", c.major);
    size_t before = platform::ReadLaunchLog().size();
    std::vector<platform::LaunchEntry> log = Activate(c.field);
    if (!c.program) {
      EXPECT_EQ(log.size(), before) << c.what;
      continue;
    }
    ASSERT_EQ(log.size(), before + 1) << c.what;
    EXPECT_EQ(log.back().program, c.program) << c.what;
    EXPECT_EQ(log.back().arguments, c.arguments) << c.what;
  }
}

}  // namespace

namespace {

TEST_F(VirtualListWindowTest, IconsComeFromTheRowsImageListOnTheRight) {
  ListField field = Value(u"", u"555 0100", kRowIconFirst | (kRowIconFirst << 1), kFieldNoLabel);
  field.image = 0;
  field.imageList = 1;
  ASSERT_NE(MakeList({field}), nullptr);
  HIMAGELIST images = ImageList_Create(20, 20, ILC_COLOR, 1, 1);
  HBITMAP bitmap = CreateBitmap(20, 20, 1, 32, nullptr);
  ASSERT_EQ(ImageList_Add(images, bitmap, nullptr), 0);
  DeleteObject(bitmap);
  Model().SetImageList(1, images);
  EXPECT_EQ(Model().ImageList(1), images);
  HDC dc = GetDC(Inner());
  std::vector<DrawnText> drawn = VirtualList::Paint(list_, dc);
  ReleaseDC(Inner(), dc);
  ASSERT_EQ(drawn.size(), 1u);
  RECT client{};
  GetClientRect(Inner(), &client);
  EXPECT_EQ(drawn[0].rect.right, client.right - 2 * 20) << "one icon width for each icon flag";
  Model().SetImageList(1, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images), 0) << "an image list replaced is destroyed";
}

}  // namespace
