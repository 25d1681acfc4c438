#pragma once

#include <memory>
#include <mutex>
#include <typeindex>
#include <unordered_map>

#include "platform/core/Clock.h"
#include "platform/core/Device.h"
#include "platform/core/HandleTable.h"

namespace platform {

// Per-process state that a platform module keeps (launch handlers, module path, cursors, ...).
class ProcessState {
 public:
  virtual ~ProcessState() = default;
};

// The emulated operating system as this process sees it: the device it runs on, its handle table
// and the device clock. It plays the part of the platform's kernel, which is why it is the one
// process-wide instance outside the component's own state.
class System {
 public:
  static System& Current();

  // From now on the process runs on `device`; the handles and module state of the previous device
  // are dropped. Reads the device's clock settings ("Clock.Fixed", "Clock.Offset", in ticks).
  void AttachDevice(std::unique_ptr<Device> device);
  void DetachDevice();
  Device* CurrentDevice() const { return device_.get(); }

  HandleTable& Handles() { return handles_; }
  Clock& DeviceClock() { return clock_; }

  // The module state of type T, made on first use and dropped when the device is detached.
  template <class T>
  T& State() {
    std::lock_guard guard(stateLock_);
    auto& slot = states_[std::type_index(typeid(T))];
    if (!slot) slot = std::make_unique<T>();
    return static_cast<T&>(*slot);
  }

 private:
  System() = default;
  ~System();

  std::unique_ptr<Device> device_;
  HandleTable handles_;
  Clock clock_;
  std::mutex stateLock_;
  std::unordered_map<std::type_index, std::unique_ptr<ProcessState>> states_;
};

// The device of the calling process; every platform call fails cleanly when there is none.
inline Device* CurrentDevice() {
  return System::Current().CurrentDevice();
}

}  // namespace platform
