// The task date exports as a host calls them, on a device with the component started: what they
// answer, what the store holds afterwards, the reminder notifications and the journal.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CalyraEditor.h"
#include "notes/JournalFile.h"
#include "operations/TaskDateRules.h"
#include "platform/files/FileSystem.h"
#include "platform/notify/Notifications.h"
#include "platform/time/TimeConversion.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/PimDatabase.h"
#include "store/TaskReminder.h"
#include "tests/support/DateSupport.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using calyra::testing::Date;
using calyra::testing::EditorHostTest;
using calyra::testing::ScriptedUser;

constexpr const char16_t* kJournal = u"\\My Documents\\journal.cjl";
constexpr SYSTEMTIME kNoDate = platform::kNoDateSystemTime;

// What a stored task is made of in these tests.
struct TaskFields {
  SYSTEMTIME start = kNoDate;
  SYSTEMTIME due = kNoDate;
  std::optional<SYSTEMTIME> reminder;
  bool complete = false;
  bool recurring = false;
};

// A person who answers message boxes by the script and notes their captions and flags.
class NotingUser : public ScriptedUser {
 public:
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override {
    owners.push_back(owner);
    captions.emplace_back(caption);
    this->flags.push_back(flags);
    return ScriptedUser::AnswerMessageBox(owner, text, caption, flags);
  }
  std::vector<HWND> owners;
  std::vector<std::u16string> captions;
  std::vector<UINT> flags;
};

class TaskDateExportsTest : public EditorHostTest {
 protected:
  void SetUp() override {
    EditorHostTest::SetUp();
    CreateDirectoryW(u"\\My Documents", nullptr);
    CalyraJournalOptions journal{};
    journal.flags = 0x3F;  // the journal on, every kind of entry
    std::u16string(kJournal).copy(journal.location, 259);
    ASSERT_EQ(CalyraEditor_SetJournalOptions(&journal), 1);
    context_.resources = resources_;
  }

  // The exports called with dates by value, as a host passes its own.
  int ChangeDue(ItemOid task, SYSTEMTIME due, int skip = 0) {
    return CalyraEditor_ChangeDates(host_, task, skip, 0, &due);
  }
  int Move(ItemOid task, int copy, SYSTEMTIME from, SYSTEMTIME to) {
    return CalyraEditor_MoveTaskToDate(host_, task, copy, &from, &to);
  }
  ItemOid StoreTask(const TaskFields& fields, const std::u16string& subject = u"Call Anna") {
    CPIMTask task;
    task.subject = subject;
    task.start = fields.start;
    task.due = fields.due;
    task.reminderSet = fields.reminder.has_value();
    task.reminderTime = fields.reminder.value_or(kNoDate);
    task.complete = fields.complete;
    task.hasNotes = true;
    task.notes = {7, 1, 7};
    task.categories = CategorySet::FromNumbers({3});
    if (fields.recurring) {
      task.recurring = true;
      task.recurrence.type = olRecursWeekly;
      task.recurrence.interval = 1;
      task.recurrence.weekdayMask = olWednesday;
      task.recurrence.patternStart = fields.due;
    }
    EXPECT_EQ(task.Save(context_), S_OK);
    return task.oid;
  }
  std::unique_ptr<CPIMTask> Loaded(ItemOid oid) {
    auto task = std::make_unique<CPIMTask>();
    task->oid = oid;
    EXPECT_TRUE(task->Load(context_)) << "task " << oid;
    return task;
  }
  // The local time at which the task's own pending notification fires, when it has one.
  std::optional<SYSTEMTIME> ReminderFires(ItemOid task) {
    DWORD handle = TaskNotificationHandle(task);
    for (const auto& pending : platform::ReadPendingNotifications()) {
      if (reinterpret_cast<uintptr_t>(pending.handle) != handle) continue;
      SYSTEMTIME local{};
      platform::UtcToLocalSystemTime(platform::FileTimeOf(pending.fireTimeUtc), &local);
      return local;
    }
    return std::nullopt;
  }
  // The completion entries of the journal about `task`.
  size_t CompletionEntries(ItemOid task) {
    size_t count = 0;
    for (const auto& entry : JournalFile(kJournal).LoadAll().value_or(std::vector<JournalEntry>{}))
      count += entry.item == task && entry.entryType == 2 ? 1 : 0;
    return count;
  }
  size_t TaskCount() {
    Database tasks;
    DatabaseInformation information;
    if (!tasks.OpenByName(TasksDatabaseName()) || !tasks.GetInformation(&information)) return 0;
    return information.records;
  }
  std::vector<BYTE> NotesOf(ItemOid task) {
    std::vector<BYTE> notes;
    ReadPimProperty(task, ItemKind::Task, kNotesTag, &notes);
    return notes;
  }
  // The dates, reminder and completion of a stored task, to see that nothing changed.
  std::string Snapshot(ItemOid oid) {
    auto task = Loaded(oid);
    auto fires = ReminderFires(oid);
    return ::testing::PrintToString(task->start) + " " + ::testing::PrintToString(task->due) +
           (task->reminderSet ? " reminder " + ::testing::PrintToString(task->reminderTime)
                              : " no reminder") +
           (fires ? " fires " + ::testing::PrintToString(*fires) : " no notification") +
           (task->complete ? " complete" : " open");
  }

