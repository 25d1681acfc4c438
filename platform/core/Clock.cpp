#include "platform/core/Clock.h"

#include <chrono>

namespace platform {

int64_t Clock::HostNowUtc() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  return kUnixEpochTicks + std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() / 100;
}

int64_t Clock::NowUtc() const {
  std::lock_guard guard(lock_);
  return fixed_ ? value_ : HostNowUtc() + value_;
}

void Clock::SetFixed(int64_t utcTicks) {
  std::lock_guard guard(lock_);
  fixed_ = true;
  value_ = utcTicks;
}

void Clock::SetOffset(int64_t offsetTicks) {
  std::lock_guard guard(lock_);
  fixed_ = false;
  value_ = offsetTicks;
}

bool Clock::IsFixed() const {
  std::lock_guard guard(lock_);
  return fixed_;
}

bool Clock::IsHostTime() const {
  std::lock_guard guard(lock_);
  return !fixed_ && value_ == 0;
}

}  // namespace platform
