// A second process that holds the notification queue's update mutex for a while:
//   mutex_holder DEVICE MILLISECONDS
// It prints "held" once it holds the mutex; just before it lets go it records the setting
// "Probe.Released", so that whoever waited for the mutex can tell that it did wait.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/core/System.h"
#include "store/UpdateAlarmLock.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  auto device = platform::Device::Open(argv[1]);
  if (!device) return 3;
  platform::Device* opened = device.get();
  platform::System::Current().AttachDevice(std::move(device));
  {
    calyra::UpdateAlarmLock lock;
    if (!lock.Held()) return 4;
    std::printf("held\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
    opened->SetSetting("Probe.Released", u"1");
  }
  platform::System::Current().DetachDevice();
  return 0;
}
