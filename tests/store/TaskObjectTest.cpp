#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/notify/Notifications.h"
#include "platform/outlook/Outbox.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/OutlookSession.h"
#include "store/PimDatabase.h"
#include "store/TaskReminder.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kSubject = 0x0037001F;
constexpr CEPROPID kStartDate = 0x41040040;
constexpr CEPROPID kDueDate = 0x41050040;

SYSTEMTIME Day(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0) {
  return SYSTEMTIME{year, month, 0, day, hour, minute, 0, 0};
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute;
}

class TaskObjectTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    auto module = std::make_shared<platform::ResourceModule>();
    module->AddString(resources::kStringNoSubject, u"(No subject)");
    module->AddString(resources::kStringTaskReminderDue, u"Due:");
    context_.resources = platform::RegisterResourceModule(module);
    context_.taskCompleted = [this](ItemOid task) { completed_.push_back(task); };
  }
  ItemOid SaveNew(CPIMTask& task) {
    EXPECT_EQ(task.Save(context_), S_OK);
    EXPECT_NE(task.oid, 0u);
    return task.oid;
  }
  std::unique_ptr<CPIMTask> Loaded(ItemOid oid) {
    auto task = std::make_unique<CPIMTask>();
    task->oid = oid;
    EXPECT_TRUE(task->Load(context_));
    return task;
  }
  Record Raw(ItemOid oid) {
    Database db;
    db.OpenByName(TasksDatabaseName());
    db.SeekToOid(oid);
    Record record;
    db.ReadRecord(record);
    return record;
  }

  ItemContext context_;
  std::vector<ItemOid> completed_;
};

TEST_F(TaskObjectTest, SessionCountsLogonsAndCachesFolders) {
  auto session = std::make_unique<OutlookSession>(7);
  IDispatch* item = reinterpret_cast<IDispatch*>(0x1);
  EXPECT_EQ(session->GetItemFromOid(1, &item), E_FAIL);
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(session->CalendarFolder(), nullptr) << "no application before the logon";
  EXPECT_FALSE(session->NewTask());
  ASSERT_TRUE(session->Logon(nullptr));
  ASSERT_TRUE(session->Logon(nullptr));
  EXPECT_EQ(session->UseCount(), 2);
  IFolder* calendar = session->CalendarFolder();
  ASSERT_NE(calendar, nullptr);
  EXPECT_EQ(session->CalendarFolder(), calendar) << "served from the cache";
  session->Logoff(false);
  EXPECT_TRUE(session->LoggedOn()) << "one Logon is still unmatched";
  session->Logoff(false);
  EXPECT_FALSE(session->LoggedOn());
  session->Logoff(false);
  EXPECT_EQ(session->UseCount(), 0);
  ASSERT_TRUE(session->Logon(nullptr));
  EXPECT_EQ(session->Owner(), 7u);
  auto task = session->NewTask();
  ASSERT_TRUE(task);
  task->Save();
  EXPECT_EQ(session->SendByInfrared(task.Get()), S_OK);
  auto outbox = platform::ReadOutlookOutbox();
  ASSERT_EQ(outbox.size(), 1u);
  EXPECT_EQ(outbox[0].action, u"Infrared");
  task = nullptr;
  session.reset();  // destroying the session logs off, whatever the count
}

