// A process saving tasks is killed at 200 random moments. After each kill the store must be whole:
// every save that returned is there, and every task agrees with its category counters and its
// reminder notification, as if each save had happened entirely or not at all.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include "platform/notify/Notifications.h"
#include "platform/outlook/OutlookDates.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "store/CPIMTask.h"
#include "store/CategoryCounts.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/TaskReminder.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

constexpr int kKills = 200;
constexpr CEPROPID kCategoryIndex = 0x40020002;
constexpr CEPROPID kTaskCount = 0x40060002;

class KilledSaveTest : public DeviceTest {
 protected:
  // What the child said it finished: the subject of every task it saved last, none for a deleted one.
  void Follow(ChildProcess& child) {
    std::string line;
    deleting_ = 0;
    while (child.ReadLine(&line)) {
      std::istringstream words(line);
      std::string verb, subject;
      ItemOid oid = 0;
      words >> verb >> oid >> subject;
      if (verb == "saved") finished_[oid] = subject;
      if (verb == "deleted") finished_.erase(oid);
      deleting_ = verb == "deleting" ? oid : 0;
    }
  }

  void ExpectIntegrity() {
    auto check = Device().Db().Prepare("PRAGMA integrity_check");
    ASSERT_TRUE(check.Step());
    EXPECT_EQ(check.ColumnText(0), "ok");
  }

  std::map<int, int64_t> StoredCounts() {
    std::map<int, int64_t> counts;
    Database categories;
    if (!categories.OpenByName(CategoriesDatabaseName())) return counts;
    Record request;
    request.Request(kCategoryIndex);
    request.Request(kTaskCount);
    categories.Enumerate(request, [&](Record& record) {
      const PropertyValue* count = record.Find(kTaskCount);
      counts[static_cast<int>(record.Find(kCategoryIndex)->AsInteger())] = count ? count->AsInteger() : 0;
      return true;
    });
    return counts;
  }

  // Every task against the counters, the notifications and what the child finished.
  void ExpectWholeStore(int kill) {
    std::map<int, int64_t> counted;
    for (const auto& [number, count] : StoredCounts()) counted[number] = 0;
    std::map<uintptr_t, SYSTEMTIME> wanted;
    std::set<ItemOid> present;
    Database tasks;
    Record none;
    if (tasks.OpenByName(TasksDatabaseName())) {
      tasks.Enumerate(none, [&](Record& record) {
        present.insert(record.Oid());
        return true;
      });
    }
    ItemContext context;
    for (ItemOid oid : present) {
      CPIMTask task;
      task.oid = oid;
      ASSERT_TRUE(task.Load(context)) << "kill " << kill;
      for (int number : task.categories.Numbers()) ++counted[number];
      // A returned save stays; only the killed process's last save, not yet told, may have followed it.
      std::string subject = platform::ToUtf8(task.subject);
      if (auto finished = finished_.find(oid); finished != finished_.end() && subject != finished->second) {
        EXPECT_EQ(subject.rfind("s" + std::to_string(kill) + "-", 0), 0u)
            << "kill " << kill << ": " << finished->second << " became " << subject;
        finished->second = subject;  // kept now, as later kills must find it
      }
      DWORD handle = TaskNotificationHandle(oid);
      if (task.reminderSet && !task.complete) {
        EXPECT_NE(handle, 0u) << "kill " << kill << ": task " << oid << " reminds without a notification";
        wanted[handle] = task.reminderTime;
      } else {
        EXPECT_EQ(handle, 0u) << "kill " << kill << ": task " << oid;
      }
    }
    for (const auto& [oid, subject] : finished_) {
      if (oid != deleting_) {
        EXPECT_TRUE(present.count(oid)) << "kill " << kill << ": " << subject << " is gone";
      }
    }
    if (!present.count(deleting_)) finished_.erase(deleting_);
    EXPECT_EQ(StoredCounts(), counted) << "kill " << kill << ": the category counters";
    std::map<uintptr_t, SYSTEMTIME> pending;
    for (const auto& notification : platform::ReadPendingNotifications()) {
      SYSTEMTIME fires{};
      platform::UtcToLocalSystemTime(platform::FileTimeOf(notification.fireTimeUtc), &fires);
      pending[reinterpret_cast<uintptr_t>(notification.handle)] = fires;
    }
    ASSERT_EQ(pending.size(), wanted.size()) << "kill " << kill << ": one notification per reminding task";
    for (const auto& [handle, time] : wanted) {
      ASSERT_TRUE(pending.count(handle)) << "kill " << kill;
      EXPECT_EQ(pending[handle].wDay, time.wDay) << "kill " << kill;
      EXPECT_EQ(pending[handle].wHour, time.wHour) << "kill " << kill;
    }
  }

  std::map<ItemOid, std::string> finished_;
  ItemOid deleting_ = 0;  // the delete the killed process had begun
};

TEST_F(KilledSaveTest, EverySaveIsWholeOrAbsentAndEveryReturnedSaveStays) {
  std::string device = (DeviceFolder() / "device").string();
  std::mt19937 random(11);
  std::uniform_int_distribution<int> microseconds(0, 20000);
  for (int kill = 0; kill < kKills; ++kill) {
    ChildProcess child(HelperProgram("task_churn"), {device, std::to_string(kill)});
    ASSERT_TRUE(child.Started());
    std::string line;
    ASSERT_TRUE(child.ReadLine(&line));
    ASSERT_EQ(line, "ready");
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
    child.Kill();
    Follow(child);
    ReopenDevice();
    ExpectIntegrity();
    ExpectWholeStore(kill);
    if (HasFailure()) return;
  }
}

}  // namespace
