// The task page as a person uses it: the priority code in the subject, the dates, the reminder and
// what OK writes.
#include <gtest/gtest.h>

#include "editors/ControlText.h"
#include "editors/PriorityCode.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "tests/support/DateSupport.h"
#include "tests/support/PhraseFiles.h"
#include "tests/support/editor/EditorHostTest.h"
#include "tests/support/editor/ExportCalls.h"

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

class TaskPageTest : public EditorHostTest {
 protected:
  HWND OpenNew(std::optional<SYSTEMTIME> start, std::optional<SYSTEMTIME> due,
               std::u16string subject = u"Call") {
    NewItem request(EditorKind::NewTask);
    request.Subject(std::move(subject));
    if (start) request.From(*start);
    if (start && due) request.To(*due);
    EXPECT_EQ(request.Post(), 1);
    Pump();
    return Frame().FocusedPage();
  }
  HWND OpenStored(ItemOid task, DWORD editValue = 0) {
    EXPECT_EQ(EditItem(EditorKind::EditTask, task).EditValue(editValue).Post(), 1);
    Pump();
    return Frame().IsOpen() ? Frame().FocusedPage() : nullptr;
  }
  static ItemOid Save(CPIMTask& task) {
    ItemContext context;
    EXPECT_EQ(task.Save(context), S_OK);
    return task.oid;
  }
  static CPIMTask Stored(ItemOid oid) {
    CPIMTask task;
    task.oid = oid;
    ItemContext context;
    EXPECT_TRUE(task.Load(context));
    return task;
  }
  HWND Control(int id) const { return GetDlgItem(Frame().FocusedPage(), id); }
  std::u16string TextOf(int id) const { return WindowText(Control(id)); }
  LRESULT Selected(int id) const { return SendMessageW(Control(id), CB_GETCURSEL, 0, 0); }
  bool Shown(int id) const { return IsWindowVisible(Control(id)); }
  SYSTEMTIME Picked(int id) const {
    SYSTEMTIME day{};
    return DateTime_GetSystemtime(Control(id), &day) == GDT_VALID ? day : platform::kNoDateSystemTime;
  }
  void Command(int command) {
    EXPECT_TRUE(platform::UserCommand(Frame().FocusedPage(), static_cast<UINT>(command)));
    Pump();
  }
  void PressOk() { Command(kCommandOk); }
  std::u16string Text(unsigned id) const { return ResourceText(resources_, id); }
  // Every task record, oldest first.
  static std::vector<ItemOid> StoredTasks() {
    std::vector<ItemOid> oids;
    Database tasks;
    if (!tasks.OpenByName(TasksDatabaseName())) return oids;
    tasks.Enumerate(Record(), [&](Record& record) {
      oids.push_back(record.Oid());
      return true;
    });
    std::sort(oids.begin(), oids.end());
    return oids;
  }
};

struct CodeCase {
  const char16_t* subject;
  LRESULT letter;
  LRESULT digit;
  const char16_t* shown;
};

TEST_F(TaskPageTest, ThePriorityCodeIsReadFromTheSubject) {
  const CodeCase kCases[] = {
      {u"B3: Call Ada", 2, 3, u"Call Ada"},   {u"B: Call Ada", 2, 0, u"Call Ada"},
      {u"3: Call Ada", 0, 3, u"Call Ada"},    {u"Z9: x", 26, 9, u"x"},
      {u"B3 Call Ada", 0, 0, u"B3 Call Ada"}, {u"b3: Call Ada", 0, 0, u"b3: Call Ada"},
      {u"0: Call Ada", 0, 0, u"0: Call Ada"}, {u"B3:Call", 0, 0, u"B3:Call"},
  };
  for (const CodeCase& entry : kCases) {
    SCOPED_TRACE(platform::ToUtf8(entry.subject));
    CPIMTask task;
    task.subject = entry.subject;
    OpenStored(Save(task));
    EXPECT_EQ(Selected(kTaskPriorityLetter), entry.letter);
    EXPECT_EQ(Selected(kTaskPriorityDigit), entry.digit);
    EXPECT_EQ(TextOf(kTaskSubject), entry.shown);
    Command(kCommandCancel);
  }
}

struct StoreCodeCase {
  int letter;
  int digit;
  const char16_t* stored;
};

TEST_F(TaskPageTest, ThePriorityListsAreWrittenBeforeTheSubject) {
  const StoreCodeCase kCases[] = {
      {2, 3, u"B3: Call Ada"}, {2, 0, u"B: Call Ada"}, {0, 3, u"3: Call Ada"}, {0, 0, u"Call Ada"}};
  for (const StoreCodeCase& entry : kCases) {
    CPIMTask task;
    task.subject = u"B3: Call Ada";
    ItemOid oid = Save(task);
    OpenStored(oid);
    ASSERT_TRUE(platform::UserChoose(Control(kTaskPriorityLetter), entry.letter));
    ASSERT_TRUE(platform::UserChoose(Control(kTaskPriorityDigit), entry.digit));
    PressOk();
    EXPECT_EQ(Stored(oid).subject, entry.stored);
  }
}