TEST_F(TaskObjectTest, RoundTripThroughTheModelAndTheRecord) {
  CPIMTask task;
  task.subject = u"Renew passport";
  task.due = Day(2024, 4, 2);
  task.priority = 1;
  task.isPrivate = true;
  task.categories = CategorySet::FromNumbers({2, 9});
  task.hasNotes = true;
  task.notes = {1, 2, 3, 4, 5};
  ItemOid oid = SaveNew(task);
  EXPECT_TRUE(SameDay(task.start, Day(2024, 4, 2))) << "a due date without start gives the start";

  auto loaded = Loaded(oid);
  EXPECT_EQ(loaded->subject, u"Renew passport");
  EXPECT_TRUE(SameDay(loaded->start, Day(2024, 4, 2)));
  EXPECT_TRUE(SameDay(loaded->due, Day(2024, 4, 2)));
  EXPECT_EQ(loaded->priority, 1);
  EXPECT_TRUE(loaded->isPrivate);
  EXPECT_FALSE(loaded->complete);
  EXPECT_EQ(loaded->categories.Numbers(), (std::vector<int>{2, 9}));
  EXPECT_TRUE(loaded->loaded);

  Record raw = Raw(oid);
  ASSERT_NE(raw.Find(kSubject), nullptr);
  EXPECT_EQ(raw.Find(kSubject)->AsString(), u"Renew passport");
  SYSTEMTIME due{};
  FILETIME dueTime = raw.Find(kDueDate)->AsTime();
  FileTimeToSystemTime(&dueTime, &due);
  EXPECT_TRUE(SameDay(due, Day(2024, 4, 2))) << "task dates are kept as they read";
  ASSERT_NE(raw.Find(kStartDate), nullptr);
  std::vector<BYTE> notes;
  ASSERT_TRUE(ReadPimProperty(oid, ItemKind::Task, kNotesTag, &notes));
  EXPECT_EQ(notes, (std::vector<BYTE>{1, 2, 3, 4, 5}));

  CPIMTask copy;
  ASSERT_TRUE(copy.LoadAsCopy(context_) == false) << "nothing to load without an oid";
  copy.oid = oid;
  ASSERT_TRUE(copy.LoadAsCopy(context_));
  EXPECT_EQ(copy.oid, 0u);
  EXPECT_EQ(copy.notes, notes);
}

TEST_F(TaskObjectTest, DatesSubjectsAndBadIdentities) {
  CPIMTask task;
  task.start = Day(2024, 4, 1);
  task.reminderSet = true;
  task.reminderTime = Day(2024, 3, 31, 9);
  ItemOid oid = SaveNew(task);
  auto loaded = Loaded(oid);
  EXPECT_FALSE(platform::IsDateSet(loaded->start)) << "a start without a due date is dropped";
  EXPECT_FALSE(platform::IsDateSet(loaded->due));
  EXPECT_FALSE(loaded->reminderSet);
  EXPECT_EQ(loaded->subject, u"(No subject)") << "an empty subject is saved and loaded as the string";
  EXPECT_TRUE(platform::ReadPendingNotifications().empty());

  CPIMTask keep;
  keep.subject = u"Keep start empty";
  keep.due = Day(2024, 4, 2);
  keep.keepStartEmpty = true;
  EXPECT_FALSE(platform::IsDateSet(Loaded(SaveNew(keep))->start));

  CPIMTask longSubject;
  longSubject.subject = std::u16string(5000, u'x');
  EXPECT_EQ(Loaded(SaveNew(longSubject))->subject.size(), CPIMTask::kSubjectLimit);

  CPIMTask gone;
  gone.oid = oid;
  ASSERT_TRUE(gone.Delete(context_));
  gone.oid = oid;
  EXPECT_FALSE(gone.Load(context_)) << "a deleted task";
  EXPECT_EQ(gone.Save(context_), E_FAIL);
  CPIMTask notATask;
  notATask.oid = 0xBAD;
  EXPECT_FALSE(notATask.Load(context_));
}

