#include "platform/core/System.h"

#include <string>

namespace platform {

System& System::Current() {
  static System system;
  return system;
}

System::~System() {
  DetachDevice();
}

void System::AttachDevice(std::unique_ptr<Device> device) {
  DetachDevice();
  device_ = std::move(device);
  clock_.UseHostTime();
  if (!device_) return;
  try {
    if (auto fixed = device_->Setting("Clock.Fixed")) {
      clock_.SetFixed(std::stoll(std::string(fixed->begin(), fixed->end())));
    } else if (auto offset = device_->Setting("Clock.Offset")) {
      clock_.SetOffset(std::stoll(std::string(offset->begin(), offset->end())));
    }
  } catch (const std::exception&) {
    // A malformed clock setting leaves the host's time.
  }
}

void System::DetachDevice() {
  handles_.CloseAll();
  std::unordered_map<std::type_index, std::unique_ptr<ProcessState>> states;
  {
    std::lock_guard guard(stateLock_);
    states.swap(states_);
  }
  states.clear();
  device_.reset();
}

}  // namespace platform
