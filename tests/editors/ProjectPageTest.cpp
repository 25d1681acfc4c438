// The project editor's first page: what it shows of a project and the rules by which it stores the
// name, the percentage, the dates and the open-list flag.
#include <gtest/gtest.h>

#include "CalyraEditor.h"
#include "editors/ProjectPage.h"
#include "host/EditorFrame.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "projects/Project.h"
#include "projects/ProjectStore.h"
#include "resources/ResourceIds.h"
#include "tests/projects/ProjectTestSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

constexpr SYSTEMTIME kNoDate = platform::kNoDateSystemTime;

class ProjectPageTest : public EditorHostTest {
 protected:
  HWND Control(int id) { return GetDlgItem(Frame().FocusedPage(), id); }
  void Open(ItemOid record) {
    ASSERT_EQ(EditItem(EditorKind::EditProject, record).Post(), 1);
    Pump();
    ASSERT_NE(Control(kProjectName), nullptr);
  }
  static void Pick(HWND picker, const SYSTEMTIME& day) {
    if (platform::IsDateSet(day)) {
      DateTime_SetSystemtime(picker, GDT_VALID, &day);
    } else {
      DateTime_SetSystemtime(picker, GDT_NONE, nullptr);
    }
  }
  // Types the fields, presses OK and reads the stored project back.
  Project SaveWith(ItemOid record, const std::u16string& name, const std::u16string& percent,
                   const SYSTEMTIME& start, const SYSTEMTIME& end, const SYSTEMTIME& completed) {
    Open(record);
    platform::UserType(Control(kProjectName), name);
    platform::UserType(Control(kProjectPercent), percent);
    Pick(Control(kProjectStart), start);
    Pick(Control(kProjectEnd), end);
    Pick(Control(kProjectCompleted), completed);
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandOk, 0);
    Pump();
    Project stored;
    EXPECT_TRUE(stored.Load(record));
    return stored;
  }
  static std::string Day(const SYSTEMTIME& day) {
    return platform::IsDateSet(day) ? Text(day).substr(0, 10) : "none";
  }
};

TEST_F(ProjectPageTest, TheStoreRulesOfNameDatesAndCompletion) {
  struct Case {
    std::u16string name;
    std::u16string percent;
    SYSTEMTIME start, end, completed;
    std::u16string storedName;
    DWORD storedPercent;
    std::string storedEnd, storedCompleted;
  };
  const Case cases[] = {
      {u"  Garden  ", u"40", Local(2024, 4, 1), Local(2024, 5, 1), Local(2024, 4, 2), u"Garden", 40,
       "2024-05-01", "none"},  // the completion date is cleared below 100
      {u"   ", u"", kNoDate, kNoDate, kNoDate, u"<New project 03-15-2024>", 0, "none", "none"},
      {u"Shed", u"100", Local(2024, 4, 10), Local(2024, 4, 1), kNoDate, u"Shed", 100, "2024-04-10",
       "2024-03-15"},  // the end before the start takes the start; 100 % without a date: today
      {u"Shed", u"100", kNoDate, Local(2024, 4, 1), Local(2024, 3, 1), u"Shed", 100, "2024-04-01",
       "2024-03-01"},
      {u"Shed", u"250", kNoDate, kNoDate, kNoDate, u"Shed", 100, "none", "2024-03-15"},
  };
  for (const Case& each : cases) {
    ItemOid record = SaveProject(u"Before");
    Project stored = SaveWith(record, each.name, each.percent, each.start, each.end, each.completed);
    SCOPED_TRACE(platform::ToUtf8(each.name) + " " + platform::ToUtf8(each.percent));
    EXPECT_EQ(stored.name, each.storedName);
    EXPECT_EQ(stored.percentComplete, each.storedPercent);
    EXPECT_EQ(Day(stored.endDate), each.storedEnd);
    EXPECT_EQ(Day(stored.completedDate), each.storedCompleted);
    AdvanceClock();
  }
}