TEST_F(TaskPageTest, AnEmptySubjectShowsThePlaceholderAndStaysEmpty) {
  OpenNew(std::nullopt, std::nullopt, u"");
  EXPECT_EQ(TextOf(kTaskSubject), Text(kStringSubjectPlaceholder));
  PressOk();
  EXPECT_FALSE(Frame().IsOpen());
}

TEST_F(TaskPageTest, AStartAfterTheDueDateIsShownAsTheDueDate) {
  CPIMTask task;
  task.subject = u"Report";
  task.start = Date(2024, 3, 22);
  task.due = Date(2024, 3, 20);
  task.keepStartEmpty = true;
  ItemOid oid = Save(task);
  OpenStored(oid);
  EXPECT_EQ(Picked(kTaskStartDate).wDay, 20);
  EXPECT_EQ(Picked(kTaskDueDate).wDay, 20);
}

TEST_F(TaskPageTest, WithoutADueDateThereIsNoReminder) {
  OpenNew(std::nullopt, std::nullopt);
  for (int id : {kTaskReminderLabel, kTaskReminderDate, kTaskReminderTime}) EXPECT_FALSE(Shown(id)) << id;
  SYSTEMTIME due = Date(2024, 3, 22);
  ASSERT_TRUE(platform::UserPickDate(Control(kTaskDueDate), &due));
  Pump();
  EXPECT_TRUE(Shown(kTaskReminderDate));
  EXPECT_TRUE(IsWindowEnabled(Control(kTaskReminderDate)));
  EXPECT_FALSE(Shown(kTaskReminderTime)) << "no reminder date yet";
  SYSTEMTIME day = Date(2024, 3, 21);
  ASSERT_TRUE(platform::UserPickDate(Control(kTaskReminderDate), &day));
  Pump();
  EXPECT_TRUE(Shown(kTaskReminderTime));
  EXPECT_EQ(TextOf(kTaskReminderTime), u"8:00 AM");
  user_->ExpectDialog(kDialogTimePicker12).Click(kTimeHour0 + 8).Click(kTimeMinute30).Click(IDOK);
  platform::UserClick(Control(kTaskReminderTime));
  Pump();
  PressOk();
  CPIMTask stored = Stored(StoredTasks().at(0));
  EXPECT_TRUE(stored.reminderSet);
  EXPECT_EQ(stored.reminderTime, Date(2024, 3, 21, 9, 30));
  EXPECT_EQ(stored.due, Date(2024, 3, 22));
}

TEST_F(TaskPageTest, TurningTheReminderOffStoresNoReminderDate) {
  CPIMTask task;
  task.subject = u"Report";
  task.start = task.due = Date(2024, 3, 22);
  task.reminderSet = true;
  task.reminderTime = Date(2024, 3, 21, 18, 15);
  ItemOid oid = Save(task);
  OpenStored(oid);
  EXPECT_EQ(Picked(kTaskReminderDate).wDay, 21);
  EXPECT_EQ(TextOf(kTaskReminderTime), u"6:15 PM");
  ASSERT_TRUE(platform::UserPickDate(Control(kTaskReminderDate), nullptr));
  Pump();
  PressOk();
  CPIMTask stored = Stored(oid);
  EXPECT_FALSE(stored.reminderSet);
  EXPECT_EQ(stored.reminderTime, platform::kNoDateSystemTime);
}

TEST_F(TaskPageTest, ATemplatesDatesAreStoredOnTheTemplateDay) {
  CPIMTask task;
  task.subject = u"Weekly report";
  SYSTEMTIME templateDay{};
  VariantTimeToSystemTime(CPIMTask::kTemplateDate, &templateDay);
  task.start = task.due = templateDay;
  ItemOid oid = Save(task);
  OpenStored(oid, 1);
  EXPECT_EQ(Picked(kTaskStartDate), platform::kNoDateSystemTime) << "the template day is not shown";
  PressOk();
  CPIMTask stored = Stored(oid);
  EXPECT_EQ(stored.start, Date(2999, 12, 31));
  EXPECT_EQ(stored.due, Date(2999, 12, 31));
}

