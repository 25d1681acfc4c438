// A second process on a device, for the tests of what processes share:
//   device_worker DEVICE count MUTEX N     adds 1 to the number in DEVICE/counter N times under the mutex
//   device_worker DEVICE hold MUTEX MS     takes the mutex, prints "held", keeps it MS ms, exits
//   device_worker DEVICE section NAME TEXT writes TEXT into the shared section NAME
//   device_worker DEVICE launch PROGRAM    starts PROGRAM with CreateProcessW
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "platform/core/System.h"
#include "platform/process/Processes.h"
#include "platform/process/SharedSection.h"
#include "platform/process/Synchronization.h"
#include "platform/text/Text.h"

namespace {

int Count(const std::filesystem::path& folder, const std::u16string& name, int times) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) return 4;
  for (int i = 0; i < times; ++i) {
    if (WaitForSingleObject(mutex, INFINITE) != WAIT_OBJECT_0) return 5;
    long value = 0;
    {
      std::ifstream in(folder / "counter");
      in >> value;
    }
    std::this_thread::yield();  // widen the window a lost update would need
    {
      std::ofstream out(folder / "counter", std::ios::trunc);
      out << value + 1;
    }
    ReleaseMutex(mutex);
  }
  CloseHandle(mutex);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  std::filesystem::path folder = argv[1];
  auto device = platform::Device::Open(folder);
  if (!device) return 3;
  platform::System::Current().AttachDevice(std::move(device));
  std::string command = argv[2];
  std::u16string name = platform::FromUtf8(argv[3]);
  if (command == "count") return Count(folder, name, std::atoi(argv[4]));
  if (command == "hold") {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
    std::printf("held\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[4])));
    ReleaseMutex(mutex);
    return 0;
  }
  if (command == "section") {
    HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name.c_str());
    auto* view = static_cast<char*>(MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (view == nullptr) return 4;
    std::strncpy(view, argv[4], 4095);
    UnmapViewOfFile(view);
    CloseHandle(section);
    return 0;
  }
  if (command == "launch") {
    std::u16string arguments = platform::FromUtf8(argv[4]);
    return CreateProcessW(name.c_str(), arguments.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          nullptr, nullptr)
               ? 0
               : 4;
  }
  return 2;
}