TEST_F(TaskObjectTest, RemindersFollowTheSaves) {
  CPIMTask task;
  task.subject = u"Call Anna";
  task.due = Day(2024, 3, 20);
  task.reminderSet = true;
  task.reminderTime = Day(2024, 3, 19, 8);
  ItemOid oid = SaveNew(task);
  auto pending = platform::ReadPendingNotifications();
  ASSERT_EQ(pending.size(), 1u);
  HANDLE handle = pending[0].handle;
  EXPECT_EQ(TaskNotificationHandle(oid), reinterpret_cast<uintptr_t>(handle));

  auto loaded = Loaded(oid);
  EXPECT_TRUE(loaded->reminderSet);
  EXPECT_TRUE(SameDay(loaded->reminderTime, Day(2024, 3, 19, 8))) << "worked out from the record";
  loaded->reminderTime = Day(2024, 3, 19, 17, 30);
  EXPECT_EQ(loaded->Save(context_), S_OK);
  pending = platform::ReadPendingNotifications();
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].handle, handle) << "moved, not made anew";
  SYSTEMTIME fires{};
  platform::UtcToLocalSystemTime(platform::FileTimeOf(pending[0].fireTimeUtc), &fires);
  EXPECT_TRUE(SameDay(fires, Day(2024, 3, 19, 17, 30)));

  loaded = Loaded(oid);
  loaded->reminderTime = Day(2024, 3, 1, 8);
  EXPECT_EQ(loaded->Save(context_), S_OK);
  EXPECT_TRUE(platform::ReadPendingNotifications().empty())
      << "a time in the past has nothing to fire; the old time must not fire either";
  EXPECT_EQ(TaskNotificationHandle(oid), 0u);

  loaded = Loaded(oid);
  loaded->reminderSet = false;
  EXPECT_EQ(loaded->Save(context_), S_OK);
  EXPECT_TRUE(platform::ReadPendingNotifications().empty()) << "turned off";
  EXPECT_EQ(TaskNotificationHandle(oid), 0u);

  loaded = Loaded(oid);
  loaded->reminderSet = true;
  loaded->reminderTime = Day(2024, 3, 19, 8);
  EXPECT_EQ(loaded->Save(context_), S_OK);
  EXPECT_EQ(platform::ReadPendingNotifications().size(), 1u);
  loaded = Loaded(oid);
  loaded->complete = true;
  EXPECT_EQ(loaded->Save(context_), S_OK);
  EXPECT_TRUE(platform::ReadPendingNotifications().empty()) << "completed";
  EXPECT_EQ(completed_, std::vector<ItemOid>{oid}) << "the journal hears of the completion once";
  EXPECT_EQ(loaded->Save(context_), S_OK);
  EXPECT_EQ(completed_.size(), 1u);
}

TEST_F(TaskObjectTest, ASaveCutsTheSubjectAndFailsWholeWhenTheNotesCannotBeWritten) {
  CPIMTask task;
  task.subject = std::u16string(5000, u'x');
  ItemOid oid = SaveNew(task);
  EXPECT_EQ(Raw(oid).Find(kSubject)->AsString().size(), CPIMTask::kSubjectLimit);

  CPIMTask oversize;
  oversize.subject = u"Too much ink";
  oversize.due = Day(2024, 3, 20);
  oversize.reminderSet = true;
  oversize.reminderTime = Day(2024, 3, 19, 8);
  oversize.categories = CategorySet::FromNumbers({2});
  oversize.hasNotes = true;
  oversize.notes.assign(70000, 0x41);  // more than a property holds
  EXPECT_EQ(oversize.Save(context_), E_FAIL);
  EXPECT_EQ(oversize.oid, 0u) << "a new task that failed stays new";
  Database tasks;
  DatabaseInformation information;
  ASSERT_TRUE(tasks.OpenByName(TasksDatabaseName()) && tasks.GetInformation(&information));
  EXPECT_EQ(information.records, 1u) << "nothing of the failed task was kept";
  EXPECT_TRUE(platform::ReadPendingNotifications().empty());

  auto loaded = Loaded(oid);
  loaded->subject = u"Changed";
  loaded->hasNotes = true;
  loaded->notes.assign(70000, 0x41);
  EXPECT_EQ(loaded->Save(context_), E_FAIL);
  EXPECT_EQ(Raw(oid).Find(kSubject)->AsString().size(), CPIMTask::kSubjectLimit)
      << "the stored task is as it was";
}

