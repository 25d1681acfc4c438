#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "platform/notify/Notifications.h"
#include "platform/registry/RegistryKey.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/TaskReminder.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kSubject = 0x0037001F;

SYSTEMTIME Local(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0) {
  return SYSTEMTIME{year, month, 0, day, hour, minute, 0, 0};
}

SYSTEMTIME AsSystemTime(DATE date) {
  SYSTEMTIME time{};
  VariantTimeToSystemTime(date, &time);
  return time;
}

std::string Text(const SYSTEMTIME& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
  return text;
}

class TaskReminderTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    auto module = std::make_shared<platform::ResourceModule>();
    module->AddString(resources::kStringTaskReminderDue, u"Due:");
    module->AddString(resources::kStringTaskReminderHighPriority, u"(High)");
    module->AddString(resources::kStringTaskReminderLowPriority, u"(Low)");
    resources_ = platform::RegisterResourceModule(module);
  }
  ItemOid AddTask(std::vector<PropertyValue> values) {
    Database db;
    if (!db.Exists(TasksDatabaseName())) db.Create(TasksDatabaseName(), 0, {});
    db.OpenByName(TasksDatabaseName());
    Record record;
    record.Set(PropertyValue::String(kSubject, u"Call Anna"));
    for (auto& value : values) record.Set(value);
    EXPECT_TRUE(db.WriteRecord(record));
    return record.Oid();
  }
  std::optional<int64_t> Property(ItemOid task, CEPROPID tag) {
    Database db;
    db.OpenByName(TasksDatabaseName());
    db.SeekToOid(task);
    Record record;
    record.Request(tag);
    db.ReadRecord(record);
    const PropertyValue* value = record.Find(tag);
    return value ? std::optional<int64_t>(value->AsInteger()) : std::nullopt;
  }
  std::string Reminder(ItemOid task, const SYSTEMTIME& start, const SYSTEMTIME& due) {
    DATE date = StoredTaskReminderTime(task, start, due);
    return date == platform::kNoDate ? "no date" : Text(AsSystemTime(date));
  }
  TaskReminderRequest Request(ItemOid task, SYSTEMTIME reminder) {
    TaskReminderRequest request;
    request.task = task;
    request.start = platform::kNoDateSystemTime;
    request.due = Local(2024, 3, 20);
    request.reminder = reminder;
    request.subject = u"Call Anna";
    return request;
  }

  HINSTANCE resources_ = nullptr;
};

TEST_F(TaskReminderTest, StoredReminderTimeFromReferenceAndLead) {
  SYSTEMTIME start = Local(2024, 3, 18);
  SYSTEMTIME due = Local(2024, 3, 20);
  auto task = [&](int reference, int lead) {
    return AddTask({PropertyValue::Integer(kTaskReminderReference, reference),
                    PropertyValue::Integer(kTaskReminderLead, lead)});
  };
  EXPECT_EQ(Reminder(task(1, 0), start, due), "2024-03-20 08:00") << "lead 0: 08:00 of the reference day";
  EXPECT_EQ(Reminder(task(1, 1440), start, due), "2024-03-19 08:00") << "one whole day: 08:00 the day before";
  EXPECT_EQ(Reminder(task(1, 90), start, due), "2024-03-19 22:30");
  EXPECT_EQ(Reminder(task(0, 0), start, due), "2024-03-18 08:00") << "reference 0 measures from the start";
  EXPECT_EQ(Reminder(task(0, 0), platform::kNoDateSystemTime, due), "2024-03-20 08:00")
      << "no start: the due date";
  EXPECT_EQ(Reminder(AddTask({}), start, due), "no date") << "no lead";
  EXPECT_EQ(Reminder(0xBAD, start, due), "no date");
}