  ItemContext context_;
};

// A three-day task from Monday to Wednesday with its reminder on the due date; the clock stands at
// Friday 2024-03-15, so the reminder is still to come.
const TaskFields kThreeDays{Date(2024, 3, 18), Date(2024, 3, 20), Date(2024, 3, 20, 16, 30)};

TEST_F(TaskDateExportsTest, MarkCompleteByModeJournalsOnlyAChangeToComplete) {
  struct Row {
    bool completeBefore;
    int mode;
    bool completeAfter;
  };
  const Row rows[] = {
      {false, 0, false}, {false, 1, true}, {false, 2, true}, {false, -1, true},
      {true, 0, false},  {true, 1, true},  {true, 2, false}, {true, 99, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("complete before " + std::to_string(row.completeBefore) + ", mode " +
                 std::to_string(row.mode));
    TaskFields fields = kThreeDays;
    fields.complete = row.completeBefore;
    ItemOid task = StoreTask(fields);
    EXPECT_EQ(CalyraEditor_MarkTaskComplete(host_, task, row.mode), 1);
    EXPECT_EQ(Loaded(task)->complete, row.completeAfter);
    bool changedToComplete = row.completeAfter && !row.completeBefore;
    EXPECT_EQ(CompletionEntries(task), changedToComplete ? 1u : 0u);
    if (row.completeAfter) {
      EXPECT_EQ(ReminderFires(task), std::nullopt) << "a complete task has no notification";
    }
    if (!row.completeBefore && !row.completeAfter) {
      EXPECT_EQ(ReminderFires(task), Date(2024, 3, 20, 16, 30)) << "an open task left open keeps it";
    }
  }
}

TEST_F(TaskDateExportsTest, CompletingRemovesTheNotification) {
  ItemOid task = StoreTask(kThreeDays);
  ItemOid other = StoreTask(kThreeDays, u"Other");
  ASSERT_EQ(platform::ReadPendingNotifications().size(), 2u);
  EXPECT_EQ(CalyraEditor_MarkTaskComplete(host_, task, 1), 1);
  EXPECT_EQ(TaskNotificationHandle(task), 0u);
  EXPECT_FALSE(Loaded(task)->reminderSet) << "reopened later, it does not remind again";
  EXPECT_EQ(platform::ReadPendingNotifications().size(), 1u);
  EXPECT_TRUE(ReminderFires(other).has_value()) << "another task's notification stays";
  EXPECT_EQ(CalyraEditor_MarkTaskComplete(host_, task, 1), 1);
  EXPECT_EQ(CompletionEntries(task), 1u) << "completing a complete task again writes nothing";
}

TEST_F(TaskDateExportsTest, ARecurringTaskIsCompletedLikeAnyOtherAndPocketOutlookMovesTheSeriesOn) {
  TaskFields fields = kThreeDays;
  fields.recurring = true;
  ItemOid task = StoreTask(fields);
  EXPECT_EQ(CalyraEditor_MarkTaskComplete(host_, task, 2), 1);
  EXPECT_EQ(CompletionEntries(task), 1u);
  // Pocket Outlook keeps the occurrence as a completed task of its own and opens the next one.
  EXPECT_EQ(TaskCount(), 2u);
  auto series = Loaded(task);
  EXPECT_FALSE(series->complete);
  EXPECT_TRUE(series->recurring);
  EXPECT_GT(DayDifference(Date(2024, 3, 20), series->due), 0) << "moved on to its next occurrence";
}

TEST_F(TaskDateExportsTest, ANewDueDateMovesTheNotification) {
  ItemOid task = StoreTask(kThreeDays);
  HANDLE handle = platform::ReadPendingNotifications().at(0).handle;
  EXPECT_EQ(ChangeDue(task, Date(2024, 3, 25)), 1);
  auto loaded = Loaded(task);
  EXPECT_EQ(loaded->start, Date(2024, 3, 18));
  EXPECT_EQ(loaded->due, Date(2024, 3, 25));
  EXPECT_EQ(loaded->reminderTime, Date(2024, 3, 25, 16, 30));
  auto pending = platform::ReadPendingNotifications();
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].handle, handle) << "moved in place";
  EXPECT_EQ(ReminderFires(task), Date(2024, 3, 25, 16, 30));
}

