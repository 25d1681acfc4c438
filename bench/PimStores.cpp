#include "bench/PimStores.h"

#include <random>

#include "bench/BenchSupport.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMTask.h"

namespace calyra::bench {

namespace {

SYSTEMTIME Day(int index, WORD hour) {
  return SYSTEMTIME{static_cast<WORD>(2024 + index / 300),
                    static_cast<WORD>(1 + index / 25 % 12),
                    0,
                    static_cast<WORD>(1 + index % 25),
                    hour,
                    0,
                    0,
                    0};
}

}  // namespace

PimStores& PimStores::Get() {
  static PimStores stores;
  return stores;
}

PimStores::PimStores() {
  AttachBenchDevice();
  for (int i = 0; i < kItems; ++i) {
    CPIMTask task;
    task.subject = u"Task number " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    task.due = Day(i, 0);
    task.Save(context_);
    tasks_.push_back(task.oid);
    CPIMAppointment appointment;
    appointment.subject = u"Meeting " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    appointment.start = Day(i, 9);
    appointment.end = Day(i, 10);
    appointment.Save(context_);
    appointments_.push_back(appointment.oid);
  }
  sqlite3_open((bench::ScratchFolder() / "pim-raw.sqlite").c_str(), &raw_);
  sqlite3_exec(
      raw_,
      "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"
      "CREATE TABLE items(oid INTEGER PRIMARY KEY, subject TEXT, start INTEGER, due INTEGER, "
      "importance INTEGER, sensitivity INTEGER, reminder INTEGER, complete INTEGER, categories BLOB);"
      "BEGIN;",
      nullptr, nullptr, nullptr);
  for (int i = 0; i < 2 * kItems; ++i) {
    sqlite3_exec(raw_,
                 "INSERT INTO items(subject, start, due, importance, sensitivity, reminder, complete) "
                 "VALUES('Task number A', 1, 2, 1, 0, 0, 0)",
                 nullptr, nullptr, nullptr);
  }
  sqlite3_exec(raw_, "COMMIT", nullptr, nullptr, nullptr);
}

void RawRowRead(benchmark::State& state) {
  sqlite3* raw = PimStores::Get().Raw();
  sqlite3_stmt* read = nullptr;
  sqlite3_prepare_v2(raw, "SELECT * FROM items WHERE oid = ?", -1, &read, nullptr);
  std::mt19937 random(3);
  std::uniform_int_distribution<int> pick(1, 2 * kItems);
  for (auto _ : state) {
    sqlite3_bind_int(read, 1, pick(random));
    sqlite3_step(read);
    benchmark::DoNotOptimize(sqlite3_column_text16(read, 1));
    sqlite3_reset(read);
  }
  sqlite3_finalize(read);
}

void RawRowWrite(benchmark::State& state) {
  sqlite3* raw = PimStores::Get().Raw();
  sqlite3_stmt* update = nullptr;
  sqlite3_prepare_v2(raw, "UPDATE items SET subject = ? WHERE oid = ?", -1, &update, nullptr);
  std::mt19937 random(5);
  std::uniform_int_distribution<int> pick(1, 2 * kItems);
  for (auto _ : state) {
    sqlite3_bind_text16(update, 1, u"Changed a", -1, SQLITE_STATIC);
    sqlite3_bind_int(update, 2, pick(random));
    sqlite3_step(update);
    sqlite3_reset(update);
  }
  sqlite3_finalize(update);
}

}  // namespace calyra::bench
