#pragma once

#include <cstdint>
#include <mutex>

namespace platform {

// The device's clock in FILETIME units (100 ns since 1 January 1601, UTC). Everything that asks
// for the time asks this clock, never the host's, so that a test or a device can fix or shift it.
class Clock {
 public:
  static constexpr int64_t kTicksPerSecond = 10'000'000;
  static constexpr int64_t kUnixEpochTicks = 116'444'736'000'000'000;  // 1970-01-01 as a FILETIME

  int64_t NowUtc() const;
  // The clock stands still at `utcTicks`.
  void SetFixed(int64_t utcTicks);
  // The clock runs with the host's, shifted by `offsetTicks`.
  void SetOffset(int64_t offsetTicks);
  void UseHostTime() { SetOffset(0); }
  bool IsFixed() const;
  // The clock is the host's own, neither fixed nor shifted.
  bool IsHostTime() const;

  static int64_t HostNowUtc();

 private:
  mutable std::mutex lock_;
  bool fixed_ = false;
  int64_t value_ = 0;  // the fixed time, or the offset
};

}  // namespace platform