// Guards against notes emptied in an editor coming back: the save writes an empty blob over them.
TEST_F(TaskObjectTest, EmptiedNotesAreWrittenAsAnEmptyBlob) {
  CPIMTask task;
  task.subject = u"Plant bulbs";
  task.hasNotes = true;
  task.notes = {7, 7, 7};
  ItemOid oid = SaveNew(task);

  auto untouched = Loaded(oid);
  untouched->subject = u"Plant tulips";
  ASSERT_EQ(untouched->Save(context_), S_OK);
  Record kept = Raw(oid);
  ASSERT_NE(kept.Find(kNotesTag), nullptr);
  EXPECT_EQ(kept.Find(kNotesTag)->AsBlob(), (std::vector<BYTE>{7, 7, 7}))
      << "notes not loaded are not written";

  auto emptied = Loaded(oid);
  emptied->hasNotes = true;
  emptied->notes.clear();
  ASSERT_EQ(emptied->Save(context_), S_OK);
  Record cleared = Raw(oid);
  ASSERT_NE(cleared.Find(kNotesTag), nullptr);
  EXPECT_TRUE(cleared.Find(kNotesTag)->AsBlob().empty());
}

TEST_F(TaskObjectTest, CopyMakesATemplate) {
  CPIMTask task;
  task.subject = u"Weekly report";
  task.due = Day(2024, 3, 22);
  task.priority = 3;
  task.reminderSet = true;
  task.reminderTime = Day(2024, 3, 21, 8);
  task.categories = CategorySet::FromNumbers({4});
  task.hasNotes = true;
  task.notes = {9, 9};
  ItemOid oid = SaveNew(task);
  ItemOid copyOid = task.Copy(context_);
  ASSERT_NE(copyOid, 0u);
  ASSERT_NE(copyOid, oid);
  auto copy = Loaded(copyOid);
  EXPECT_EQ(copy->subject, u"Weekly report");
  EXPECT_EQ(copy->priority, 3);
  EXPECT_EQ(copy->due.wYear, 2999);
  EXPECT_EQ(copy->start.wYear, 2999);
  EXPECT_FALSE(copy->reminderSet);
  EXPECT_EQ(copy->categories.Numbers(), std::vector<int>{4});
  std::vector<BYTE> notes;
  EXPECT_TRUE(ReadPimProperty(copyOid, ItemKind::Task, kNotesTag, &notes));
  EXPECT_EQ(notes, (std::vector<BYTE>{9, 9}));
  EXPECT_EQ(task.NotesCapacity(), 57072u);
  EXPECT_EQ(task.DisplayText(), u"Weekly report");
}

}  // namespace

namespace {

TEST_F(TaskObjectTest, RecurringTasksAndTheRecurrencePatch) {
  CPIMTask task;
  task.subject = u"Water the plants";
  task.due = Day(2024, 3, 18);
  task.recurring = true;
  task.recurrence.type = olRecursWeekly;
  task.recurrence.interval = 1;
  task.recurrence.weekdayMask = olMonday;
  task.recurrence.patternStart = Day(2024, 3, 18);
  ItemOid oid = SaveNew(task);
  std::vector<BYTE> blob;
  ASSERT_TRUE(ReadPimProperty(oid, ItemKind::Task, 0x40150041, &blob));
  EXPECT_NE(blob.at(4), 10) << "no patch unless asked";

  auto loaded = Loaded(oid);
  EXPECT_TRUE(loaded->recurring);
  EXPECT_EQ(loaded->recurrence.type, olRecursWeekly);
  EXPECT_EQ(loaded->recurrence.weekdayMask, olMonday);
  EXPECT_TRUE(loaded->recurrence.noEndDate);
  loaded->recurrencePatch = true;
  ASSERT_EQ(loaded->Save(context_), S_OK);
  ASSERT_TRUE(ReadPimProperty(oid, ItemKind::Task, 0x40150041, &blob));
  EXPECT_EQ(blob.at(4), 10) << "byte 4 of the stored blob";
  EXPECT_TRUE(Loaded(oid)->recurring) << "the patched blob still reads";

  loaded->recurring = false;
  loaded->recurrencePatch = false;
  ASSERT_EQ(loaded->Save(context_), S_OK);
  EXPECT_FALSE(Loaded(oid)->recurring) << "the pattern is cleared";
}

}  // namespace

