// The project editor's third page: the time records of a project and its sub-projects (started,
// stopped, added and edited through the time record dialog, deleted) and the sub-projects themselves
// (made, opened in the editor, deleted); and deleting the whole project from its first page.
#include <gtest/gtest.h>

#include "CalyraEditor.h"
#include "editors/EditorMessages.h"
#include "host/EditorFrame.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "projects/FileEntry.h"
#include "projects/Project.h"
#include "projects/ProjectStore.h"
#include "projects/ProjectTree.h"
#include "projects/TimeRecordEntry.h"
#include "resources/ResourceIds.h"
#include "tests/projects/ProjectTestSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::resources;
using namespace calyra::testing;

// The fixed clock's local day and a time on it.
SYSTEMTIME At(WORD hour, WORD minute, WORD day = 15) {
  return SYSTEMTIME{2024, 3, 0, day, hour, minute, 0, 0};
}

class ProjectTimePageTest : public EditorHostTest {
 protected:
  static constexpr int kTimeTab = 3;

  HWND Page() { return Frame().FocusedPage(); }
  HWND Control(int id) { return GetDlgItem(Page(), id); }
  std::u16string Cell(int id, int row, int column) {
    WCHAR text[96] = {};
    ListView_GetItemText(Control(id), row, column, text, 96);
    return text;
  }
  std::u16string Text(int id) {
    WCHAR text[128] = {};
    GetDlgItemTextW(Page(), id, text, 128);
    return text;
  }
  void Command(int id) {
    SendMessageW(Page(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    Pump();
  }
  void Click(int list, int row) { ASSERT_TRUE(platform::UserClickListViewItem(Control(list), row)); }
  void OpenOnTab(ItemOid record, int tab) {
    ASSERT_EQ(EditItem(EditorKind::EditProject, record).Post(), 1);
    Pump();
    if (tab == 0) return;
    ASSERT_TRUE(platform::UserSelectTab(Tabs(), tab));
    Pump();
  }
  ItemOid SubProject(const std::u16string& name, ItemOid parent, DWORD* id = nullptr) {
    AdvanceClock();
    std::unique_ptr<ProjectEntry> entry = CreateProjectEntry(ProjectEntryType::Project, parent);
    entry->name = name;
    if (id) *id = entry->projectId;
    return entry->Save();
  }
  // Every time record under the project, all the way down.
  static std::vector<TimeRecordEntry> RecordsOf(ItemOid project) {
    Project stored;
    EXPECT_TRUE(stored.Load(project));
    stored.LoadChildren(static_cast<DWORD>(ProjectEntryType::TimeRecord), false);
    std::vector<TimeRecordEntry> records;
    for (auto& child : stored.children) records.push_back(static_cast<TimeRecordEntry&>(*child));
    return records;
  }
  static void SetTimes(HWND dialog, const SYSTEMTIME& start, const SYSTEMTIME* end) {
    DateTime_SetSystemtime(GetDlgItem(dialog, kTimeRecordStartDate), GDT_VALID, &start);
    DateTime_SetSystemtime(GetDlgItem(dialog, kTimeRecordStartTime), GDT_VALID, &start);
    if (end) {
      DateTime_SetSystemtime(GetDlgItem(dialog, kTimeRecordEndDate), GDT_VALID, end);
      DateTime_SetSystemtime(GetDlgItem(dialog, kTimeRecordEndTime), GDT_VALID, end);
    } else {
      DateTime_SetSystemtime(GetDlgItem(dialog, kTimeRecordEndDate), GDT_NONE, nullptr);
    }
  }
  static void MinutesLater(int minutes) { platform::AdvanceSystemClock(int64_t{60} * minutes); }
};

TEST_F(ProjectTimePageTest, ARecordIsStartedStoppedAndDeleted) {
  ItemOid record = SaveProject(u"Garden");
  OpenOnTab(record, kTimeTab);
  ASSERT_NE(Control(kProjectTimeList), nullptr);
  EXPECT_EQ(ListView_GetItemCount(Control(kProjectTimeList)), 0);

  Command(kProjectTimeStart);
  ASSERT_EQ(ListView_GetItemCount(Control(kProjectTimeList)), 1);
  EXPECT_EQ(Cell(kProjectTimeList, 0, 2), u"Garden");
  MinutesLater(45);
  Click(kProjectTimeList, 0);
  Command(kProjectTimeStop);
  EXPECT_EQ(Cell(kProjectTimeList, 0, 1), u"(00:45) ");
  EXPECT_EQ(Text(kProjectTimeTotal), u"Total time: 45 minutes");
  MinutesLater(10);
  Command(kProjectTimeStop);  // an ended record is not stopped again
  EXPECT_EQ(Cell(kProjectTimeList, 0, 1), u"(00:45) ");

  Click(kProjectTimeList, 0);
  Command(kProjectTimeDelete);
  EXPECT_EQ(ListView_GetItemCount(Control(kProjectTimeList)), 0);
  EXPECT_TRUE(RecordsOf(record).empty());
}

TEST_F(ProjectTimePageTest, AddBooksTheChosenTimesOnTheChosenProject) {
  DWORD bedsId = 0;
  ItemOid garden = SaveProject(u"Garden");
  SubProject(u"Beds", garden, &bedsId);
  OpenOnTab(garden, kTimeTab);
  std::vector<std::u16string> choices;
  user_->ExpectDialog(kDialogTimeRecord)
      .Do("read the projects",
          [&](HWND dialog) {
            HWND booked = GetDlgItem(dialog, kTimeRecordBookedOn);
            for (LRESULT i = 0; i < SendMessageW(booked, CB_GETCOUNT, 0, 0); ++i) {
              WCHAR text[64] = {};
              SendMessageW(booked, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
              choices.push_back(text);
            }
            return true;
          })
      .Type(kTimeRecordName, u"Digging")
      .Choose(kTimeRecordBookedOn, 1)
      .Do("set the times",
          [](HWND dialog) {
            SYSTEMTIME start = At(8, 15, 14);
            SYSTEMTIME end = At(9, 45, 14);
            SetTimes(dialog, start, &end);
            return true;
          })
      .Click(IDOK);
  Command(kProjectTimeAdd);

  EXPECT_EQ(choices, (std::vector<std::u16string>{u"Garden", u"  Beds"}));
  std::vector<TimeRecordEntry> records = RecordsOf(garden);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, u"Digging");
  EXPECT_EQ(records[0].bookedOn, bedsId);
  EXPECT_EQ(records[0].startDate.wHour, 8);
  EXPECT_EQ(records[0].startDate.wMinute, 15);
  EXPECT_EQ(records[0].endDate.wDay, 14);
  EXPECT_EQ(records[0].endDate.wMinute, 45);
  EXPECT_EQ(Cell(kProjectTimeList, 0, 1), u"(01:30) ");
  EXPECT_EQ(Text(kProjectTimeTotal), u"Total time: 1 hour 30 minutes");
}

TEST_F(ProjectTimePageTest, AnEndBeforeTheStartIsRefusedAndCancelKeepsNothing) {
  ItemOid garden = SaveProject(u"Garden");
  OpenOnTab(garden, kTimeTab);
  user_->ExpectDialog(kDialogTimeRecord)
      .Do("end before start",
          [](HWND dialog) {
            SYSTEMTIME start = At(10, 0);
            SYSTEMTIME end = At(9, 0);
            SetTimes(dialog, start, &end);
            return true;
          })
      .Click(IDOK)
      .Click(IDCANCEL);
  user_->ExpectMessageBoxString(kStringTimeRecordEndBeforeStart, IDOK);
  Command(kProjectTimeAdd);
  EXPECT_TRUE(RecordsOf(garden).empty());
  EXPECT_EQ(ListView_GetItemCount(Control(kProjectTimeList)), 0);
}

TEST_F(ProjectTimePageTest, EditChangesARecordAndNoEndLeavesItRunning) {
  ItemOid garden = SaveProject(u"Garden");
  OpenOnTab(garden, kTimeTab);
  Command(kProjectTimeStart);
  MinutesLater(30);
  Click(kProjectTimeList, 0);
  Command(kProjectTimeStop);
  ASSERT_EQ(Cell(kProjectTimeList, 0, 1), u"(00:30) ");

  // Double-clicking a row edits it: the record runs again from an earlier start.
  user_->ExpectDialog(kDialogTimeRecord)
      .Do("no end",
          [](HWND dialog) {
            SYSTEMTIME start = At(8, 0);
            SetTimes(dialog, start, nullptr);
            return true;
          })
      .Click(IDOK);
  NMHDR click{Control(kProjectTimeList), static_cast<UINT_PTR>(kProjectTimeList), NM_DBLCLK};
  Click(kProjectTimeList, 0);
  SendMessageW(Page(), WM_NOTIFY, kProjectTimeList, reinterpret_cast<LPARAM>(&click));
  Pump();
  std::vector<TimeRecordEntry> records = RecordsOf(garden);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_FALSE(platform::IsDateSet(records[0].endDate));
  // From 08:00 to the clock's 10:00 local (09:30 UTC and 30 minutes on, in the device's zone).
  Click(kProjectTimeList, 0);
  Command(kProjectTimeStop);
  records = RecordsOf(garden);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(platform::IsDateSet(records[0].endDate));
}

TEST_F(ProjectTimePageTest, ASubProjectIsDeletedWithItsRecordsOnlyWhenThePersonAgrees) {
  ItemOid garden = SaveProject(u"Garden");
  ItemOid beds = SubProject(u"Beds", garden);
  SubProject(u"Pond", garden);
  AdvanceClock();
  std::unique_ptr<ProjectEntry> time = CreateProjectEntry(ProjectEntryType::TimeRecord, beds);
  time->startDate = At(8, 0);
  time->endDate = At(9, 0);
  ASSERT_NE(time->Save(), 0u);
  OpenOnTab(garden, kTimeTab);
  ASSERT_EQ(ListView_GetItemCount(Control(kProjectSubList)), 2);
  EXPECT_EQ(Cell(kProjectSubList, 0, 0), u"Beds");
  EXPECT_EQ(ListView_GetItemCount(Control(kProjectTimeList)), 1);

  Click(kProjectSubList, 0);
  user_->ExpectMessageBox(u"Delete the project \"Beds\" with its contents, time records and sub-projects?",
                          IDNO);
  Command(kProjectSubDelete);
  EXPECT_EQ(ListView_GetItemCount(Control(kProjectSubList)), 2);

  Click(kProjectSubList, 0);
  user_->ExpectMessageBoxString(kStringDeleteProject, IDYES);
  Command(kProjectSubDelete);
  ASSERT_EQ(ListView_GetItemCount(Control(kProjectSubList)), 1);
  EXPECT_EQ(Cell(kProjectSubList, 0, 0), u"Pond");
  EXPECT_EQ(ListView_GetItemCount(Control(kProjectTimeList)), 0);
  EXPECT_EQ(LoadProjectEntry(beds), nullptr);
  EXPECT_EQ(LoadProjectEntry(time->Record()), nullptr);
}

TEST_F(ProjectTimePageTest, OpeningASubProjectSavesTheProjectAndEditsTheSubProjectInItsPlace) {
  ItemOid garden = SaveProject(u"Garden");
  ItemOid beds = SubProject(u"Beds", garden);
  OpenOnTab(garden, 0);
  platform::UserType(Control(kProjectName), u"Back garden");
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), kTimeTab));
  Pump();
  HostMessages();
  Click(kProjectSubList, 0);
  Command(kProjectSubOpen);

  Project saved;
  ASSERT_TRUE(saved.Load(garden));
  EXPECT_EQ(saved.name, u"Back garden");
  // The host hears of the save, not of a close: the sub-project's editor is open.
  for (const auto& message : HostMessages()) EXPECT_NE(message.message, kNotifyEditorClosed);
  ASSERT_NE(Frame().FocusedPage(), nullptr);
  EXPECT_EQ(Text(kProjectName), u"Beds");
  (void)beds;
}

