#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "platform/outlook/PocketOutlook.h"
#include "platform/process/Processes.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/Project.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "store/OutlookSession.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using platform::kLParam;
using platform::kPosted;
using platform::kWParam;

class RequestExportsTest : public EditorHostTest {
 protected:
  const CPIMAppointment* OpenAppointment() {
    return dynamic_cast<const CPIMAppointment*>(Frame().Context().item);
  }
  void Ok() {
    SendMessageW(MainWindow(), WM_COMMAND, IDOK, 0);
    Pump();
  }
  void Cancel() {
    SendMessageW(MainWindow(), WM_COMMAND, IDCANCEL, 0);
    Pump();
  }
};

TEST_F(RequestExportsTest, EditAppointmentStartPageChoosesSeriesOrOccurrenceWithoutAsking) {
  UseTestPage(PageNumber::Appointment);
  UseTestPage(PageNumber::Recurrence);
  UseTestPage(PageNumber::Notes);
  ItemOid series = SaveWeeklyAppointment(u"Team meeting");
  SYSTEMTIME nextWeek{2024, 3, 0, 25, 0, 0, 0, 0};

  ASSERT_EQ(CalyraEditor_EditAppointment(0, &nextWeek, series, 1, 1, 0, 0), 1);
  Pump();
  ASSERT_NE(OpenAppointment(), nullptr);
  EXPECT_FALSE(OpenAppointment()->openedOccurrence) << "page 1 opens the series";
  EXPECT_TRUE(Frame().Context().fullAccess);
  EXPECT_EQ(Frame().CurrentTab(), 1);
  Cancel();

  ASSERT_EQ(CalyraEditor_EditAppointment(0, &nextWeek, series, 1, 2, 0, 0), 1);
  Pump();
  ASSERT_NE(OpenAppointment(), nullptr);
  EXPECT_TRUE(OpenAppointment()->openedOccurrence) << "page 2 and above open the occurrence";
  EXPECT_EQ(OpenAppointment()->start.wDay, 25);
  EXPECT_FALSE(Frame().Context().fullAccess) << "one occurrence: main and notes pages only";
  EXPECT_FALSE(Frame().Pages().GetPage(PageNumber::Recurrence)->Enabled());
  EXPECT_TRUE(Frame().Pages().GetPage(PageNumber::Notes)->Enabled());
  Cancel();
  EXPECT_EQ(HostMessagesAre({kClosed, kClosed}), "");

  // A template opens only what does not recur: a recurring item fails to open and the host hears so.
  ASSERT_EQ(CalyraEditor_EditAppointment(0, nullptr, series, 1, 0, 1, 0), 1);
  Pump();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_FALSE(IsWindowVisible(MainWindow()));
  EXPECT_EQ(HostMessagesAre({kClosed}), "");
}

TEST_F(RequestExportsTest, TheRecurringQuestionDecidesOrCancels) {
  UseTestPage(PageNumber::Appointment);
  ItemOid series = SaveWeeklyAppointment(u"Team meeting");
  SYSTEMTIME nextWeek{2024, 3, 0, 25, 0, 0, 0, 0};

  user_->ExpectMessageBoxString(resources::kStringRecurringQuestion, IDCANCEL);
  EXPECT_EQ(CalyraEditor_EditAppointment(0, &nextWeek, series, 0, 0, 0, 0), 0);
  EXPECT_EQ(platform::PendingMessageCount(), 0u) << "nothing is posted";
  Pump();
  EXPECT_EQ(HostMessagesAre({}), "");

  user_->ExpectMessageBoxString(resources::kStringRecurringQuestion, IDYES);
  ASSERT_EQ(CalyraEditor_EditAppointment(0, &nextWeek, series, 0, 0, 0, 0), 1);
  Pump();
  ASSERT_NE(OpenAppointment(), nullptr);
  EXPECT_TRUE(OpenAppointment()->openedOccurrence);
  Cancel();

  user_->ExpectMessageBoxString(resources::kStringRecurringQuestion, IDNO);
  ASSERT_EQ(CalyraEditor_EditAppointment(0, &nextWeek, series, 0, 0, 0, 0), 1);
  Pump();
  ASSERT_NE(OpenAppointment(), nullptr);
  EXPECT_FALSE(OpenAppointment()->openedOccurrence);
  Cancel();

  // Asked not to ask: the occurrence.
  ASSERT_EQ(CalyraEditor_EditAppointment(0, &nextWeek, series, 0, 0, 0, 1), 1);
  Pump();
  ASSERT_NE(OpenAppointment(), nullptr);
  EXPECT_TRUE(OpenAppointment()->openedOccurrence);
  Cancel();

  EXPECT_EQ(CalyraEditor_EditAppointment(0, nullptr, 0x7FFFFF, 0, 0, 0, 0), 0)
      << "an item that cannot be read";
}