TEST_F(TaskReminderTest, ScheduleCreatesOneNotificationAndRecordsIt) {
  platform::RegistryKey::Create(HKEY_CURRENT_USER, u"ControlPanel\\Notifications\\Reminders")
      .SetText(u"Wave", u"Alarm3");
  ItemOid task = AddTask({});
  TaskReminderRequest request = Request(task, Local(2024, 3, 19, 8, 0));
  request.priority = 1;
  request.subject = std::u16string(70, u's');
  ScheduleTaskReminder(request, false, true, resources_);
  EXPECT_TRUE(platform::ReadPendingNotifications().empty()) << "move alone creates nothing";
  EXPECT_EQ(Property(task, kTaskReminderLead), 16 * 60) << "reference and lead are written anyway";

  ScheduleTaskReminder(request, true, false, resources_);
  auto pending = platform::ReadPendingNotifications();
  ASSERT_EQ(pending.size(), 1u);
  const auto& notification = pending[0];
  EXPECT_EQ(notification.application, u"TASKS.EXE");
  EXPECT_EQ(notification.arguments, u"Task Reminder");
  EXPECT_EQ(notification.triggerType, CNT_TIME);
  EXPECT_EQ(notification.actionFlags, 13u);
  EXPECT_EQ(notification.dialogTitle, u" ");
  EXPECT_EQ(notification.dialogText, std::u16string(64, u's') + u"\n\nDue: 3/20/24  (High)");
  EXPECT_EQ(notification.sound, u"Alarm3.wav");
  SYSTEMTIME fires{};
  platform::UtcToLocalSystemTime(platform::FileTimeOf(notification.fireTimeUtc), &fires);
  EXPECT_EQ(Text(fires), "2024-03-19 08:00");
  EXPECT_EQ(Property(task, kTaskNotificationHandle),
            static_cast<int64_t>(reinterpret_cast<uintptr_t>(notification.handle)));
  EXPECT_EQ(Property(task, kTaskReminderReference), 1);

  ScheduleTaskReminder(request, true, false, resources_);
  EXPECT_EQ(platform::ReadPendingNotifications().size(), 1u) << "a task has one notification";
}

TEST_F(TaskReminderTest, ReferenceIsTheStartOnlyWhenItIsAfterTheReminderDay) {
  ItemOid task = AddTask({});
  TaskReminderRequest request = Request(task, Local(2024, 3, 17, 9, 0));
  request.start = Local(2024, 3, 18);
  ScheduleTaskReminder(request, false, false, resources_);
  EXPECT_EQ(Property(task, kTaskReminderReference), 0);
  EXPECT_EQ(Property(task, kTaskReminderLead), 15 * 60);
  request.start = Local(2024, 3, 17);
  ScheduleTaskReminder(request, false, false, resources_);
  EXPECT_EQ(Property(task, kTaskReminderReference), 1) << "a start on the reminder's own day does not count";
  EXPECT_EQ(Property(task, kTaskReminderLead), 3 * 1440 - 9 * 60);
}

TEST_F(TaskReminderTest, MoveRewritesTheTimeInPlaceAndRemoveDeletes) {
  ItemOid task = AddTask({});
  ScheduleTaskReminder(Request(task, Local(2024, 3, 19, 8, 0)), true, false, resources_);
  HANDLE handle = platform::ReadPendingNotifications().at(0).handle;
  ScheduleTaskReminder(Request(task, Local(2024, 7, 1, 10, 15)), false, true, resources_);
  auto pending = platform::ReadPendingNotifications();
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].handle, handle) << "the same notification, moved";
  SYSTEMTIME utc{};
  FILETIME fire = platform::FileTimeOf(pending[0].fireTimeUtc);
  FileTimeToSystemTime(&fire, &utc);
  EXPECT_EQ(Text(utc), "2024-07-01 08:15") << "local summer time is two hours ahead of UTC";

  RemoveTaskReminder(task);
  EXPECT_TRUE(platform::ReadPendingNotifications().empty());
  EXPECT_EQ(Property(task, kTaskNotificationHandle), 0);

  ItemOid other = AddTask({});
  ItemOid third = AddTask({});
  ScheduleTaskReminder(Request(third, Local(2024, 3, 19, 8, 0)), true, false, resources_);
  RemoveTaskReminder(other);
  EXPECT_EQ(Property(other, kTaskNotificationHandle), 0) << "a task without a reminder gets 0";
  EXPECT_EQ(platform::ReadPendingNotifications().size(), 1u) << "and nothing else is touched";
  RemoveTaskReminder(0xBAD);
}

}  // namespace