TEST_F(TaskPageTest, CompletionImportanceAndPrivateAreShownAndStored) {
  CPIMTask task;
  task.subject = u"Report";
  task.due = Date(2024, 3, 14);
  task.complete = true;
  task.priority = 1;
  ItemOid oid = Save(task);
  OpenStored(oid);
  EXPECT_TRUE(Shown(kTaskCompletedText));
  EXPECT_EQ(TextOf(kTaskCompletedText).rfind(u"Completed ", 0), 0u);
  EXPECT_EQ(IsDlgButtonChecked(Frame().FocusedPage(), kTaskImportanceHigh), static_cast<UINT>(BST_CHECKED));
  ASSERT_TRUE(platform::UserClick(Control(kTaskImportanceLow)));
  ASSERT_TRUE(platform::UserClick(Control(kTaskPrivate)));
  ASSERT_TRUE(platform::UserClick(Control(kTaskComplete)));
  Pump();
  PressOk();
  CPIMTask stored = Stored(oid);
  EXPECT_EQ(stored.priority, 3);
  EXPECT_TRUE(stored.isPrivate);
  EXPECT_FALSE(stored.complete);
}

TEST_F(TaskPageTest, ARecurringTaskShowsItsFirstOccurrenceWithFixedDates) {
  CPIMTask task;
  task.subject = u"Water the plants";
  task.start = task.due = Date(2024, 3, 18);
  task.recurring = true;
  task.recurrence.type = olRecursWeekly;
  task.recurrence.interval = 1;
  task.recurrence.weekdayMask = olWednesday;
  task.recurrence.patternStart = Date(2024, 3, 18);
  ItemOid oid = Save(task);
  OpenStored(oid);
  EXPECT_TRUE(Shown(kTaskRecurring));
  EXPECT_FALSE(IsWindowEnabled(Control(kTaskStartDate)));
  EXPECT_FALSE(IsWindowEnabled(Control(kTaskDueDate)));
  EXPECT_EQ(Picked(kTaskStartDate).wDay, 20) << "the first Wednesday";
}

TEST_F(TaskPageTest, EnterInTheSubjectOpensThePhrasesAndAddsNoLine) {
  WritePhraseFile(R"(<q><phrase title="Back" usage="subject task"> back</phrase></q>)");
  OpenNew(std::nullopt, std::nullopt, u"Call");
  HWND subject = Control(kTaskSubject);
  SetFocus(subject);
  SendMessageW(subject, EM_SETSEL, 4, 4);
  user_->ExpectDialog(kDialogPhraseSelection).Click(IDCANCEL);
  ASSERT_TRUE(platform::UserPressKey(subject, VK_RETURN));
  Pump();
  EXPECT_EQ(TextOf(kTaskSubject), u"Call");
  user_->ExpectDialog(kDialogPhraseSelection).Choose(kPhraseList, 0);
  ASSERT_TRUE(platform::UserPressKey(subject, VK_RETURN));
  Pump();
  EXPECT_EQ(TextOf(kTaskSubject), u"Callback");
}

TEST_F(TaskPageTest, TheSubjectGrowsWhileItHasTheFocus) {
  OpenNew(std::nullopt, std::nullopt, u"Call");
  HWND subject = Control(kTaskSubject);
  RECT before{};
  GetWindowRect(subject, &before);
  SetFocus(Control(kTaskPrivate));
  SetFocus(subject);
  RECT focused{};
  GetWindowRect(subject, &focused);
  EXPECT_GT(focused.bottom - focused.top, before.bottom - before.top);
  SetFocus(Control(kTaskPrivate));
  RECT after{};
  GetWindowRect(subject, &after);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

}  // namespace

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

struct TapCase {
  int fromRight;  // pixels from the field's right end
  bool opens;
};

TEST_F(TaskPageTest, ATapNearADateFieldsRightEndOpensItsCalendar) {
  constexpr TapCase kCases[] = {{1, true}, {19, true}, {21, false}, {60, false}};
  for (const TapCase& entry : kCases) {
    SCOPED_TRACE(entry.fromRight);
    OpenNew(Date(2024, 3, 20), Date(2024, 3, 22));
    HWND due = Control(kTaskDueDate);
    RECT rect{};
    GetClientRect(due, &rect);
    SendMessageW(due, WM_LBUTTONDOWN, 0, MAKELPARAM(rect.right - entry.fromRight, 5));
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(due, DTM_GETMONTHCAL, 0, 0));
    EXPECT_EQ(calendar != nullptr && IsWindowVisible(calendar), entry.opens);
    platform::UserCloseDatePicker(due);
    Command(kCommandCancel);
  }
}

}  // namespace

namespace {

using namespace calyra;
using namespace calyra::testing;
using namespace calyra::resources;

TEST_F(TaskPageTest, TheIconButtonOffersTheIconChooser) {
  OpenNew(std::nullopt, std::nullopt);
  user_->ExpectDialog(kDialogIconChooser).Click(IDCANCEL);
  ASSERT_TRUE(platform::UserClick(Control(kTaskIcon)));
  Pump();
  PressOk();
  EXPECT_FALSE(Frame().IsOpen());
}

}  // namespace