TEST_F(RequestExportsTest, EachEditorKindTellsTheHostWhenItCloses) {
  ItemOid task = SaveTask(u"Report");
  CPIMContact contact;
  contact.SetText(CPIMContact::kFileAs, u"Doe, Jane");
  ItemContext context;
  ASSERT_EQ(contact.Save(context), S_OK);
  DWORD projectId = 0;
  ItemOid projectRecord = SaveProject(u"Garden", &projectId);

  struct Case {
    const char* name;
    std::function<int()> request;
    std::vector<platform::ExpectedMessage> expected;
  };
  const Case cases[] = {
      {"new appointment",
       [] { return CalyraEditor_NewAppointment(0, nullptr, nullptr, u"Lunch", 0, nullptr, 0, 1, 0); },
       {kClosed}},
      {"edit task", [&] { return CalyraEditor_EditTask(0, nullptr, task, 0, 0, 0); }, {kClosed}},
      {"new task",
       [] { return CalyraEditor_NewTask(0, nullptr, nullptr, u"Call", 0, nullptr, 0, 1, 0); },
       {kClosed}},
      {"edit contact", [&] { return CalyraEditor_EditContact(0, contact.oid, 0, 0, 0); }, {kClosed}},
      {"new contact", [] { return CalyraEditor_NewContact(0, nullptr, 0, 1, 0); }, {kClosed}},
      {"edit project",
       [&] { return CalyraEditor_EditProject(0, projectRecord, 0); },
       {{kNotifyItemSaved, kPosted | kWParam | kLParam, projectId, static_cast<LPARAM>(projectRecord)},
        kClosed}},
      {"new project", [] { return CalyraEditor_NewProject(0, 0); }, {{kNotifyItemSaved, kPosted}, kClosed}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.request(), 1);
    Pump();
    ASSERT_TRUE(Frame().IsOpen());
    Ok();
    EXPECT_FALSE(Frame().IsOpen());
    EXPECT_EQ(HostMessagesAre(c.expected), "");
  }
}

TEST_F(RequestExportsTest, ANewTaskForAProjectJoinsItAndTheHostHearsOfIt) {
  UseTestPage(PageNumber::Task);
  UseTestPage(PageNumber::Links);
  ItemOid projectRecord = SaveProject(u"Garden");

  ASSERT_EQ(CalyraEditor_NewTask(0, nullptr, nullptr, u"Dig", 0, nullptr, 0, 1, projectRecord), 1);
  Pump();
  Ok();
  EXPECT_EQ(HostMessagesAre({{kNotifyItemSaved, kPosted | kWParam | kLParam, kItemSavedWithResult,
                              static_cast<LPARAM>(projectRecord)},
                             kClosed}),
            "");
  EXPECT_EQ(Log(PageNumber::Links).afterSave, 1) << "the links page writes after the save";

  Project reloaded;
  ASSERT_TRUE(reloaded.Load(projectRecord));
  ASSERT_TRUE(reloaded.LoadChildren(0, false));
  EXPECT_EQ(reloaded.children.size(), 1u) << "the saved task is in the project";
}

