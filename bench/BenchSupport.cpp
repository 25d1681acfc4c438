#include "bench/BenchSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/core/System.h"

namespace calyra::bench {

namespace {
struct Scratch {
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "calyra-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::filesystem::path path;
};
}  // namespace

void AttachBenchDevice() {
  static bool attached = [] {
    if (platform::CurrentDevice() == nullptr) {
      platform::System::Current().AttachDevice(platform::Device::Open(ScratchFolder() / "device"));
    }
    return true;
  }();
  (void)attached;
}

const std::filesystem::path& ScratchFolder() {
  static Scratch scratch;
  return scratch.path;
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
      // Of repeated runs the fastest counts: the others measured what else the machine was doing.
      double nanoseconds = run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      benchmark::BenchmarkName name = run.run_name;
      name.repetitions.clear();
      auto [at, added] = nanoseconds_.emplace(name.str(), nanoseconds);
      if (!added) at->second = std::min(at->second, nanoseconds);
    }
  }
  ConsoleReporter::ReportRuns(runs);
}

// Benchmarks come in pairs named Ours_X/N and Raw_X/N: the same work through our layer and through
// the raw library calls it stands on.
void RatioReporter::Finalize() {
  std::printf("\n%-40s %12s %12s %8s\n", "work", "ours (ns)", "raw (ns)", "ratio");
  for (const auto& [name, ours] : nanoseconds_) {
    if (name.rfind("Ours_", 0) != 0) continue;
    std::string raw = "Raw_" + name.substr(5);
    auto found = nanoseconds_.find(raw);
    if (found == nanoseconds_.end() || found->second <= 0) continue;
    std::printf("%-40s %12.0f %12.0f %8.2f\n", name.substr(5).c_str(), ours, found->second,
                ours / found->second);
  }
  ConsoleReporter::Finalize();
}

}  // namespace calyra::bench

int main(int argc, char** argv) {
  // Repeated pairs run interleaved, so that Ours and Raw meet the same spells of a busy machine; a
  // flag given on the command line still decides.
  std::vector<char*> args(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave.data());
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  calyra::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
