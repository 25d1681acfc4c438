// A process that saves, changes and deletes tasks with reminders and categories without end, for the
// test that kills it at random moments:   task_churn DEVICE SEED
// It prints "ready" once the device is open, then after every save that returned
// "saved OID SUBJECT", and "deleting OID" before and "deleted OID" after every delete.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/core/System.h"
#include "platform/text/Text.h"
#include "store/CPIMTask.h"
#include "store/CategoryCounts.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"

namespace {

constexpr size_t kMostTasks = 30;

std::vector<calyra::ItemOid> StoredTasks() {
  std::vector<calyra::ItemOid> oids;
  calyra::Database tasks;
  if (!tasks.OpenByName(calyra::TasksDatabaseName())) return oids;
  calyra::Record none;
  tasks.Enumerate(none, [&](calyra::Record& record) {
    oids.push_back(record.Oid());
    return true;
  });
  return oids;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  auto device = platform::Device::Open(argv[1]);
  if (!device) return 3;
  platform::System::Current().AttachDevice(std::move(device));
  std::mt19937 random(static_cast<unsigned>(std::atoi(argv[2])));
  std::vector<int> categories = calyra::CategoryNumbersFor({u"Home", u"Work", u"Errands", u"Calls"});
  std::vector<calyra::ItemOid> oids = StoredTasks();
  calyra::ItemContext context;
  std::printf("ready\n");
  std::fflush(stdout);
  for (int n = 0;; ++n) {
    calyra::CPIMTask task;
    bool fresh = oids.empty() || random() % 3 == 0;
    if (!fresh) {
      size_t index = random() % oids.size();
      task.oid = oids[index];
      if (!task.Load(context)) return 4;
      if (oids.size() > kMostTasks || random() % 5 == 0) {
        std::printf("deleting %u\n", oids[index]);
        std::fflush(stdout);
        if (!task.Delete(context)) return 5;
        std::printf("deleted %u\n", oids[index]);
        std::fflush(stdout);
        oids.erase(oids.begin() + static_cast<long>(index));
        continue;
      }
    }
    std::string subject = "s" + std::string(argv[2]) + "-" + std::to_string(n);
    task.subject = platform::FromUtf8(subject);
    task.due = SYSTEMTIME{2024, 4, 0, static_cast<WORD>(2 + random() % 25), 0, 0, 0, 0};
    task.reminderSet = random() % 3 != 0;
    task.reminderTime = task.due;
    task.reminderTime.wDay -= 1;
    // Not midnight: a lead of whole days reads back as 08:00 of the reminder day.
    task.reminderTime.wHour = static_cast<WORD>(1 + random() % 23);
    task.complete = random() % 6 == 0;
    std::vector<int> chosen;
    for (int number : categories) {
      if (random() % 3 == 0) chosen.push_back(number);
    }
    task.categories = calyra::CategorySet::FromNumbers(chosen);
    if (FAILED(task.Save(context))) return 6;
    if (fresh) oids.push_back(task.oid);
    std::printf("saved %u %s\n", task.oid, subject.c_str());
    std::fflush(stdout);
  }
}