TEST_F(RequestExportsTest, NewItemsGetTheRequestsSubjectDatesAndCategories) {
  // The host's array holds more numbers than its count names: only the counted ones are the item's.
  ASSERT_EQ(NewItem(EditorKind::NewTask)
                .From(Date(2024, 3, 15))
                .To(Date(2024, 3, 19))
                .Subject(u"Call back")
                .Categories({3, 7, 9}, 2)
                .Post(),
            1);
  Pump();
  auto* task = dynamic_cast<const CPIMTask*>(Frame().Context().item);
  ASSERT_NE(task, nullptr);
  EXPECT_EQ(task->subject, u"Call back");
  EXPECT_EQ(task->start, Date(2024, 3, 15));
  EXPECT_EQ(task->due, Date(2024, 3, 19));
  EXPECT_EQ(task->categories.Numbers(), (std::vector<int>{3, 7}));
  Ok();

  CalyraEditorOptions options{};
  options.newAppointmentReminder = 0xFFFFFFFF;
  CalyraEditor_SetEditorOptions(&options);
  ASSERT_EQ(CalyraEditor_NewAppointment(0, nullptr, nullptr, nullptr, 0, nullptr, 0, 1, 0), 1);
  Pump();
  auto* appointment = dynamic_cast<const CPIMAppointment*>(Frame().Context().item);
  ASSERT_NE(appointment, nullptr);
  EXPECT_FALSE(appointment->reminderSet) << "the option says no reminder";
  EXPECT_EQ(appointment->duration, 60);
  Cancel();

  options.newAppointmentReminder = 30;
  CalyraEditor_SetEditorOptions(&options);
  ASSERT_EQ(CalyraEditor_NewAppointment(0, nullptr, nullptr, nullptr, 0, nullptr, 0, 1, 0), 1);
  Pump();
  appointment = dynamic_cast<const CPIMAppointment*>(Frame().Context().item);
  ASSERT_NE(appointment, nullptr);
  EXPECT_TRUE(appointment->reminderSet);
  EXPECT_EQ(appointment->reminderMinutes, 30);
  Cancel();
}

TEST_F(RequestExportsTest, RequestsForItemsThatCannotBeOpenedStillTellTheHost) {
  ItemOid task = SaveTask(u"Report");
  struct Case {
    const char* name;
    std::function<int()> request;
  };
  const Case cases[] = {
      {"no such task", [] { return CalyraEditor_EditTask(0, nullptr, 0x7FFFFF, 0, 0, 0); }},
      {"no task at all", [] { return CalyraEditor_EditTask(0, nullptr, 0, 0, 0, 0); }},
      {"a task as a contact", [&] { return CalyraEditor_EditContact(0, task, 0, 0, 0); }},
      {"a task as a project", [&] { return CalyraEditor_EditProject(0, task, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.request(), 1);
    Pump();
    EXPECT_FALSE(Frame().IsOpen());
    EXPECT_FALSE(IsWindowVisible(MainWindow()));
    EXPECT_EQ(HostMessagesAre({kClosed}), "");
  }
  // A message with a code no editor has is dropped without a word.
  PostMessageW(MainWindow(), kMsgOpenEditor, 7, reinterpret_cast<LPARAM>(new EditRequest()));
  Pump();
  EXPECT_EQ(HostMessagesAre({}), "");
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 0, 0, 0), 1) << "the failed requests left no slot taken";
  Pump();
  EXPECT_TRUE(Frame().IsOpen());
}

TEST_F(RequestExportsTest, ACountBeyondTheArrayIsCutAtItsBound) {
  // The host's whole array of 16-bit numbers is read, never more: 300 counted are 256 taken.
  std::array<WORD, CALYRA_MAX_NEW_CATEGORIES> categories{};
  for (size_t i = 0; i < categories.size(); ++i) categories[i] = static_cast<WORD>(i % 64);
  ASSERT_EQ(CalyraEditor_NewContact(0, categories.data(), 300, 1, 0), 1);
  Pump();
  ASSERT_TRUE(Frame().IsOpen());
  EXPECT_EQ(Frame().Context().item->categories.Numbers().size(), 64u);
  Cancel();
}

