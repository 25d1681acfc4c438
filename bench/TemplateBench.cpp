// The template count for appointments on a store of 10,000 appointments without templates: the walk
// starts at the latest start and stops at the first record, so it costs what a seek to the last
// record of the database sorted by start costs, whatever the calendar holds.
#include "CalyraEditor.h"
#include "bench/BenchSupport.h"
#include "bench/PimStores.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/outlook/OutlookProperties.h"
#include "store/DatabaseNames.h"

namespace {

using namespace calyra;
using calyra::bench::PimStores;

void Ours_GetTemplateCount10000(benchmark::State& state) {
  PimStores::Get();
  for (auto _ : state) benchmark::DoNotOptimize(CalyraEditor_GetTemplateCount(1));
}

// Opens the database sorted by start, seeks to its last record and closes it again.
void Raw_GetTemplateCount10000(benchmark::State& state) {
  PimStores::Get();
  for (auto _ : state) {
    CEOID oid = 0;
    HANDLE database = CeOpenDatabaseEx(nullptr, &oid, AppointmentsDatabaseName(),
                                       platform::outlook::kPropAppointmentStart, 0, nullptr);
    benchmark::DoNotOptimize(CeSeekDatabase(database, CEDB_SEEK_END, 0, nullptr));
    CloseHandle(database);
  }
}

}  // namespace

BENCHMARK(Ours_GetTemplateCount10000);
BENCHMARK(Raw_GetTemplateCount10000);
