#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <vector>

#include "store/PimItem.h"

namespace calyra::bench {

inline constexpr int kItems = 10000;

// The two stores of the benchmarks, filled once per run: the device's PIM databases with 10,000 tasks
// (each with a category and a reminder), 10,000 appointments (each with a category) and 10,000 contacts
// (names, company, numbers, e-mail, work address) saved as the editors save them, and a copy of the same
// store file that raw SQLite works on.
class PimStores {
 public:
  static PimStores& Get();
  const std::vector<ItemOid>& Tasks() const { return tasks_; }
  const std::vector<ItemOid>& Appointments() const { return appointments_; }
  const std::vector<ItemOid>& Contacts() const { return contacts_; }
  sqlite3* Raw() const { return raw_; }
  // The raw oids of the notification of task `index` and of the category record it counts in.
  int64_t Notification(size_t index) const { return notifications_[index]; }
  int64_t CategoryRecord(size_t index) const { return categoryRecords_[index % categoryRecords_.size()]; }

 private:
  PimStores();

  ItemContext context_;
  std::vector<ItemOid> tasks_;
  std::vector<ItemOid> appointments_;
  std::vector<ItemOid> contacts_;
  std::vector<int64_t> notifications_;
  std::vector<int64_t> categoryRecords_;
  sqlite3* raw_ = nullptr;
};

// The raw cost beside the item objects, on the copy: the property rows of one of `items` read by the
// record's key, and one durable transaction writing the rows a save of it writes.
void RawItemRead(benchmark::State& state, const std::vector<ItemOid>& items);
void RawItemWrite(benchmark::State& state, const std::vector<ItemOid>& items, bool withNotification);

}  // namespace calyra::bench