// After every save: the reminder on with a time later than now has exactly one pending notification
// of the task at that time, named by the task's record; otherwise the task has none and handle 0.
enum class Step { On19th8, On19th17, Off, Complete, Reopen, FireAll, RemovedElsewhere };

struct ReminderSequence {
  const char* name;
  std::vector<Step> steps;
};

class ReminderSequenceTest : public TaskObjectTest, public ::testing::WithParamInterface<ReminderSequence> {
 protected:
  void Apply(CPIMTask& task, Step step) {
    switch (step) {
      case Step::On19th8:
      case Step::On19th17:
        task.reminderSet = true;
        task.reminderTime = Day(2024, 3, 19, step == Step::On19th8 ? 8 : 17);
        break;
      case Step::Off:
        task.reminderSet = false;
        break;
      case Step::Complete:
      case Step::Reopen:
        task.complete = step == Step::Complete;
        break;
      case Step::FireAll:  // the device's time passes the reminder, which fires; then it goes back
        Device().SetSetting("Clock.Fixed", u"133553000000000000");
        platform::RunDueNotifications();
        Device().SetSetting("Clock.Fixed", u"133549686000000000");
        return;
      case Step::RemovedElsewhere:
        for (const auto& pending : platform::ReadPendingNotifications())
          CeClearUserNotification(pending.handle);
        return;
    }
    ASSERT_EQ(task.Save(context_), S_OK);
  }
  void ExpectAgreement(const CPIMTask& task, size_t stepIndex) {
    auto pending = platform::ReadPendingNotifications();
    DWORD handle = TaskNotificationHandle(task.oid);
    if (!task.reminderSet || task.complete) {
      EXPECT_TRUE(pending.empty()) << "after step " << stepIndex;
      EXPECT_EQ(handle, 0u) << "after step " << stepIndex;
      return;
    }
    ASSERT_EQ(pending.size(), 1u) << "after step " << stepIndex;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(pending[0].handle), handle) << "after step " << stepIndex;
    SYSTEMTIME fires{};
    platform::UtcToLocalSystemTime(platform::FileTimeOf(pending[0].fireTimeUtc), &fires);
    EXPECT_TRUE(SameDay(fires, task.reminderTime)) << "after step " << stepIndex;
  }
};

TEST_P(ReminderSequenceTest, TheNotificationAgreesWithTheReminderAfterEverySave) {
  CPIMTask task;
  task.subject = u"Call Anna";
  task.due = Day(2024, 3, 20);
  SaveNew(task);
  const auto& steps = GetParam().steps;
  for (size_t i = 0; i < steps.size(); ++i) {
    Apply(task, steps[i]);
    bool saved = steps[i] != Step::FireAll && steps[i] != Step::RemovedElsewhere;
    if (!saved) continue;
    ExpectAgreement(task, i);
    if (task.reminderSet && !task.complete) {
      EXPECT_TRUE(SameDay(Loaded(task.oid)->reminderTime, task.reminderTime)) << "after step " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ReminderSequenceTest,
    ::testing::Values(
        ReminderSequence{"OffAndOnAtTheSameTime", {Step::On19th8, Step::Off, Step::On19th8}},
        ReminderSequence{"FiredThenSetAgain", {Step::On19th8, Step::FireAll, Step::On19th17, Step::On19th8}},
        ReminderSequence{"CompletedThenReopened", {Step::On19th8, Step::Complete, Step::Reopen}},
        ReminderSequence{"RemovedByAnotherProcess", {Step::On19th8, Step::RemovedElsewhere, Step::On19th8}},
        ReminderSequence{"FiredThenTheSameTimeAgain", {Step::On19th8, Step::FireAll, Step::On19th8}},
        ReminderSequence{"MovedTwice", {Step::On19th8, Step::On19th17, Step::On19th8, Step::Off}}),
    [](const auto& info) { return std::string(info.param.name); });
