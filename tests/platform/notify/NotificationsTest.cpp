#include <gtest/gtest.h>

#include "platform/core/LastError.h"
#include "platform/notify/Notifications.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/process/Processes.h"
#include "platform/time/TimeConversion.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;
using platform::PendingNotification;

// 2024-03-15 is in winter time in Berlin: local = UTC + 1 hour.
SYSTEMTIME Local(WORD day, WORD hour, WORD minute) {
  return SYSTEMTIME{2024, 3, 0, day, hour, minute, 0, 0};
}

int64_t UtcTicks(WORD day, WORD hour, WORD minute) {
  SYSTEMTIME utc{2024, 3, 0, day, hour, minute, 0, 0};
  FILETIME time{};
  SystemTimeToFileTime(&utc, &time);
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

class NotificationsTest : public DeviceTest {
 protected:
  HANDLE SetTaskReminder(HANDLE replace, SYSTEMTIME when, const char16_t* text) {
    CE_NOTIFICATION_TRIGGER trigger{};
    trigger.dwSize = kDeviceTriggerSize;
    trigger.dwType = CNT_TIME;
    trigger.lpszApplication = const_cast<WCHAR*>(u"TASKS.EXE");
    trigger.lpszArguments = const_cast<WCHAR*>(u"Task Reminder");
    trigger.stStartTime = when;
    CE_USER_NOTIFICATION user{};
    user.ActionFlags = PUN_LED | PUN_SOUND | PUN_DIALOG;
    user.pwszDialogTitle = const_cast<WCHAR*>(u" ");
    user.pwszDialogText = const_cast<WCHAR*>(text);
    user.pwszSound = const_cast<WCHAR*>(u"\\Windows\\Alarm1.wav");
    return CeSetUserNotificationEx(replace, &trigger, &user);
  }
};

TEST_F(NotificationsTest, ANotificationIsARecordOfTheQueueWithItsTimeInUtc) {
  HANDLE handle = SetTaskReminder(nullptr, Local(16, 8, 0), u"Call Anna");
  ASSERT_NE(handle, nullptr);
  std::vector<PendingNotification> pending = platform::ReadPendingNotifications();
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].handle, handle);
  EXPECT_EQ(pending[0].fireTimeUtc, UtcTicks(16, 7, 0));
  EXPECT_EQ(pending[0].application, u"TASKS.EXE");
  EXPECT_EQ(pending[0].arguments, u"Task Reminder");
  EXPECT_EQ(pending[0].actionFlags, 13u);
  EXPECT_EQ(pending[0].dialogTitle, u" ");
  EXPECT_EQ(pending[0].dialogText, u"Call Anna");
  EXPECT_EQ(pending[0].sound, u"\\Windows\\Alarm1.wav");

  // The handle is the record's oid in "DB_notify_queue", as whoever rewrites the store relies on.
  auto oid = static_cast<CEOID>(reinterpret_cast<uintptr_t>(handle));
  CEOIDINFO info{};
  ASSERT_TRUE(CeOidGetInfo(oid, &info));
  ASSERT_EQ(info.wObjType, OBJTYPE_RECORD);
  ASSERT_TRUE(CeOidGetInfo(info.infRecord.oidParent, &info));
  EXPECT_EQ(std::u16string(info.infDatabase.szDbaseName), u"DB_notify_queue");
}

TEST_F(NotificationsTest, ReplacingKeepsTheHandleAndClearingRemovesTheRecord) {
  HANDLE handle = SetTaskReminder(nullptr, Local(16, 8, 0), u"first");
  HANDLE other = SetTaskReminder(nullptr, Local(17, 8, 0), u"other");
  EXPECT_EQ(SetTaskReminder(handle, Local(18, 9, 30), u"moved"), handle);
  std::vector<PendingNotification> pending = platform::ReadPendingNotifications();
  ASSERT_EQ(pending.size(), 2u);
  EXPECT_EQ(pending[0].dialogText, u"moved");
  EXPECT_EQ(pending[0].fireTimeUtc, UtcTicks(18, 8, 30));

  EXPECT_TRUE(CeClearUserNotification(handle));
  EXPECT_FALSE(CeClearUserNotification(handle)) << "twice";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetTaskReminder(handle, Local(19, 8, 0), u"gone"), nullptr)
      << "a cleared handle cannot be replaced";
  ASSERT_EQ(platform::ReadPendingNotifications().size(), 1u);
  EXPECT_EQ(platform::ReadPendingNotifications()[0].handle, other);
}

