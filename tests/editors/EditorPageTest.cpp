#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "CalyraEditorResources.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/shell/Shell.h"
#include "projects/Project.h"
#include "resources/ResourceIds.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

class PageMenuBarTest : public EditorHostTest {
 protected:
  HWND OpenTaskPageMenuBar() {
    UseTestPage(PageNumber::Task);
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
  EXPECT_EQ(platform::MenuBarBitmaps(bar), (std::vector<int>{kBitmapToolbar}));
  EXPECT_EQ(Image(bar, kCommandCancel), kImageCancel);
  EXPECT_EQ(Image(bar, kCommandOk), kImageOk);
  RECT spacer = Rect(bar, kCommandSpacer);
  RECT cancel = Rect(bar, kCommandCancel);
  EXPECT_EQ(cancel.left, spacer.right) << "the spacer keeps its template width";
  EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONENABLED, kCommandSpacer, 0)) << "nothing touched the spacer";
}

TEST_F(PageMenuBarTest, TheSpacerPutsOkJustBeforeTheInputPanelButton) {
  HWND sipButton = CreateWindowExW(0, WC_SIPBUTTON, u"", WS_POPUP | WS_VISIBLE, 200, 294, 40, 26, nullptr,
                                   nullptr, nullptr, nullptr);
  ASSERT_NE(sipButton, nullptr);
  HWND bar = OpenTaskPageMenuBar();
  ASSERT_NE(bar, nullptr);
  POINT sipLeft{200, 294};
  ScreenToClient(bar, &sipLeft);
  EXPECT_EQ(Rect(bar, kCommandOk).right, sipLeft.x - 2);
  EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, kCommandSpacer, 0))
      << "the spacer is not a button to press";
}

TEST_F(PageMenuBarTest, ASpacerWithNoRoomLeftIsRemoved) {
  HWND sipButton = CreateWindowExW(0, WC_SIPBUTTON, u"", WS_POPUP | WS_VISIBLE, 60, 294, 40, 26, nullptr,
                                   nullptr, nullptr, nullptr);
  ASSERT_NE(sipButton, nullptr);
  HWND bar = OpenTaskPageMenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, kCommandSpacer, 0), -1);
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
  EXPECT_EQ(platform::MenuBarBitmaps(bar), (std::vector<int>{kBitmapToolbarLarge}));
}

