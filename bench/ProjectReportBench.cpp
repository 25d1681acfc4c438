// The project report of a project with 20 sub-projects and 1,000 time records (loaded from the store,
// totalled, sorted, grouped and written as rich text), beside writing the same bytes to the same file.
#include <random>
#include <string>

#include "CalyraEditorResources.h"
#include "bench/BenchSupport.h"
#include "platform/files/FileSystem.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "projects/Project.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectReport.h"
#include "projects/TimeRecordEntry.h"
#include "store/StoreTransaction.h"

namespace {

using namespace calyra;

constexpr int kSubProjects = 20;
constexpr int kTimeRecords = 1000;
constexpr ProjectId kFirstId = 0x2000;

struct ReportBench {
  ItemOid project = 0;
  HINSTANCE resources = nullptr;
  std::u16string path;
  std::string bytes;  // the report as written
};

// The project, its sub-projects and the time records spread over them, each booked on one of the 21
// projects, in one store step; the program's folder for the report.
const ReportBench& Bench() {
  static ReportBench bench = [] {
    bench::AttachBenchDevice();
    ReportBench made;
    made.resources = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
    made.path = ReportFilePath();
    CreateDirectoryW(u"\\Program Files", nullptr);
    CreateDirectoryW(u"\\Program Files\\Calyra", nullptr);
    std::mt19937 random(5);
    std::uniform_int_distribution<int> project(0, kSubProjects), day(1, 28), minute(0, 20 * 60),
        length(1, 240);
    StoreTransaction step(StoreTransaction::Kind::Write);
    ProjectDatabase database;
    database.Open();
    Project top;
    top.projectId = kFirstId;
    top.name = u"Bench project";
    top.Save(database);
    made.project = top.Record();
    for (int i = 1; i <= kSubProjects; ++i) {
      Project sub;
      sub.projectId = kFirstId + i;
      sub.parentId = kFirstId;
      sub.name = u"Sub-project " + std::u16string(1, static_cast<char16_t>(u'A' + i));
      sub.startDate = SYSTEMTIME{2024, 2, 0, static_cast<WORD>(i), 0, 0, 0, 0};
      sub.Save(database);
    }
    for (int i = 0; i < kTimeRecords; ++i) {
      TimeRecordEntry record;
      record.projectId = kFirstId + 100 + i;
      record.parentId = kFirstId + project(random);
      record.bookedOn = kFirstId + project(random);
      record.name = u"Time record " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26));
      int at = minute(random);
      record.startDate = SYSTEMTIME{
          2024, 3, 0, static_cast<WORD>(day(random)), static_cast<WORD>(at / 60), static_cast<WORD>(at % 60),
          0,    0};
      record.endDate = record.startDate;
      platform::AddMinutes(&record.endDate, length(random));
      record.Save(database);
    }
    database.Close();
    step.Commit();
    Project loaded;
    loaded.Load(made.project);
    ProjectReport(made.resources).WriteReportFile(loaded);
    HANDLE file =
        CreateFileW(made.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    made.bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, made.bytes.data(), static_cast<DWORD>(made.bytes.size()), &read, nullptr);
    CloseHandle(file);
    return made;
  }();
  return bench;
}

void Ours_ProjectReport(benchmark::State& state) {
  const ReportBench& bench = Bench();
  Project project;
  project.Load(bench.project);
  for (auto _ : state) benchmark::DoNotOptimize(ProjectReport(bench.resources).WriteReportFile(project));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes.size()));
}
BENCHMARK(Ours_ProjectReport)->Unit(benchmark::kMillisecond);

void Raw_ProjectReport(benchmark::State& state) {
  const ReportBench& bench = Bench();
  for (auto _ : state) {
    HANDLE file = CreateFileW(bench.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bench.bytes.data(), static_cast<DWORD>(bench.bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bench.bytes.size()));
}
BENCHMARK(Raw_ProjectReport)->Unit(benchmark::kMillisecond);

}  // namespace