TEST_F(ProjectPageTest, AnExistingProjectIsShownAsStored) {
  Project project;
  project.InitNew();
  project.name = u"Garden";
  project.percentComplete = 30;
  project.startDate = Local(2024, 4, 1);
  project.endDate = kNoDate;
  ItemOid record = project.Save();
  Open(record);
  WCHAR text[64] = {};
  GetWindowTextW(Control(kProjectName), text, 64);
  EXPECT_EQ(std::u16string(text), u"Garden");
  GetWindowTextW(Control(kProjectPercent), text, 64);
  EXPECT_EQ(std::u16string(text), u"30");
  SYSTEMTIME shown{};
  EXPECT_EQ(DateTime_GetSystemtime(Control(kProjectStart), &shown), GDT_VALID);
  EXPECT_EQ(DateTime_GetSystemtime(Control(kProjectEnd), &shown), GDT_NONE);
  EXPECT_EQ(DateTime_GetSystemtime(Control(kProjectCompleted), &shown), GDT_NONE);
  EXPECT_EQ(IsDlgButtonChecked(Frame().FocusedPage(), kProjectActive), BST_CHECKED);
}

TEST_F(ProjectPageTest, TheOpenListFlagIsKeptInTheProjectDataAndHiddenForSubProjects) {
  ItemOid record = SaveProject(u"Garden");
  Open(record);
  CheckDlgButton(Frame().FocusedPage(), kProjectActive, 0);
  SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandOk, 0);
  Pump();
  Project stored;
  ASSERT_TRUE(stored.Load(record));
  EXPECT_TRUE(IsKeptOffOpenList(stored));
  Open(record);
  EXPECT_NE(IsDlgButtonChecked(Frame().FocusedPage(), kProjectActive), BST_CHECKED);
  SendMessageW(Frame().FocusedPage(), WM_COMMAND, kCommandCancel, 0);
  Pump();

  AdvanceClock();
  std::unique_ptr<ProjectEntry> sub = CreateProjectEntry(ProjectEntryType::Project, record);
  sub->name = u"Shed";
  ItemOid subRecord = sub->Save();
  Open(subRecord);
  EXPECT_EQ(IsDlgButtonChecked(Frame().FocusedPage(), kProjectActive), BST_CHECKED);
  EXPECT_FALSE(GetWindowLongW(Control(kProjectActive), GWL_STYLE) & WS_VISIBLE);
}

}  // namespace

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

class ProjectReportPageTest : public EditorHostTest {};

TEST_F(ProjectReportPageTest, TheReportIsWrittenAfreshEachTimeThePageIsShown) {
  // The report is written beside the program, whose folder the device's installation made.
  CreateDirectoryW(u"\\Program Files", nullptr);
  CreateDirectoryW(u"\\Program Files\\Calyra", nullptr);
  ItemOid record = SaveProject(u"Garden");
  ASSERT_EQ(EditItem(EditorKind::EditProject, record).Post(), 1);
  Pump();
  // The report is the last tab.
  const int kReportTab = static_cast<int>(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0)) - 1;
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), kReportTab));
  Pump();
  HWND view = GetDlgItem(Frame().FocusedPage(), kProjectReportView);
  ASSERT_NE(view, nullptr);
  WCHAR text[256] = {};
  GetWindowTextW(view, text, 256);
  EXPECT_TRUE(std::u16string(text).starts_with(u"Garden")) << platform::ToUtf8(text);

  // A sub-project made meanwhile is in the report the next time the page is shown.
  AdvanceClock();
  std::unique_ptr<ProjectEntry> sub = CreateProjectEntry(ProjectEntryType::Project, record);
  sub->name = u"Shed";
  ASSERT_NE(sub->Save(), 0u);
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), 0));
  Pump();
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), kReportTab));
  Pump();
  WCHAR again[512] = {};
  GetWindowTextW(view, again, 512);
  EXPECT_NE(std::u16string(again).find(u"Shed"), std::u16string::npos) << platform::ToUtf8(again);
}

}  // namespace