// A resource module without the large toolbar strip.
class MissingLargeBitmapTest : public HighDpiMenuBarTest {
 protected:
  HINSTANCE MakeResources() override {
    table_ = *CalyraResources_Table();
    for (uint32_t i = 0; i < table_.bitmapCount; ++i) {
      if (table_.bitmaps[i].id != kBitmapToolbarLarge) bitmaps_.push_back(table_.bitmaps[i]);
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
  EXPECT_EQ(platform::MenuBarBitmaps(bar), (std::vector<int>{kBitmapToolbar}));
  SIZE image = platform::MenuBarImageSize(bar);
  EXPECT_EQ(image.cx, 16);
  EXPECT_EQ(image.cy, 16) << "the small strip at its own size, not scaled";
}

// What each page does when it is shown: its menu bar, what it asks of the input panel, and whether
// it brings back the control that had the focus.
class PageRulesTest : public EditorHostTest {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    UseTestPages();
  }
  bool SipUp() {
    SIPINFO info{};
    info.cbSize = sizeof(info);
    SHSipInfo(SPI_GETSIPINFO, 0, &info, 0);
    return (info.fdwFlags & SIPF_ON) != 0;
  }
  // Shows the tab with the input panel in the state opposite to what the page may ask for.
  void ShowTab(int index, bool sipUpBefore) {
    SipShowIM(sipUpBefore ? SIPF_ON : SIPF_OFF);
    Pump();
    if (Frame().CurrentTab() != index) {
      ASSERT_TRUE(platform::UserSelectTab(Tabs(), index));
    }
    Pump();
  }
  struct Expected {
    PageNumber page;
    int menu;
    std::optional<bool> sipUp;  // none: the input panel is left as it was
  };
  void CheckTabs(const std::vector<Expected>& expected) {
    for (size_t index = 0; index < expected.size(); ++index) {
      const Expected& e = expected[index];
      SCOPED_TRACE(static_cast<int>(e.page));
      bool before = e.sipUp ? !*e.sipUp : (index % 2 == 0);
      ShowTab(static_cast<int>(index), before);
      EditorPage* page = Frame().CurrentPage();
      ASSERT_NE(page, nullptr);
      EXPECT_EQ(page, Frame().Pages().GetPage(e.page));
      EXPECT_EQ(platform::MenuBarMenu(page->MenuBar()), e.menu);
      EXPECT_EQ(SipUp(), e.sipUp.value_or(before));
    }
  }
};

TEST_F(PageRulesTest, AppointmentPages) {
  ASSERT_EQ(NewItem(EditorKind::NewAppointment).Post(), 1);
  Pump();
  CheckTabs({{PageNumber::Appointment, kMenuAppointmentPage, std::nullopt},
             {PageNumber::Recurrence, kMenuRecurrencePage, std::nullopt},
             {PageNumber::Notes, kMenuNotesPage, true},
             {PageNumber::Categories, kMenuCategoriesPage, false},
             {PageNumber::Links, kMenuPlainPage, false},
             {PageNumber::Attendees, kMenuPlainPage, false}});
}

TEST_F(PageRulesTest, ATemplateShowsItsDisabledPagesWithThePlainMenu) {
  CPIMAppointment appointment;
  appointment.start = Date(2999, 9, 9, 9);
  appointment.end = Date(2999, 9, 9, 10);
  ItemContext context;
  ASSERT_EQ(appointment.Save(context), S_OK);
  ASSERT_EQ(EditItem(EditorKind::EditAppointment, appointment.oid).EditValue(1).Post(), 1);
  Pump();
  CheckTabs({{PageNumber::Appointment, kMenuAppointmentPage, std::nullopt},
             {PageNumber::Recurrence, kMenuPlainPage, std::nullopt},
             {PageNumber::Notes, kMenuNotesPage, true},
             {PageNumber::Categories, kMenuCategoriesPage, false},
             {PageNumber::Links, kMenuPlainPage, false}});
}

TEST_F(PageRulesTest, TaskAndContactPages) {
  ASSERT_EQ(NewItem(EditorKind::NewTask).Post(), 1);
  Pump();
  CheckTabs({{PageNumber::Task, kMenuTaskPage, std::nullopt},
             {PageNumber::Recurrence, kMenuRecurrencePage, std::nullopt},
             {PageNumber::Notes, kMenuNotesPage, true},
             {PageNumber::Categories, kMenuCategoriesPage, false},
             {PageNumber::Links, kMenuPlainPage, false}});
  SendMessageW(MainWindow(), WM_COMMAND, IDCANCEL, 0);
  ASSERT_EQ(NewItem(EditorKind::NewContact).Post(), 1);
  Pump();
  CheckTabs({{PageNumber::Contact, kMenuContactPage, std::nullopt},
             {PageNumber::Notes, kMenuNotesPage, true},
             {PageNumber::Categories, kMenuCategoriesPage, false},
             {PageNumber::Links, kMenuPlainPage, false}});
}

TEST_F(PageRulesTest, ProjectPages) {
  ItemOid record = SaveProject(u"Garden");
  ASSERT_EQ(EditItem(EditorKind::EditProject, record).Post(), 1);
  Pump();
  CheckTabs({{PageNumber::Project, kMenuPlainPage, std::nullopt},
             {PageNumber::ProjectNotes, kMenuNotesPage, true},
             {PageNumber::ProjectContents, kMenuPlainPage, false},
             {PageNumber::ProjectThird, kMenuPlainPage, false},
             {PageNumber::ProjectFourth, kMenuProjectReportPage, false}});
}

TEST_F(PageRulesTest, OnlyTheMainRecurrenceAndProjectPagesBringBackTheirFocus) {
  struct Case {
    EditorKind kind;
    int tab;
    bool remembers;
  };
  // A second control in each test page takes the focus before the page is left.
  const Case cases[] = {
      {EditorKind::NewTask, 0, true},     {EditorKind::NewTask, 1, true},     {EditorKind::NewTask, 2, false},
      {EditorKind::NewContact, 0, false}, {EditorKind::NewContact, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind) * 100 + c.tab);
    ASSERT_EQ(NewItem(c.kind).Post(), 1);
    Pump();
    ShowTab(c.tab, false);
    HWND page = Frame().FocusedPage();
    ASSERT_NE(page, nullptr);
    HWND second = GetDlgItem(page, TestPage::kSecondField);
    SetFocus(second);
    ShowTab(c.tab == 0 ? 1 : 0, false);
    ShowTab(c.tab, false);
    EXPECT_EQ(GetFocus() == second, c.remembers);
    SendMessageW(MainWindow(), WM_COMMAND, IDCANCEL, 0);
    Pump();
  }
}

}  // namespace
