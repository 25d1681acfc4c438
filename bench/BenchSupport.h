#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

namespace calyra::bench {

// A scratch folder for the benchmark run, removed at exit.
const std::filesystem::path& ScratchFolder();

// Attaches the one device of the benchmark run (in the scratch folder) on first use, so that every
// benchmark file shares it and none drops another's handles.
void AttachBenchDevice();

// Records pairs of results ("ours" beside "raw") and prints their ratios after the run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  std::map<std::string, double> nanoseconds_;
};

}  // namespace calyra::bench
