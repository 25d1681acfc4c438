#include <gtest/gtest.h>

#include <cstdio>

#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/Project.h"
#include "store/CPIMTask.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using platform::kLParam;
using platform::kPosted;
using platform::kWParam;

std::string Text(const SYSTEMTIME& time) {
  char text[32];
  std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d", time.wYear, time.wMonth, time.wDay,
                time.wHour, time.wMinute);
  return text;
}

class EditorFrameTest : public EditorHostTest {
 protected:
  void UseTaskPages() { UseOnlyTestPages({PageNumber::Task, PageNumber::Notes, PageNumber::Categories}); }
  RECT Rect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
  }
  void PressOk() {
    SendMessageW(MainWindow(), WM_COMMAND, IDOK, 0);
    Pump();
  }
  std::u16string StoredSubject(ItemOid oid) {
    CPIMTask task;
    task.oid = oid;
    ItemContext context;
    return task.Load(context) ? task.subject : u"<none>";
  }
};

TEST_F(EditorFrameTest, InitialiseTwiceKeepsOneWindowAndTakesTheNewHost) {
  HWND first = MainWindow();
  HWND otherHost =
      CreateWindowExW(0, u"TestHost", u"other", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  RECT area{0, 0, 240, 320};
  EXPECT_EQ(CalyraEditor_Initialize(otherHost, resources_, &area, 1), 1);
  EXPECT_EQ(MainWindow(), first) << "no second window";
  EXPECT_EQ(Component::Process().hostWindow, otherHost);
  EXPECT_FALSE(IsWindowVisible(MainWindow())) << "the MainWindow waits hidden for a request";
  EXPECT_EQ(CalyraEditor_Destroy(), 1);
  EXPECT_EQ(CalyraEditor_Destroy(), 0) << "nothing left to destroy";
  EXPECT_EQ(CalyraEditor_Initialize(host_, resources_, &area, 1), 1);
}

TEST_F(EditorFrameTest, RequestsWaitForTheMessageLoop) {
  UseTaskPages();
  ASSERT_EQ(CalyraEditor_NewTask(0, nullptr, nullptr, u"Call back", 0, nullptr, 0, 1, 0), 1);
  EXPECT_FALSE(Frame().IsOpen()) << "the export only posts";
  Pump();
  EXPECT_TRUE(Frame().IsOpen());
  EXPECT_TRUE(IsWindowVisible(MainWindow()));
  EXPECT_TRUE(IsWindowVisible(Tabs()));
}

TEST_F(EditorFrameTest, NewTaskStartsOnTheFirstTabAndOkSavesIt) {
  UseTaskPages();
  SYSTEMTIME start{2024, 3, 5, 15, 0, 0, 0, 0}, due{2024, 3, 2, 19, 0, 0, 0, 0};
  ASSERT_EQ(CalyraEditor_NewTask(0, &start, &due, u"Call back", 0, nullptr, 0, 1, 0), 1);
  Pump();
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(Frame().CurrentTab(), 0);
  EXPECT_EQ(Log(PageNumber::Task).loads, 1);
  EXPECT_EQ(Log(PageNumber::Notes).loads, 0) << "a page is loaded only when it is shown";
  EXPECT_EQ(GetFocus() ? GetDlgCtrlID(GetFocus()) : 0, TestPage::kField);

  PressOk();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_FALSE(IsWindowVisible(MainWindow()));
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
  EXPECT_EQ(Log(PageNumber::Task).stores, 1);
  EXPECT_EQ(Log(PageNumber::Notes).stores, 1) << "a page never shown still takes part";
  EXPECT_EQ(Log(PageNumber::Notes).resets, 1);
  EXPECT_EQ(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(EditorFrameTest, PagesLoadOncePerEditor) {
  UseTaskPages();
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 0, 1, 0), 1);
  Pump();
  EXPECT_EQ(Frame().CurrentTab(), 1) << "an existing item opens on its start page";
  EXPECT_EQ(Log(PageNumber::Notes).loads, 1);
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), 0));
  Pump();
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), 1));
  Pump();
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), 0));
  Pump();
  EXPECT_EQ(Log(PageNumber::Task).loads, 1);
  EXPECT_EQ(Log(PageNumber::Notes).loads, 1) << "switching back does not reload";
  EXPECT_FALSE(IsWindowVisible(Frame().Pages().GetPage(PageNumber::Notes)->GetWindow()));

  SendMessageW(MainWindow(), WM_COMMAND, IDCANCEL, 0);
  Pump();
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
  EXPECT_EQ(Log(PageNumber::Task).stores, 0) << "Cancel stores nothing";

  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 0, 0, 0), 1);
  Pump();
  EXPECT_EQ(Log(PageNumber::Task).loads, 2) << "the next editor loads its item again";
}

