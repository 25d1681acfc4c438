#pragma once

#include <benchmark/benchmark.h>
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

// The raw cost beside the item objects: one row of the raw table read by its key, and one row's
// subject written back durably.
void RawRowRead(benchmark::State& state);
void RawRowWrite(benchmark::State& state);

}  // namespace calyra::bench