TEST_F(TaskDateExportsTest, ADueDateBeforeTheStartKeepsTheLengthAndTheReminderWithItsEnd) {
  ItemOid fromStart = StoreTask({Date(2024, 4, 8), Date(2024, 4, 10), Date(2024, 4, 7, 7, 45)});
  ItemOid fromDue = StoreTask({Date(2024, 4, 8), Date(2024, 4, 10), Date(2024, 4, 10, 16, 30)});
  for (ItemOid task : {fromStart, fromDue}) EXPECT_EQ(ChangeDue(task, Date(2024, 4, 1)), 1);
  auto loaded = Loaded(fromStart);
  EXPECT_EQ(loaded->start, Date(2024, 3, 30)) << "three days long";
  EXPECT_EQ(loaded->due, Date(2024, 4, 1));
  EXPECT_EQ(ReminderFires(fromStart), Date(2024, 3, 29, 7, 45)) << "a day before the start, as it was";
  loaded = Loaded(fromDue);
  EXPECT_EQ(loaded->start, Date(2024, 3, 30));
  EXPECT_EQ(loaded->due, Date(2024, 4, 1));
  EXPECT_EQ(ReminderFires(fromDue), Date(2024, 4, 1, 16, 30)) << "on the due date, as it was";
}

TEST_F(TaskDateExportsTest, AReminderBeforeTheStartStaysWhenTheDueDateGoesLater) {
  ItemOid task = StoreTask({Date(2024, 3, 18), Date(2024, 3, 20), Date(2024, 3, 17, 7, 45)});
  EXPECT_EQ(ChangeDue(task, Date(2024, 3, 25)), 1);
  auto loaded = Loaded(task);
  EXPECT_EQ(loaded->start, Date(2024, 3, 18));
  EXPECT_EQ(loaded->due, Date(2024, 3, 25));
  EXPECT_EQ(loaded->reminderTime, Date(2024, 3, 17, 7, 45));
  EXPECT_EQ(ReminderFires(task), Date(2024, 3, 17, 7, 45));
}

TEST_F(TaskDateExportsTest, TheNoDateValueClearsTheDatesAndRemovesTheNotification) {
  ItemOid task = StoreTask(kThreeDays);
  ItemOid other = StoreTask(kThreeDays, u"Other");
  ASSERT_TRUE(ReminderFires(task).has_value());
  EXPECT_EQ(CalyraEditor_ChangeDates(host_, task, 0, 0, &kNoDate), 1);
  auto loaded = Loaded(task);
  EXPECT_FALSE(platform::IsDateSet(loaded->start));
  EXPECT_FALSE(platform::IsDateSet(loaded->due));
  EXPECT_FALSE(loaded->reminderSet);
  EXPECT_EQ(TaskNotificationHandle(task), 0u);
  auto pending = platform::ReadPendingNotifications();
  ASSERT_EQ(pending.size(), 1u) << "the task's notification is gone, the other task's stays";
  EXPECT_EQ(reinterpret_cast<uintptr_t>(pending[0].handle), TaskNotificationHandle(other));
}

