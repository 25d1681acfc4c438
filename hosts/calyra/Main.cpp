// The demo host: opens a device and runs what the component offers on it.
//   calyra [--device DIR] tour
#include <cstdio>
#include <cstring>
#include <string>

#include "hosts/calyra/DeviceTour.h"
#include "hosts/calyra/WindowTour.h"
#include "platform/core/System.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: calyra [--device DIR] tour\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path folder = platform::Device::DefaultFolder();
  std::string command;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--device") == 0) {
      if (++i >= argc) return Usage();
      folder = argv[i];
    } else if (command.empty()) {
      command = argv[i];
    } else {
      return Usage();
    }
  }
  if (command != "tour") return Usage();
  std::string error;
  auto device = platform::Device::Open(folder, &error);
  if (!device) {
    std::fprintf(stderr, "calyra: cannot open the device %s: %s\n", folder.c_str(), error.c_str());
    return 3;
  }
  platform::System::Current().AttachDevice(std::move(device));
  int result = calyra::host::RunDeviceTour(stdout);
  if (result == 0) {
    std::printf("\n-- the window system --\n");
    result = calyra::host::RunWindowTour(stdout);
  }
  if (result == 0) {
    std::printf("\n-- items --\n");
    result = calyra::host::RunItemTour(stdout);
  }
  platform::System::Current().DetachDevice();
  return result;
}
