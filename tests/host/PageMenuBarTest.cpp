#include <gtest/gtest.h>

#include <vector>

#include "CalyraEditorResources.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "platform/ui/shell/Shell.h"
#include "tests/host/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

class PageMenuBarTest : public EditorHostTest {
 protected:
  HWND OpenTaskPageMenuBar() {
    UseTestPage(PageNumber::Task, PageKind::Task);
    EXPECT_EQ(CalyraEditor_NewTask(0, nullptr, nullptr, u"Call", 0, nullptr, 0, 1, 0), 1);
    Pump();
    EditorPage* page = Component::Process().mainWindow->Frame().CurrentPage();
    return page ? page->MenuBar() : nullptr;
  }
  static int Image(HWND bar, int command) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_IMAGE;
    SendMessageW(bar, TB_GETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info));
    return info.iImage;
  }
  static RECT Rect(HWND bar, int command) {
    RECT rect{};
    SendMessageW(bar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
};

TEST_F(PageMenuBarTest, ThePageBarCarriesTheToolbarImagesAndKeepsItsSpacerWithoutAnInputPanelButton) {
  HWND bar = OpenTaskPageMenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(platform::MenuBarBitmaps(bar), (std::vector<int>{156}));
  EXPECT_EQ(Image(bar, 40014), 4);
  EXPECT_EQ(Image(bar, 40008), 3);
  RECT spacer = Rect(bar, 40015);
  RECT cancel = Rect(bar, 40014);
  EXPECT_EQ(cancel.left, spacer.right) << "the spacer keeps its template width";
  EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONENABLED, 40015, 0)) << "nothing touched the spacer";
}

TEST_F(PageMenuBarTest, TheSpacerPutsOkJustBeforeTheInputPanelButton) {
  HWND sipButton = CreateWindowExW(0, WC_SIPBUTTON, u"", WS_POPUP | WS_VISIBLE, 200, 294, 40, 26, nullptr,
                                   nullptr, nullptr, nullptr);
  ASSERT_NE(sipButton, nullptr);
  HWND bar = OpenTaskPageMenuBar();
  ASSERT_NE(bar, nullptr);
  POINT sipLeft{200, 294};
  ScreenToClient(bar, &sipLeft);
  EXPECT_EQ(Rect(bar, 40008).right, sipLeft.x - 2);
  EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, 40015, 0)) << "the spacer is not a button to press";
}

TEST_F(PageMenuBarTest, ASpacerWithNoRoomLeftIsRemoved) {
  HWND sipButton = CreateWindowExW(0, WC_SIPBUTTON, u"", WS_POPUP | WS_VISIBLE, 60, 294, 40, 26, nullptr,
                                   nullptr, nullptr, nullptr);
  ASSERT_NE(sipButton, nullptr);
  HWND bar = OpenTaskPageMenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, 40015, 0), -1);
  EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0) >= 2, true);
}

class HighDpiMenuBarTest : public PageMenuBarTest {
 protected:
  void ConfigureDevice() override {
    Device().SetSetting("Screen.DpiX", std::u16string(u"192"));
    Device().SetSetting("Screen.DpiY", std::u16string(u"192"));
  }
};

TEST_F(HighDpiMenuBarTest, LoadsTheLargeToolbarImages) {
  HWND bar = OpenTaskPageMenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(platform::MenuBarBitmaps(bar), (std::vector<int>{157}));
}

// A resource module without the large toolbar strip.
class MissingLargeBitmapTest : public HighDpiMenuBarTest {
 protected:
  HINSTANCE MakeResources() override {
    table_ = *CalyraResources_Table();
    for (uint32_t i = 0; i < table_.bitmapCount; ++i) {
      if (table_.bitmaps[i].id != 157) bitmaps_.push_back(table_.bitmaps[i]);
    }
    table_.bitmaps = bitmaps_.data();
    table_.bitmapCount = static_cast<uint32_t>(bitmaps_.size());
    return RegisterResourceModule(platform::ResourceModuleFromTable(&table_));
  }
  CalyraResourceTable table_{};
  std::vector<CalyraResourceBitmap> bitmaps_;
};

TEST_F(MissingLargeBitmapTest, FallsBackToTheSmallImages) {
  HWND bar = OpenTaskPageMenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(platform::MenuBarBitmaps(bar), (std::vector<int>{156}));
}

}  // namespace