TEST_F(EditorFrameTest, ARefusedStoreKeepsTheEditorOpenOnItsFirstTab) {
  UseTaskPages();
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 0, 2, 0), 1);
  Pump();
  EXPECT_EQ(Frame().CurrentTab(), 2);
  Log(PageNumber::Task).refuseStore = true;
  PressOk();
  EXPECT_TRUE(Frame().IsOpen());
  EXPECT_EQ(Frame().CurrentTab(), 0) << "the refusing main page is shown";
  EXPECT_EQ(HostMessagesAre({}), "");

  Log(PageNumber::Task).refuseStore = false;
  PressOk();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
}

TEST_F(EditorFrameTest, SwitchingAwayWithoutSavingDeliversTheHostsOwnMessage) {
  UseTaskPages();
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 0, 0, 0), 1);
  Pump();
  user_->ExpectMessageBoxContaining(u"\"Report\"", IDNO);
  EXPECT_EQ(CalyraEditor_IsEditorActive(1, host_, kHostMessage, 7, 8), 1);
  Pump();
  EXPECT_TRUE(Frame().IsOpen()) << "No keeps the editor";

  user_->ExpectMessageBoxContaining(u"The changes to this task have not been saved", IDYES);
  EXPECT_EQ(CalyraEditor_IsEditorActive(1, host_, kHostMessage, 7, 8), 1);
  Pump();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(HostMessagesAre({{kHostMessage, kPosted | kWParam | kLParam, 7, 8}}), "")
      << "the host's pending message instead of 6383";
  EXPECT_EQ(Log(PageNumber::Task).stores, 0);
  EXPECT_EQ(CalyraEditor_IsEditorActive(1, host_, kHostMessage, 7, 8), 0) << "nothing is open now";
}

TEST_F(EditorFrameTest, ANewRequestCancelsTheOpenEditor) {
  UseTaskPages();
  ASSERT_EQ(CalyraEditor_NewTask(0, nullptr, nullptr, u"First", 0, nullptr, 0, 1, 0), 1);
  Pump();
  ASSERT_EQ(CalyraEditor_NewTask(0, nullptr, nullptr, u"Second", 0, nullptr, 0, 1, 0), 1);
  Pump();
  EXPECT_TRUE(Frame().IsOpen());
  EXPECT_EQ(Log(PageNumber::Task).stores, 0) << "the first was closed without saving";
  EXPECT_EQ(Log(PageNumber::Task).resets, 1);
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
  PressOk();
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
}

TEST_F(EditorFrameTest, AStartPageBeyondTheLastTabShowsNoPageUntilOneIsPicked) {
  UseTaskPages();
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(EditItem(EditorKind::EditTask, task).StartPage(9).Post(), 1);
  Pump();
  EXPECT_TRUE(Frame().IsOpen());
  EXPECT_EQ(Frame().FocusedPage(), nullptr);
  EXPECT_EQ(Log(PageNumber::Task).loads, 0) << "not tab 0 instead";
  ASSERT_TRUE(platform::UserSelectTab(Tabs(), 1));
  Pump();
  EXPECT_EQ(Frame().FocusedPage(), Frame().Pages().GetPage(PageNumber::Notes)->GetWindow());
  EXPECT_EQ(Log(PageNumber::Notes).loads, 1);
}

TEST_F(EditorFrameTest, TheFocusedPageFollowsTheWindowsSize) {
  UseTaskPages();
  ASSERT_EQ(NewItem(EditorKind::NewTask).Post(), 1);
  Pump();
  HWND page = Frame().FocusedPage();
  ASSERT_NE(page, nullptr);
  RECT before = Rect(page);
  SetWindowPos(MainWindow(), nullptr, 0, 26, 240, 200, SWP_NOZORDER);
  RECT after = Rect(page);
  EXPECT_LT(after.bottom - after.top, before.bottom - before.top);
  EXPECT_LE(after.bottom, Rect(Tabs()).top + 1) << "the page ends where the tab strip begins";
}

TEST_F(EditorFrameTest, ActivationBringsBackTheOpenPage) {
  EXPECT_EQ(CalyraEditor_HandleActivationChange(1), 0) << "nothing open";
  UseTaskPages();
  ASSERT_EQ(NewItem(EditorKind::NewTask).Post(), 1);
  Pump();
  FlowMessages();
  SetFocus(nullptr);
  EXPECT_EQ(CalyraEditor_HandleActivationChange(0x10001), 1) << "only the low word counts";
  Pump();
  EXPECT_EQ(FlowIs({flows::kLayoutForPage, flows::kActivationLayout}), "");
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), TestPage::kField) << "the page has its control back";
  EXPECT_EQ(CalyraEditor_HandleActivationChange(0x10000), 1) << "deactivation still reports the page";
}

