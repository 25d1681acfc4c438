// The PIM store per call on stores of 10,000 tasks and 10,000 appointments: loading an item object
// and saving a change, beside raw SQLite reading the same rows or writing them in one durable
// transaction; and
// the journal: appending 10,000 entries and loading them back, beside raw file writes and reads of the
// same bytes.
#include <sqlite3.h>

#include <cstdio>
#include <random>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/PimStores.h"
#include "notes/JournalFile.h"
#include "platform/files/FileSystem.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMTask.h"
#include "store/OutlookSession.h"

namespace {

using namespace calyra;
using calyra::bench::AttachBenchDevice;
using calyra::bench::kItems;
using calyra::bench::PimStores;

constexpr int kJournalEntries = 10000;

template <class Item>
void LoadItems(benchmark::State& state, const std::vector<ItemOid>& oids, WORD scope) {
  std::mt19937 random(3);
  std::uniform_int_distribution<size_t> pick(0, oids.size() - 1);
  ItemContext context;
  for (auto _ : state) {
    Item item;
    item.oid = oids[pick(random)];
    if constexpr (std::is_same_v<Item, CPIMAppointment>) item.openScope = scope;
    benchmark::DoNotOptimize(item.Load(context));
  }
}

template <class Item>
void SaveItems(benchmark::State& state, const std::vector<ItemOid>& oids) {
  std::mt19937 random(5);
  std::uniform_int_distribution<size_t> pick(0, oids.size() - 1);
  ItemContext context;
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Item item;
    item.oid = oids[pick(random)];
    item.Load(context);
    item.subject = u"Changed " + std::u16string(1, static_cast<char16_t>(u'a' + ++n % 26));
    state.ResumeTiming();
    benchmark::DoNotOptimize(item.Save(context));
  }
}

void Ours_TaskLoad(benchmark::State& state) {
  LoadItems<CPIMTask>(state, PimStores::Get().Tasks(), 0);
}

void Ours_AppointmentLoad(benchmark::State& state) {
  LoadItems<CPIMAppointment>(state, PimStores::Get().Appointments(), kOpenSeries);
}

void Ours_TaskSave(benchmark::State& state) {
  SaveItems<CPIMTask>(state, PimStores::Get().Tasks());
}

void Ours_AppointmentSave(benchmark::State& state) {
  SaveItems<CPIMAppointment>(state, PimStores::Get().Appointments());
}

void Raw_TaskLoad(benchmark::State& state) {
  bench::RawItemRead(state, PimStores::Get().Tasks());
}
void Raw_AppointmentLoad(benchmark::State& state) {
  bench::RawItemRead(state, PimStores::Get().Appointments());
}
void Raw_TaskSave(benchmark::State& state) {
  bench::RawItemWrite(state, PimStores::Get().Tasks(), true);
}
void Raw_AppointmentSave(benchmark::State& state) {
  bench::RawItemWrite(state, PimStores::Get().Appointments(), false);
}

JournalEntry Entry(int i) {
  return JournalEntry{SYSTEMTIME{2024, 3, 5, 15, 9, 30, 0, 0}, 2, 0, static_cast<ItemOid>(i),
                      u"Completed: Renew the passport"};
}

void Ours_Journal10000(benchmark::State& state) {
  AttachBenchDevice();
  CreateDirectoryW(u"\\Journal", nullptr);
  for (auto _ : state) {
    DeleteFileW(u"\\Journal\\bench.cjl");
    JournalFile journal(u"\\Journal\\bench.cjl");
    for (int i = 0; i < kJournalEntries; ++i) journal.Append(Entry(i));
    benchmark::DoNotOptimize(journal.LoadAll());
  }
}

// The same bytes written entry by entry (each write opening and closing the file, as the journal
// does) and read back in one pass.
void Raw_Journal10000(benchmark::State& state) {
  std::string path = (bench::ScratchFolder() / "raw-journal.bin").string();
  JournalEntry entry = Entry(0);
  std::vector<char> bytes(32 + (entry.text.size() + 1) * 2, 'x');
  for (auto _ : state) {
    std::remove(path.c_str());
    for (int i = 0; i < kJournalEntries; ++i) {
      FILE* file = std::fopen(path.c_str(), "ab");
      std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
    FILE* file = std::fopen(path.c_str(), "rb");
    std::vector<char> all(bytes.size() * kJournalEntries);
    benchmark::DoNotOptimize(std::fread(all.data(), 1, all.size(), file));
    std::fclose(file);
  }
}

}  // namespace

BENCHMARK(Ours_TaskLoad);
BENCHMARK(Raw_TaskLoad);
BENCHMARK(Ours_TaskSave);
BENCHMARK(Raw_TaskSave);
BENCHMARK(Ours_AppointmentLoad);
BENCHMARK(Raw_AppointmentLoad);
BENCHMARK(Ours_AppointmentSave);
BENCHMARK(Raw_AppointmentSave);
BENCHMARK(Ours_Journal10000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Raw_Journal10000)->Unit(benchmark::kMillisecond)->Iterations(2);
