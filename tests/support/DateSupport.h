#pragma once

#include <cstdio>
#include <ostream>

#include "platform/core/PlatformTypes.h"

namespace calyra::testing {

// A local date and time as the store keeps it (the weekday left 0).
constexpr SYSTEMTIME Date(int year, int month, int day, int hour = 0, int minute = 0) {
  return SYSTEMTIME{static_cast<WORD>(year), static_cast<WORD>(month),  0, static_cast<WORD>(day),
                    static_cast<WORD>(hour), static_cast<WORD>(minute), 0, 0};
}

// Equal as a date and time to the second; the weekday and milliseconds do not count.
inline bool SameTime(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

}  // namespace calyra::testing

// Google Test prints both values of a failed comparison through this.
inline void PrintTo(const SYSTEMTIME& time, std::ostream* out) {
  char text[40];
  std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d", time.wYear, time.wMonth, time.wDay,
                time.wHour, time.wMinute, time.wSecond);
  *out << text;
}

// Dates compare as dates and times in tests, so EXPECT_EQ reports both.
inline bool operator==(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return calyra::testing::SameTime(a, b);
}