TEST_F(EditorFrameTest, AModalDialogIsAskedToLetTheHostSwitchAway) {
  HWND dialog = CreateWindowExW(0, u"TestHost", u"dialog", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  recorder_->Watch(dialog);
  Component::Process().modalDialog = dialog;
  EXPECT_EQ(CalyraEditor_IsEditorActive(1, host_, kHostMessage, 5, 6), 1);
  std::vector<platform::RecordedMessage> toDialog;
  for (const auto& message : recorder_->MessagesTo(dialog)) {
    if (IsFlowMessage(message.message)) toDialog.push_back(message);
  }
  EXPECT_EQ(platform::CompareMessages(toDialog, {{kMsgModalSwitchAway, kPosted | kWParam | kLParam, 5, 1}}),
            "");
  EXPECT_EQ(CalyraEditor_HandleActivationChange(1), 1) << "a modal dialog counts as open";
  Component::Process().modalDialog = nullptr;
  EXPECT_EQ(CalyraEditor_IsEditorActive(1, host_, kHostMessage, 5, 6), 0);
}

TEST_F(EditorFrameTest, ASummaryUnderAModalDialogIsToldBeforeItGoes) {
  ItemOid task = SaveTask(u"Report");
  ASSERT_EQ(EditItem(EditorKind::EditTask, task).Summary().Post(), 1);
  Pump();
  HWND summary = Component::Process().mainWindow->SummaryHandle();
  ASSERT_NE(summary, nullptr);
  recorder_->Watch(summary);
  HWND dialog = CreateWindowExW(0, u"TestHost", u"dialog", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  Component::Process().modalDialog = dialog;
  EXPECT_EQ(CalyraEditor_IsEditorActive(0, host_, kHostMessage, 5, 6), 0) << "the summary just closes";
  EXPECT_EQ(Component::Process().mainWindow->SummaryHandle(), nullptr);
  std::vector<platform::RecordedMessage> toSummary;
  for (const auto& message : recorder_->Messages()) {
    if (message.window == summary && message.message == kMsgSummaryClosing) toSummary.push_back(message);
  }
  EXPECT_EQ(platform::CompareMessages(toSummary, {{kMsgSummaryClosing, platform::kSent}}), "");
  Component::Process().modalDialog = nullptr;
}

TEST_F(EditorFrameTest, NewAppointmentTimesFollowTheRequest) {
  struct Case {
    const char* name;
    const SYSTEMTIME* start;
    const SYSTEMTIME* end;
    SYSTEMTIME expectedStart;
    SYSTEMTIME expectedEnd;
  };
  SYSTEMTIME nine{2024, 4, 0, 2, 9, 30, 0, 0};
  SYSTEMTIME evening{2024, 4, 0, 2, 18, 0, 0, 0};
  SYSTEMTIME late{2024, 4, 0, 2, 20, 0, 0, 0};
  const Case cases[] = {
      {"start and end", &nine, &evening, nine, evening},
      {"start alone ends at 13 o'clock", &nine, nullptr, nine, {2024, 4, 0, 2, 13, 30, 0, 0}},
      {"no date is today noon to one",
       nullptr,
       nullptr,
       {2024, 3, 0, 15, 12, 0, 0, 0},
       {2024, 3, 0, 15, 13, 0, 0, 0}},
      {"a late start still ends at 13", &late, nullptr, late, {2024, 4, 0, 2, 13, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(CalyraEditor_NewAppointment(0, c.start, c.end, u"Meeting", 0, nullptr, 0, 1, 0), 1);
    Pump();
    auto* appointment = dynamic_cast<CPIMAppointment*>(Frame().Context().item);
    ASSERT_NE(appointment, nullptr);
    EXPECT_EQ(platform::ToUtf8(appointment->subject), "Meeting");
    EXPECT_EQ(Text(appointment->start), Text(c.expectedStart));
    EXPECT_EQ(Text(appointment->end), Text(c.expectedEnd));
    SendMessageW(MainWindow(), WM_COMMAND, IDCANCEL, 0);
    Pump();
  }
}

}  // namespace

namespace {

using namespace calyra;
using namespace calyra::testing;

class EditorCommitTest : public EditorHostTest {};

TEST_F(EditorCommitTest, KeysReachTheFocusedPageThroughTheHostsLoop) {
  UseTestPage(PageNumber::Task);
  MSG none{};
  EXPECT_EQ(CalyraEditor_IsDialogMessage(&none), 0) << "no page, nothing to do";
  ASSERT_EQ(CalyraEditor_NewTask(0, nullptr, nullptr, u"Call", 0, nullptr, 0, 1, 0), 1);
  Pump();
  HWND page = Component::Process().mainWindow->Frame().FocusedPage();
  ASSERT_NE(page, nullptr);
  MSG key{GetDlgItem(page, TestPage::kField), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_NE(CalyraEditor_IsDialogMessage(&key), 0);
  EXPECT_EQ(CalyraEditor_IsDialogMessage(nullptr), 0);
}

}  // namespace
