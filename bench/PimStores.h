#pragma once

#include <sqlite3.h>

#include <vector>

#include "store/PimItem.h"

namespace calyra::bench {

inline constexpr int kItems = 10000;

// The two stores of the benchmarks, filled once per run: the device's PIM databases with 10,000 tasks
// and 10,000 appointments through Pocket Outlook, and a raw SQLite table per kind with the same
// fields.
class PimStores {
 public:
  static PimStores& Get();
  const std::vector<ItemOid>& Tasks() const { return tasks_; }
  const std::vector<ItemOid>& Appointments() const { return appointments_; }
  sqlite3* Raw() const { return raw_; }

 private:
  PimStores();

  ItemContext context_;
  std::vector<ItemOid> tasks_;
  std::vector<ItemOid> appointments_;
  sqlite3* raw_ = nullptr;
};

}  // namespace calyra::bench