TEST_F(ProjectTimePageTest, NewMakesASubProjectAndOpensIt) {
  DWORD gardenId = 0;
  ItemOid garden = SaveProject(u"Garden", &gardenId);
  OpenOnTab(garden, kTimeTab);
  AdvanceClock();
  Command(kProjectSubNew);
  EXPECT_EQ(Text(kProjectName), u"<New project 03-15-2024>");
  Project stored;
  ASSERT_TRUE(stored.Load(garden));
  ASSERT_TRUE(stored.LoadChildren(kProjectEntriesOnly, false));
  ASSERT_EQ(stored.children.size(), 1u);
  EXPECT_EQ(stored.children[0]->parentId, gardenId);
  EXPECT_EQ(stored.children[0]->name, u"<New project 03-15-2024>");
}

class ProjectDeleteTest : public ProjectTimePageTest {};

TEST_F(ProjectDeleteTest, DeleteProjectRemovesItWithAllItHoldsOnlyWhenThePersonAgrees) {
  ItemOid garden = SaveProject(u"Garden");
  ItemOid beds = SubProject(u"Beds", garden);
  AdvanceClock();
  std::unique_ptr<ProjectEntry> file = CreateProjectEntry(ProjectEntryType::File, beds);
  static_cast<FileEntry&>(*file).filePath = u"\\My Documents\\plan.txt";
  ASSERT_NE(file->Save(), 0u);
  OpenOnTab(garden, 0);

  user_->ExpectMessageBoxString(kStringDeleteProject, IDNO);
  Command(kCommandDelete);
  EXPECT_NE(Control(kProjectName), nullptr) << "the editor stays";
  EXPECT_NE(LoadProjectEntry(garden), nullptr);

  HostMessages();
  user_->ExpectMessageBoxString(kStringDeleteProject, IDYES);
  Command(kCommandDelete);
  EXPECT_EQ(LoadProjectEntry(garden), nullptr);
  EXPECT_EQ(LoadProjectEntry(beds), nullptr);
  EXPECT_EQ(LoadProjectEntry(file->Record()), nullptr);
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
}

TEST_F(ProjectDeleteTest, ANewProjectDeletedIsNeverWritten) {
  ASSERT_EQ(CalyraEditor_NewProject(0, 0), 1);
  Pump();
  platform::UserType(Control(kProjectName), u"Never");
  Command(kCommandDelete);
  EXPECT_TRUE(LoadProjectTree().empty());
}

}  // namespace
