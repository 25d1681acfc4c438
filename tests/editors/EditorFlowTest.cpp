// Every editor's flows as a host sees them, by the messages that reach the MainWindow and the host:
// open, OK, Cancel, a refused store, a failed commit and switching away.
#include <gtest/gtest.h>

#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "platform/process/Processes.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/Project.h"
#include "projects/ProjectDatabase.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/PimDatabase.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using platform::kLParam;
using platform::kPosted;
using platform::kWParam;

class EditorFlowTest : public EditorHostTest, public ::testing::WithParamInterface<EditorKind> {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    UseTestPages();
  }

  EditorKind Kind() const { return GetParam(); }
  PageNumber MainPage() const {
    switch (ItemKindOf(Kind())) {
      case ItemKind::Appointment:
        return PageNumber::Appointment;
      case ItemKind::Task:
        return PageNumber::Task;
      case ItemKind::Contact:
        return PageNumber::Contact;
      case ItemKind::None:
        return PageNumber::Project;
    }
    return PageNumber::Project;
  }

  // A stored item of the editor's kind, for the edit requests.
  ItemOid StoredItem() {
    ItemContext context;
    switch (ItemKindOf(Kind())) {
      case ItemKind::Appointment: {
        CPIMAppointment appointment;
        appointment.subject = u"Dentist";
        appointment.start = Date(2024, 3, 20, 9);
        appointment.end = Date(2024, 3, 20, 10);
        EXPECT_EQ(appointment.Save(context), S_OK);
        return appointment.oid;
      }
      case ItemKind::Task:
        return SaveTask(u"Report");
      case ItemKind::Contact: {
        CPIMContact contact;
        contact.SetText(CPIMContact::kFileAs, u"Doe, Jane");
        EXPECT_EQ(contact.Save(context), S_OK);
        return contact.oid;
      }
      case ItemKind::None:
        return SaveProject(u"Garden", &projectId_);
    }
    return 0;
  }

  void Open() {
    item_ = IsNew(Kind()) ? 0 : StoredItem();
    int posted = IsNew(Kind()) ? NewItem(Kind()).Subject(u"Call").Post() : EditItem(Kind(), item_).Post();
    ASSERT_EQ(posted, 1);
    Pump();
    ASSERT_TRUE(Frame().IsOpen());
  }
  void Command(int command) {
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, static_cast<WPARAM>(command), 0);
    Pump();
  }
  // What OK tells the host: a project announces itself first.
  std::vector<platform::ExpectedMessage> OkFlow() const {
    if (!IsProject(Kind())) return flows::kOk;
    unsigned flags = IsNew(Kind()) ? kPosted : kPosted | kWParam | kLParam;
    return {flows::kAskedToClose,
            {kNotifyItemSaved, flags, projectId_, static_cast<LPARAM>(item_)},
            flows::kActivationLayout,
            flows::kEditorClosed};
  }
  // Takes the stored item away under the open editor, so that its save fails.
  void DeleteStoredItem() {
    ItemContext context;
    switch (ItemKindOf(Kind())) {
      case ItemKind::Appointment: {
        CPIMAppointment other;
        other.oid = item_;
        ASSERT_TRUE(other.Delete(context));
        break;
      }
      case ItemKind::Task: {
        CPIMTask other;
        other.oid = item_;
        ASSERT_TRUE(other.Delete(context));
        break;
      }
      case ItemKind::Contact: {
        CPIMContact other;
        other.oid = item_;
        ASSERT_TRUE(other.Delete(context));
        break;
      }
      case ItemKind::None:
        FAIL() << "projects are not taken away here";
    }
  }
  std::u16string Text(unsigned id) const { return ResourceText(resources_, id); }

  ItemOid item_ = 0;
  DWORD projectId_ = 0;
};

TEST_P(EditorFlowTest, OpenThenOk) {
  Open();
  EXPECT_EQ(FlowIs(flows::Open(Kind())), "");
  Command(resources::kCommandOk);
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(FlowIs(OkFlow()), "");
  EXPECT_EQ(Log(MainPage()).stores, 1);
}

TEST_P(EditorFlowTest, Cancel) {
  Open();
  FlowMessages();
  Command(resources::kCommandCancel);
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(FlowIs(flows::kCancel), "");
  EXPECT_EQ(Log(MainPage()).stores, 0);
}

TEST_P(EditorFlowTest, ARefusedStoreKeepsTheEditor) {
  Open();
  FlowMessages();
  Log(MainPage()).refuseStore = true;
  Command(resources::kCommandOk);
  EXPECT_TRUE(Frame().IsOpen());
  EXPECT_EQ(FlowIs(flows::kRefused), "");
  Command(resources::kCommandCancel);
  EXPECT_EQ(FlowIs(flows::kCancel), "");
}

TEST_P(EditorFlowTest, SwitchingAwayHandsTheHostItsMessage) {
  Open();
  FlowMessages();
  user_->ExpectMessageBoxContaining(Text(ItemNameString(Kind())), IDYES);
  EXPECT_EQ(CalyraEditor_IsEditorActive(1, host_, kHostMessage, 7, 8), 1);
  Pump();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(FlowIs(flows::SwitchedAway(kHostMessage, 7, 8)), "");
}