TEST_F(RequestExportsTest, AnItemOpenInAnotherHostIsBroughtForwardNotOpenedTwice) {
  ItemOid task = SaveTask(u"Report");
  std::filesystem::path release = DeviceFolder() / "release";
  ChildProcess finder(HelperProgram("editor_holder"),
                      {(DeviceFolder() / "device").string(), std::to_string(task), "2", release.string()});
  std::string line;
  ASSERT_TRUE(finder.ReadLine(&line));
  ASSERT_EQ(line, "open");

  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 0, 0, 0), 1);
  Pump();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_FALSE(IsWindowVisible(MainWindow()));
  EXPECT_EQ(HostMessagesAre({}), "") << "no 6383 for a request that was handed over";
  auto log = platform::ReadLaunchLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().program, u"CalyraFind.exe");
  EXPECT_EQ(log.back().arguments, u"");

  std::ofstream(release).put('x');
  EXPECT_EQ(finder.Wait(), 0);
  ASSERT_EQ(CalyraEditor_EditTask(0, nullptr, task, 0, 0, 0), 1);
  Pump();
  EXPECT_TRUE(Frame().IsOpen()) << "once the finder let go, the item opens here";
}

TEST_F(RequestExportsTest, AnEditorThatReplacesAnotherHoldsItsOwnItem) {
  // The finder opens X, then Y in its place: its slot must name Y, so this host cannot open Y too.
  ItemOid x = SaveTask(u"First");
  ItemOid y = SaveTask(u"Second");
  std::filesystem::path release = DeviceFolder() / "release";
  ChildProcess finder(
      HelperProgram("editor_holder"),
      {(DeviceFolder() / "device").string(), std::to_string(x), "2", release.string(), std::to_string(y)});
  std::string line;
  ASSERT_TRUE(finder.ReadLine(&line));
  ASSERT_EQ(line, "open");

  ASSERT_EQ(EditItem(EditorKind::EditTask, y).Post(), 1);
  Pump();
  EXPECT_FALSE(Frame().IsOpen()) << "the item open in the finder is not opened twice";
  auto log = platform::ReadLaunchLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().program, u"CalyraFind.exe");

  ASSERT_EQ(EditItem(EditorKind::EditTask, x).Post(), 1);
  Pump();
  EXPECT_TRUE(Frame().IsOpen()) << "the item the finder let go of opens here";
  std::ofstream(release).put('x');
  EXPECT_EQ(finder.Wait(), 0);
}

}  // namespace