TEST_F(TaskDateExportsTest, SkipAndANullDateChangeNothing) {
  ItemOid task = StoreTask(kThreeDays);
  std::string before = Snapshot(task);
  EXPECT_EQ(ChangeDue(task, Date(2024, 3, 25), 1), 1);
  EXPECT_EQ(CalyraEditor_ChangeDates(host_, task, 0, 0, nullptr), 1) << "null is not the no-date value";
  EXPECT_EQ(Snapshot(task), before);
}

TEST_F(TaskDateExportsTest, TheReminderKeepsItsHourOverTheDaylightSavingChange) {
  // 09:00 on Saturday 2024-03-30 is 08:00 UTC; on Monday 04-01, in summer time, 07:00 UTC.
  ItemOid task = StoreTask({Date(2024, 3, 30), Date(2024, 3, 30), Date(2024, 3, 30, 9, 0)});
  EXPECT_EQ(Move(task, 0, Date(2024, 3, 30), Date(2024, 4, 1)), 1);
  EXPECT_EQ(ReminderFires(task), Date(2024, 4, 1, 9, 0));
  FILETIME utc = platform::FileTimeOf(platform::ReadPendingNotifications().at(0).fireTimeUtc);
  SYSTEMTIME fires{};
  FileTimeToSystemTime(&utc, &fires);
  EXPECT_EQ(fires, Date(2024, 4, 1, 7, 0));

  EXPECT_EQ(ChangeDue(task, Date(2024, 3, 31)), 1);
  EXPECT_EQ(Loaded(task)->reminderTime, Date(2024, 3, 31, 9, 0));
  EXPECT_EQ(ReminderFires(task), Date(2024, 3, 31, 9, 0)) << "the day of 23 hours";
}

TEST_F(TaskDateExportsTest, DraggingFromAMiddleDayMovesBothEndsAndTheReminder) {
  ItemOid task = StoreTask(kThreeDays);
  EXPECT_EQ(Move(task, 0, Date(2024, 3, 19), Date(2024, 3, 22)), 1);
  auto loaded = Loaded(task);
  EXPECT_EQ(loaded->start, Date(2024, 3, 21));
  EXPECT_EQ(loaded->due, Date(2024, 3, 23));
  EXPECT_EQ(ReminderFires(task), Date(2024, 3, 23, 16, 30));
  EXPECT_EQ(platform::ReadPendingNotifications().size(), 1u);
  EXPECT_EQ(TaskCount(), 1u);
}

TEST_F(TaskDateExportsTest, ARecurringTaskIsNotMovedAndThePersonIsTold) {
  TaskFields fields = kThreeDays;
  fields.recurring = true;
  ItemOid task = StoreTask(fields);
  std::string before = Snapshot(task);
  {
    NotingUser person;
    person.SetResourceModule(resources_);
    person.ExpectMessageBoxString(resources::kStringRecurringTaskNotMoved, IDOK);
    person.ExpectMessageBoxString(resources::kStringRecurringTaskNotMoved, IDOK);
    EXPECT_EQ(Move(task, 0, Date(2024, 3, 20), Date(2024, 3, 27)), 0);
    EXPECT_EQ(Move(task, 1, Date(2024, 3, 20), Date(2024, 3, 27)), 0) << "nor copied";
    EXPECT_EQ(person.owners, (std::vector<HWND>{host_, host_}));
    EXPECT_EQ(person.captions, (std::vector<std::u16string>{u"Calyra", u"Calyra"}));
    EXPECT_EQ(person.flags, (std::vector<UINT>{MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION}));
  }
  platform::SetUserAgent(&*user_);
  EXPECT_EQ(Snapshot(task), before);
  EXPECT_EQ(TaskCount(), 1u);
}

TEST_F(TaskDateExportsTest, ADropOnTheSameDayDoesNotEvenLoadTheTask) {
  TaskFields fields = kThreeDays;
  fields.recurring = true;
  ItemOid task = StoreTask(fields);
  std::string before = Snapshot(task);
  // A recurring task would be refused with a message once loaded: there is neither.
  EXPECT_EQ(Move(task, 0, Date(2024, 3, 20, 8), Date(2024, 3, 20, 17)), 1);
  EXPECT_EQ(Move(0xBAD, 0, Date(2024, 3, 20), Date(2024, 3, 20)), 1);
  EXPECT_EQ(Snapshot(task), before);
}

