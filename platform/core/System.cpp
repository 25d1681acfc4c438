#include "platform/core/System.h"

#include <stdexcept>
#include <string>

namespace platform {

System& System::Current() {
  static System system;
  return system;
}

size_t System::NextStateSlot() {
  static std::atomic<size_t> next{0};
  size_t slot = next.fetch_add(1);
  if (slot >= kMaxStates) throw std::logic_error("more module states than System keeps slots for");
  return slot;
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
  // States are destroyed outside the lock and after they are unreachable: a destructor may ask for
  // another module's state, which then starts afresh.
  std::array<std::unique_ptr<ProcessState>, kMaxStates> states;
  {
    std::lock_guard guard(stateLock_);
    for (size_t i = 0; i < kMaxStates; ++i) {
      fastStates_[i].store(nullptr, std::memory_order_release);
      states[i] = std::move(states_[i]);
    }
  }
  for (auto& state : states) state.reset();
  device_.reset();
}

}  // namespace platform