namespace {

using namespace calyra;
using namespace calyra::testing;

class EditorRulesTest : public EditorHostTest {
 protected:
  ItemOid SaveAppointment(bool allDay, bool meeting) {
    OutlookSession session;
    EXPECT_TRUE(session.Logon(nullptr));
    auto appointment = session.NewAppointment();
    BSTR subject = SysAllocString(u"Offsite");
    appointment->put_Subject(subject);
    SysFreeString(subject);
    DATE start = 0;
    SYSTEMTIME day{2024, 3, 0, 20, 0, 0, 0, 0};
    SystemTimeToVariantTime(&day, &start);
    appointment->put_Start(start);
    appointment->put_Duration(24 * 60);
    appointment->put_AllDayEvent(allDay ? VARIANT_TRUE : VARIANT_FALSE);
    if (meeting) appointment->put_MeetingStatus(olMeeting);
    EXPECT_EQ(appointment->Save(), S_OK);
    LONG oid = 0;
    appointment->get_Oid(&oid);
    return static_cast<ItemOid>(oid);
  }
};

TEST_F(EditorRulesTest, AnAllDayMeetingIsRefused) {
  ItemOid offsite = SaveAppointment(true, true);
  user_->ExpectMessageBoxString(resources::kStringAllDayMeeting, IDOK);
  ASSERT_EQ(CalyraEditor_EditAppointment(0, nullptr, offsite, 0, 1, 0, 0), 1);
  Pump();
  EXPECT_FALSE(Frame().IsOpen());
  EXPECT_EQ(HostMessagesAre({{kNotifyEditorClosed, platform::kPosted}}), "");
}

TEST_F(EditorRulesTest, ATemplateAppointmentShowsRecurrenceAndLinksDisabled) {
  for (PageNumber number : {PageNumber::Appointment, PageNumber::Recurrence, PageNumber::Notes,
                            PageNumber::Categories, PageNumber::Links, PageNumber::Attendees}) {
    UseTestPage(number);
  }
  ItemOid offsite = SaveAppointment(false, false);
  ASSERT_EQ(CalyraEditor_EditAppointment(0, nullptr, offsite, 0, 0, 1, 0), 1);
  Pump();
  ASSERT_TRUE(Frame().IsOpen());
  PageFactory& pages = Frame().Pages();
  EXPECT_TRUE(pages.GetPage(PageNumber::Appointment)->Enabled());
  EXPECT_FALSE(pages.GetPage(PageNumber::Recurrence)->Enabled());
  EXPECT_TRUE(pages.GetPage(PageNumber::Notes)->Enabled());
  EXPECT_TRUE(pages.GetPage(PageNumber::Categories)->Enabled());
  EXPECT_FALSE(pages.GetPage(PageNumber::Links)->Enabled());
  EXPECT_TRUE(pages.GetPage(PageNumber::Attendees)->Enabled());
}

TEST_F(EditorRulesTest, TheSwitchAwayQuestionNamesTheHostsTarget) {
  UseTestPage(PageNumber::Task);
  ASSERT_EQ(CalyraEditor_NewTask(0, nullptr, nullptr, u"Call", 0, nullptr, 0, 1, 0), 1);
  Pump();
  struct Case {
    WPARAM target;
    const char16_t* text;
  };
  const Case cases[] = {
      {100, u"The new task has not been saved. Close it without saving and go to the calendar?"},
      {201, u"The new task has not been saved. Close it without saving and go to the task?"},
      {301, u"The new task has not been saved. Close it without saving and go to the contact?"},
      {601, u"The new task has not been saved. Close it without saving and go to the project?"},
      {999, u"The new task has not been saved. Close it without saving and go to the ?"},
  };
  for (const Case& c : cases) {
    user_->ExpectMessageBoxContaining(c.text, IDNO);
    EXPECT_EQ(CalyraEditor_IsEditorActive(0, host_, kHostMessage, c.target, 0), 1);
    Pump();
  }
  EXPECT_TRUE(Frame().IsOpen());
}

TEST_F(EditorRulesTest, TheInputPanelShrinksTheEditor) {
  UseOnlyTestPages({PageNumber::Task, PageNumber::Notes});
  ASSERT_EQ(CalyraEditor_NewTask(0, nullptr, nullptr, u"Call", 0, nullptr, 0, 1, 0), 1);
  Pump();
  RECT down{};
  GetWindowRect(MainWindow(), &down);
  HWND tabs = Tabs();
  RECT tabsDown{};
  GetWindowRect(tabs, &tabsDown);
  EXPECT_EQ(tabsDown.bottom, down.bottom + 1) << "the tab strip sits at the bottom edge";

  // The notes page asks for the input panel; the editor then stops above it.
  ASSERT_TRUE(platform::UserSelectTab(tabs, 1));
  Pump();
  RECT up{};
  GetWindowRect(MainWindow(), &up);
  EXPECT_LT(up.bottom, down.bottom);
  HWND notes = Frame().FocusedPage();
  RECT page{};
  GetWindowRect(notes, &page);
  EXPECT_LE(page.bottom, up.bottom - 22) << "the page stands above the tab strip";

  ASSERT_TRUE(platform::UserSelectTab(tabs, 0));
  Pump();
  RECT unchanged{};
  GetWindowRect(MainWindow(), &unchanged);
  EXPECT_EQ(unchanged.bottom, up.bottom) << "the task page leaves the input panel as it is";
}

}  // namespace