TEST_F(NotificationsTest, BadTriggersAreRefused) {
  CE_NOTIFICATION_TRIGGER trigger{};
  trigger.dwSize = kDeviceTriggerSize;
  trigger.dwType = CNT_TIME;
  trigger.lpszApplication = const_cast<WCHAR*>(u"TASKS.EXE");
  trigger.stStartTime = Local(16, 8, 0);
  EXPECT_EQ(CeSetUserNotificationEx(nullptr, nullptr, nullptr), nullptr);
  trigger.dwSize = 12;
  EXPECT_EQ(CeSetUserNotificationEx(nullptr, &trigger, nullptr), nullptr) << "wrong size";
  trigger.dwSize = kDeviceTriggerSize;
  trigger.dwType = 9;
  EXPECT_EQ(CeSetUserNotificationEx(nullptr, &trigger, nullptr), nullptr) << "unknown trigger type";
  trigger.dwType = CNT_TIME;
  trigger.stStartTime.wMonth = 13;
  EXPECT_EQ(CeSetUserNotificationEx(nullptr, &trigger, nullptr), nullptr) << "invalid time";
  trigger.stStartTime = Local(16, 8, 0);
  trigger.lpszApplication = nullptr;
  EXPECT_EQ(CeSetUserNotificationEx(nullptr, &trigger, nullptr), nullptr) << "no program";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(platform::ReadPendingNotifications().empty());
  EXPECT_FALSE(CeClearUserNotification(nullptr));
  EXPECT_FALSE(CeHandleAppNotifications(nullptr));
  EXPECT_FALSE(CeHandleAppNotifications(u""));
}

TEST_F(NotificationsTest, DueNotificationsRunOnceAndGo) {
  // The clock stands at 09:30 UTC = 10:30 local.
  SetTaskReminder(nullptr, Local(15, 10, 30), u"due now");
  SetTaskReminder(nullptr, Local(15, 9, 0), u"overdue");
  HANDLE later = SetTaskReminder(nullptr, Local(15, 10, 31), u"in a minute");
  EXPECT_EQ(platform::RunDueNotifications(), 2);
  EXPECT_EQ(platform::RunDueNotifications(), 0) << "each runs once";
  std::vector<platform::LaunchEntry> log = platform::ReadLaunchLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].program, u"TASKS.EXE");
  EXPECT_EQ(log[0].arguments, u"Task Reminder");
  ASSERT_EQ(platform::ReadPendingNotifications().size(), 1u);
  EXPECT_EQ(platform::ReadPendingNotifications()[0].handle, later);

  // A time the component rewrote in place is the time that counts.
  auto oid = static_cast<CEOID>(reinterpret_cast<uintptr_t>(later));
  CEOID queueOid = 0;
  HANDLE queue = CeOpenDatabaseEx(nullptr, &queueOid, u"DB_notify_queue", 0, 0, nullptr);
  CEPROPVAL time{};
  time.propid = platform::kNotifyFireTime;
  int64_t earlier = UtcTicks(15, 9, 0);
  time.val.filetime = {static_cast<DWORD>(earlier), static_cast<DWORD>(earlier >> 32)};
  ASSERT_EQ(CeWriteRecordProps(queue, oid, 1, &time), oid);
  CloseHandle(queue);
  EXPECT_EQ(platform::RunDueNotifications(), 1);
  EXPECT_TRUE(platform::ReadPendingNotifications().empty());
}

TEST_F(NotificationsTest, HandledApplicationsAreRemembered) {
  EXPECT_TRUE(CeHandleAppNotifications(u"CalyraNotesLauncher.exe"));
  EXPECT_EQ(platform::HandledNotificationApplications(),
            std::vector<std::u16string>{u"CalyraNotesLauncher.exe"});
}

TEST_F(NotificationsTest, NotificationsSurviveReopeningTheDevice) {
  HANDLE handle = SetTaskReminder(nullptr, Local(20, 8, 0), u"kept");
  ReopenDevice();
  ASSERT_EQ(platform::ReadPendingNotifications().size(), 1u);
  EXPECT_EQ(platform::ReadPendingNotifications()[0].handle, handle);
}

}  // namespace
