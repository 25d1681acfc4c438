#pragma once

#include <cstdint>

#include "platform/core/PlatformTypes.h"

// The platform's time conversions. Local time is the device's time zone (device setting "TimeZone",
// an IANA name; UTC when absent or unknown), with the daylight rule of the date concerned.

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
LONG CompareFileTime(const FILETIME* a, const FILETIME* b);
BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local);
BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc);
// OLE automation dates: days since 30 December 1899, the fraction the time of day (for days before
// that, the fraction still counts forward: -1.25 is 29 December 1899, 06:00). Milliseconds are ignored
// one way and rounded to the second the other, as the platform does. Years 100 to 9999.
int SystemTimeToVariantTime(const SYSTEMTIME* systemTime, DATE* variantTime);
int VariantTimeToSystemTime(DATE variantTime, SYSTEMTIME* systemTime);
// The device clock, in UTC and in local time.
void GetSystemTime(SYSTEMTIME* systemTime);
void GetLocalTime(SYSTEMTIME* systemTime);
// Fixes the device clock of this process at the given time.
BOOL SetSystemTime(const SYSTEMTIME* systemTime);
BOOL SetLocalTime(const SYSTEMTIME* systemTime);
DWORD GetTickCount();

namespace platform {

inline constexpr int64_t kTicksPerMinute = 600'000'000;
inline constexpr int64_t kTicksPerDay = 864'000'000'000;
// The object store's "no date": 1 January 4501.
inline constexpr DATE kNoDate = 949998.0;
inline constexpr SYSTEMTIME kNoDateSystemTime{4501, 1, 0, 1, 0, 0, 0, 0};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// 0 = Sunday.
int DayOfWeek(int year, int month, int day);
// A date counts as set when its year lies from 1900 to 2999.
bool IsDateSet(const SYSTEMTIME& time);

int64_t TicksOf(const FILETIME& time);
FILETIME FileTimeOf(int64_t ticks);
// Whole minutes since 1601 in 32 bits, and back.
DWORD MinuteCountOf(const FILETIME& time);
FILETIME FileTimeOfMinutes(DWORD minutes);

// Local SYSTEMTIME to UTC FILETIME and back in one step.
bool LocalSystemTimeToUtc(const SYSTEMTIME& local, FILETIME* utc);
bool UtcToLocalSystemTime(const FILETIME& utc, SYSTEMTIME* local);
// The offset of local time from UTC at a UTC instant, in ticks.
int64_t LocalOffsetAt(int64_t utcTicks);

// Adds minutes to a SYSTEMTIME as calendar arithmetic (no time zone); false when out of range.
bool AddMinutes(SYSTEMTIME* time, int64_t minutes);

// Moves the device's clock on by `seconds` (SetSystemTime); false when it could not be set.
bool AdvanceSystemClock(int64_t seconds);

}  // namespace platform