INSTANTIATE_TEST_SUITE_P(EveryEditor, EditorFlowTest,
                         ::testing::Values(EditorKind::NewAppointment, EditorKind::EditAppointment,
                                           EditorKind::NewTask, EditorKind::EditTask, EditorKind::NewContact,
                                           EditorKind::EditContact, EditorKind::NewProject,
                                           EditorKind::EditProject),
                         [](const auto& info) {
                           return "Kind" + std::to_string(static_cast<int>(info.param));
                         });

// A failed commit: the stored item went away under the open editor. Each editor explains it in its
// own words and stays open on its first page.
class FailedCommitTest : public EditorFlowTest {};

TEST_P(FailedCommitTest, TheEditorStaysAndSaysWhy) {
  Open();
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), 1));
  Pump();
  FlowMessages();
  DeleteStoredItem();
  switch (ItemKindOf(Kind())) {
    case ItemKind::Appointment:
      user_->ExpectMessageBoxContaining(Text(resources::kStringAppointmentNotSaved) + u" (0x8", IDOK);
      break;
    case ItemKind::Task:
      user_->ExpectMessageBoxContaining(Text(resources::kStringTaskNotSaved) + u" (0x8", IDOK);
      break;
    case ItemKind::Contact:
      user_->ExpectMessageBoxString(resources::kStringContactNotSaved, IDOK);
      break;
    case ItemKind::None:
      break;
  }
  Command(resources::kCommandOk);
  EXPECT_TRUE(Frame().IsOpen());
  EXPECT_EQ(FlowIs(flows::kRefused), "");
  EXPECT_EQ(Frame().CurrentTab(), 1) << "the current tab is shown again";
}

INSTANTIATE_TEST_SUITE_P(StoredItems, FailedCommitTest,
                         ::testing::Values(EditorKind::EditAppointment, EditorKind::EditTask,
                                           EditorKind::EditContact),
                         [](const auto& info) {
                           return "Kind" + std::to_string(static_cast<int>(info.param));
                         });

}  // namespace

namespace {

using namespace calyra;
using namespace calyra::testing;

// The item commands of a main page's menu save the item and then run; other pages ignore them.
class ItemCommandTest : public EditorHostTest {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    UseTestPages();
  }
  void OpenTask(int tab) {
    task_ = SaveTask(u"Report");
    ASSERT_EQ(EditItem(EditorKind::EditTask, task_).StartPage(tab).Post(), 1);
    Pump();
    ASSERT_TRUE(Frame().IsOpen());
  }
  void Command(int command) {
    SendMessageW(Frame().FocusedPage(), WM_COMMAND, static_cast<WPARAM>(command), 0);
    Pump();
  }
  size_t Launches() { return platform::ReadLaunchLog().size(); }
  ItemOid task_ = 0;
};

TEST_F(ItemCommandTest, ConvertSavesTheTaskAndMakesAnAppointmentOfIt) {
  OpenTask(0);
  Command(resources::kCommandConvert);
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(Log(PageNumber::Task).stores, 1);
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
  CEOID appointments = 0;
  HANDLE database = OpenPimDatabase(ItemKind::Appointment, 0, false, &appointments);
  ASSERT_NE(database, INVALID_HANDLE_VALUE);
  CloseHandle(database);
  EXPECT_EQ(DatabaseRecordCount(appointments), 1u) << "the task became an appointment too";
}

TEST_F(ItemCommandTest, ShowInOutlookSavesTheTaskAndShowsIt) {
  OpenTask(0);
  size_t before = Launches();
  Command(resources::kCommandShowInOutlook);
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(Log(PageNumber::Task).stores, 1);
  EXPECT_GT(Launches(), before) << "Pocket Outlook shows the item";
}

TEST_F(ItemCommandTest, OtherPagesDoNotOfferTheItemCommands) {
  OpenTask(2);
  for (int command : {resources::kCommandConvert, resources::kCommandDelete, resources::kCommandShowInOutlook,
                      resources::kCommandBeam}) {
    Command(command);
    EXPECT_TRUE(Frame().IsOpen()) << command;
  }
  EXPECT_EQ(Log(PageNumber::Notes).stores, 0);
}

}  // namespace

namespace {

using namespace calyra;
using namespace calyra::testing;

class ProjectCommitTest : public EditorHostTest {};

TEST_F(ProjectCommitTest, AFailedSaveGivesTheProjectPageItsFirstFieldBack) {
  UseTestPages();
  ItemOid record = SaveProject(u"Garden");
  ASSERT_EQ(EditItem(EditorKind::EditProject, record).Post(), 1);
  Pump();
  HWND page = Frame().FocusedPage();
  ASSERT_NE(page, nullptr);
  SetFocus(GetDlgItem(page, TestPage::kSecondField));
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), 1));
  Pump();

  ProjectDatabase database;
  ASSERT_TRUE(database.Open());
  ASSERT_TRUE(database.SeekToOid(record));
  ASSERT_TRUE(database.DeleteRecord()) << "another program deletes the project";
  database.Close();
  SendMessageW(Frame().FocusedPage(), WM_COMMAND, resources::kCommandOk, 0);
  Pump();
  EXPECT_TRUE(Frame().IsOpen());

  ASSERT_TRUE(platform::UserSelectTab(Tabs(), 0));
  Pump();
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), TestPage::kField) << "not the field it had before";
}

}  // namespace