TEST_F(TaskDateExportsTest, ACopyIsANewTaskAndTheFirstStaysAsItWas) {
  ItemOid task = StoreTask(kThreeDays, u"Weekly report");
  std::string before = Snapshot(task);
  EXPECT_EQ(Move(task, 1, Date(2024, 3, 18), Date(2024, 3, 25)), 1);
  EXPECT_EQ(Snapshot(task), before);
  EXPECT_EQ(NotesOf(task), (std::vector<BYTE>{7, 1, 7}));
  ASSERT_EQ(TaskCount(), 2u);

  Database tasks;
  ASSERT_TRUE(tasks.OpenByName(TasksDatabaseName()));
  ItemOid copy = 0;
  tasks.Enumerate(Record(), [&](Record& record) {
    if (record.Oid() != task) copy = record.Oid();
    return true;
  });
  ASSERT_NE(copy, 0u);
  auto loaded = Loaded(copy);
  EXPECT_EQ(loaded->subject, u"Weekly report");
  EXPECT_EQ(loaded->start, Date(2024, 3, 25));
  EXPECT_EQ(loaded->due, Date(2024, 3, 27));
  EXPECT_EQ(loaded->categories.Numbers(), std::vector<int>{3});
  EXPECT_EQ(NotesOf(copy), (std::vector<BYTE>{7, 1, 7})) << "the notes come along";
  EXPECT_EQ(ReminderFires(copy), Date(2024, 3, 27, 16, 30)) << "a notification of its own";
  EXPECT_EQ(platform::ReadPendingNotifications().size(), 2u);

  // Copied onto the same day: still a new task.
  EXPECT_EQ(Move(task, 1, Date(2024, 3, 18), Date(2024, 3, 18)), 1);
  EXPECT_EQ(TaskCount(), 3u);
  EXPECT_EQ(Snapshot(task), before);
}

TEST_F(TaskDateExportsTest, ACopyOfACompleteTaskIsNotJournalledAsCompleted) {
  TaskFields fields = kThreeDays;
  fields.complete = true;
  ItemOid task = StoreTask(fields);
  EXPECT_EQ(Move(task, 1, Date(2024, 3, 20), Date(2024, 3, 22)), 1);
  EXPECT_EQ(TaskCount(), 2u);
  EXPECT_TRUE(JournalFile(kJournal).LoadAll().value_or(std::vector<JournalEntry>{}).empty());
}

TEST_F(TaskDateExportsTest, NullDaysAreRefusedWithoutAMessage) {
  ItemOid task = StoreTask(kThreeDays);
  std::string before = Snapshot(task);
  SYSTEMTIME day = Date(2024, 3, 25);
  EXPECT_EQ(CalyraEditor_MoveTaskToDate(host_, task, 0, nullptr, &day), 0);
  EXPECT_EQ(CalyraEditor_MoveTaskToDate(host_, task, 1, &day, nullptr), 0);
  EXPECT_EQ(Snapshot(task), before);
  EXPECT_EQ(TaskCount(), 1u);
}

TEST_F(TaskDateExportsTest, AnUnknownTaskAnswersOneAndNothingChanges) {
  ItemOid task = StoreTask(kThreeDays);
  std::string before = Snapshot(task);
  SYSTEMTIME from = Date(2024, 3, 18);
  SYSTEMTIME to = Date(2024, 3, 25);
  for (ItemOid unknown : {ItemOid{0}, ItemOid{0xBAD}}) {
    EXPECT_EQ(CalyraEditor_MarkTaskComplete(host_, unknown, 1), 1);
    EXPECT_EQ(CalyraEditor_ChangeDates(host_, unknown, 0, 0, &to), 1);
    EXPECT_EQ(CalyraEditor_ChangeDates(host_, unknown, 0, 0, &kNoDate), 1);
    EXPECT_EQ(CalyraEditor_MoveTaskToDate(host_, unknown, 0, &from, &to), 1);
    EXPECT_EQ(CalyraEditor_MoveTaskToDate(host_, unknown, 1, &from, &to), 1);
  }
  EXPECT_EQ(TaskCount(), 1u) << "no task was made";
  EXPECT_EQ(Snapshot(task), before);
  EXPECT_TRUE(JournalFile(kJournal).LoadAll().value_or(std::vector<JournalEntry>{}).empty());
}

}  // namespace
