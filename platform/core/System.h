#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <mutex>

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

  // The module state of type T, made on first use and dropped when the device is detached. After
  // the first use it is one atomic load: the window system asks for its state on every message.
  template <class T>
  T& State() {
    static const size_t slot = NextStateSlot();
    if (ProcessState* state = fastStates_[slot].load(std::memory_order_acquire))
      return static_cast<T&>(*state);
    std::lock_guard guard(stateLock_);
    auto& owned = states_[slot];
    if (!owned) owned = std::make_unique<T>();
    fastStates_[slot].store(owned.get(), std::memory_order_release);
    return static_cast<T&>(*owned);
  }

 private:
  System() = default;
  ~System();

  std::unique_ptr<Device> device_;
  HandleTable handles_;
  Clock clock_;
  static constexpr size_t kMaxStates = 64;
  static size_t NextStateSlot();

  std::mutex stateLock_;
  std::array<std::unique_ptr<ProcessState>, kMaxStates> states_;
  std::array<std::atomic<ProcessState*>, kMaxStates> fastStates_{};
};

// The device of the calling process; every platform call fails cleanly when there is none.
inline Device* CurrentDevice() {
  return System::Current().CurrentDevice();
}

}  // namespace platform
