#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/hosts/ProgramRun.h"
#include "tests/support/DeviceTest.h"

namespace calyra::testing {

// The demo host run as a person runs it from a shell, on the test's own device: its clock stands
// where the test's does (2024-03-15 10:30 in Berlin). The test sees what each run left once it ends.
class CalyraDeviceTest : public DeviceTest {
 protected:
  std::filesystem::path Device() const { return DeviceFolder() / "device"; }

  // Runs `calyra --device DEVICE ARGUMENTS`; a script is written to a file and given with --script.
  ProgramRun Calyra(const std::vector<std::string>& arguments, const std::string& script = "") {
    std::vector<std::string> all{"--device", Device().string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    if (!script.empty()) {
      std::filesystem::path file = DeviceFolder() / "script.txt";
      std::ofstream(file) << script;
      all.insert(all.end(), {"--script", file.string()});
    }
    ProgramRun run = RunProgram(CALYRA_HOST_PROGRAM, all, "/dev/null");
    ReopenDevice();
    return run;
  }
};

}  // namespace calyra::testing
