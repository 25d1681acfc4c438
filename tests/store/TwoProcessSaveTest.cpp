#include <gtest/gtest.h>

#include <set>

#include "platform/notify/Notifications.h"
#include "platform/time/TimeConversion.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/TaskReminder.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

class TwoProcessSaveTest : public DeviceTest {};

TEST_F(TwoProcessSaveTest, TasksSavedAtOnceKeepOneNotificationEach) {
  constexpr int kEach = 25;
  std::string device = (DeviceFolder() / "device").string();
  ChildProcess first(HelperProgram("task_saver"), {device, std::to_string(kEach), "first "});
  ChildProcess second(HelperProgram("task_saver"), {device, std::to_string(kEach), "second "});
  ASSERT_EQ(first.Wait(), 0);
  ASSERT_EQ(second.Wait(), 0);
  ReopenDevice();

  std::set<uintptr_t> pending;
  for (const auto& notification : platform::ReadPendingNotifications()) {
    EXPECT_EQ(notification.application, u"TASKS.EXE");
    SYSTEMTIME fires{};
    FILETIME utc{static_cast<DWORD>(notification.fireTimeUtc),
                 static_cast<DWORD>(notification.fireTimeUtc >> 32)};
    FileTimeToSystemTime(&utc, &fires);
    EXPECT_EQ(fires.wHour, 16) << "every reminder was moved to 18:00 local time";
    pending.insert(reinterpret_cast<uintptr_t>(notification.handle));
  }
  EXPECT_EQ(pending.size(), 2u * kEach) << "one notification per task, none lost or doubled";

  Database tasks;
  ASSERT_TRUE(tasks.OpenByName(TasksDatabaseName()));
  Record names;
  names.Request(kTaskNotificationHandle);
  std::set<uintptr_t> handles;
  int count = 0;
  tasks.Enumerate(names, [&](Record& record) {
    ++count;
    const PropertyValue* handle = record.Find(kTaskNotificationHandle);
    if (handle) handles.insert(static_cast<uintptr_t>(handle->AsInteger()));
    return true;
  });
  EXPECT_EQ(count, 2 * kEach);
  EXPECT_EQ(handles, pending) << "each task record names its own notification";
}

}  // namespace
