#include "platform/time/TimeConversion.h"

#include <unicode/basictz.h>
#include <unicode/timezone.h>

#include <cmath>
#include <memory>
#include <mutex>
#include <string>

#include "platform/core/LastError.h"
#include "platform/core/System.h"

namespace platform {

namespace {

constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kTicksPerMillisecond = 10'000;
constexpr int64_t kDaysFrom1601To1970 = 134774;
constexpr int64_t kDaysFrom1601To1899_12_30 = 109205;

// Days since 1 January 1601 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  int64_t era = (year >= 0 ? year : year - 399) / 400;
  int64_t yoe = year - era * 400;
  int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + kDaysFrom1601To1970;
}

void CivilFromDays(int64_t days, int* year, int* month, int* day) {
  int64_t z = days - kDaysFrom1601To1970 + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  *day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *year = static_cast<int>(yoe + era * 400 + (*month <= 2));
}

bool ValidFields(const SYSTEMTIME& t, int minYear, int maxYear) {
  return t.wYear >= minYear && t.wYear <= maxYear && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
         t.wDay <= DaysInMonth(t.wYear, t.wMonth) && t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 &&
         t.wMilliseconds < 1000;
}

SYSTEMTIME FromDaysAndTicks(int64_t days, int64_t ticksOfDay) {
  int year, month, day;
  CivilFromDays(days, &year, &month, &day);
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  t.wDayOfWeek = static_cast<WORD>(((days + 1) % 7 + 7) % 7);  // 1 January 1601 was a Monday
  t.wHour = static_cast<WORD>(ticksOfDay / (3600 * kTicksPerSecond));
  t.wMinute = static_cast<WORD>(ticksOfDay / (60 * kTicksPerSecond) % 60);
  t.wSecond = static_cast<WORD>(ticksOfDay / kTicksPerSecond % 60);
  t.wMilliseconds = static_cast<WORD>(ticksOfDay / kTicksPerMillisecond % 1000);
  return t;
}

// The device's time zone, made once per process and zone name.
struct ZoneCache : ProcessState {
  std::mutex lock;
  std::u16string id;
  std::unique_ptr<icu::BasicTimeZone> zone;
};

// The zone setting is read before the cache's lock is taken: a caller may hold the device's lock, and
// the two locks must always be taken in that order.
std::u16string DeviceZoneId() {
  Device* device = CurrentDevice();
  std::u16string id = u"UTC";
  if (device) {
    if (auto chosen = device->Setting("TimeZone")) id = *chosen;
  }
  return id;
}

icu::BasicTimeZone* DeviceZone(ZoneCache& cache, const std::u16string& id) {
  if (cache.zone && cache.id == id) return cache.zone.get();
  std::unique_ptr<icu::TimeZone> zone(
      icu::TimeZone::createTimeZone(icu::UnicodeString(id.data(), static_cast<int32_t>(id.size()))));
  auto* basic = dynamic_cast<icu::BasicTimeZone*>(zone.get());
  if (basic == nullptr || *zone == icu::TimeZone::getUnknown()) {
    zone.reset(icu::TimeZone::createTimeZone("UTC"));
    basic = dynamic_cast<icu::BasicTimeZone*>(zone.get());
  }
  zone.release();
  cache.zone.reset(basic);
  cache.id = id;
  return basic;
}

double UDateOf(int64_t ticks) {
  return static_cast<double>(ticks - kDaysFrom1601To1970 * kTicksPerDay) / kTicksPerMillisecond;
}

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DayOfWeek(int year, int month, int day) {
  return static_cast<int>(((DaysFromCivil(year, month, day) + 1) % 7 + 7) % 7);
}

bool IsDateSet(const SYSTEMTIME& time) {
  return time.wYear >= 1900 && time.wYear <= 2999;
}

int64_t TicksOf(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

FILETIME FileTimeOf(int64_t ticks) {
  auto value = static_cast<uint64_t>(ticks);
  return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

DWORD MinuteCountOf(const FILETIME& time) {
  return static_cast<DWORD>(static_cast<uint64_t>(TicksOf(time)) / kTicksPerMinute);
}

FILETIME FileTimeOfMinutes(DWORD minutes) {
  return FileTimeOf(static_cast<int64_t>(minutes) * kTicksPerMinute);
}

int64_t LocalOffsetAt(int64_t utcTicks) {
  std::u16string id = DeviceZoneId();
  auto& cache = System::Current().State<ZoneCache>();
  std::lock_guard guard(cache.lock);
  int32_t raw = 0, dst = 0;
  UErrorCode status = U_ZERO_ERROR;
  DeviceZone(cache, id)->getOffset(UDateOf(utcTicks), false, raw, dst, status);
  return U_FAILURE(status) ? 0 : (static_cast<int64_t>(raw) + dst) * kTicksPerMillisecond;
}

bool LocalSystemTimeToUtc(const SYSTEMTIME& local, FILETIME* utc) {
  FILETIME localTime{};
  return SystemTimeToFileTime(&local, &localTime) && LocalFileTimeToFileTime(&localTime, utc);
}

bool UtcToLocalSystemTime(const FILETIME& utc, SYSTEMTIME* local) {
  FILETIME localTime{};
  return FileTimeToLocalFileTime(&utc, &localTime) && FileTimeToSystemTime(&localTime, local);
}

bool AddMinutes(SYSTEMTIME* time, int64_t minutes) {
  FILETIME ft{};
  if (time == nullptr || !SystemTimeToFileTime(time, &ft)) return false;
  int64_t ticks = TicksOf(ft) + minutes * kTicksPerMinute;
  if (ticks < 0) return false;
  ft = FileTimeOf(ticks);
  return FileTimeToSystemTime(&ft, time);
}

bool AdvanceSystemClock(int64_t seconds) {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  FILETIME time{};
  if (!SystemTimeToFileTime(&now, &time)) return false;
  time = FileTimeOf(TicksOf(time) + seconds * kTicksPerSecond);
  return FileTimeToSystemTime(&time, &now) && SetSystemTime(&now);
}

}  // namespace platform

using namespace platform;

BOOL SystemTimeToFileTime(const SYSTEMTIME* t, FILETIME* fileTime) {
  if (t == nullptr || fileTime == nullptr || !ValidFields(*t, 1601, 30827)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t ticks = DaysFromCivil(t->wYear, t->wMonth, t->wDay) * kTicksPerDay +
                  ((t->wHour * 60 + t->wMinute) * 60 + t->wSecond) * kTicksPerSecond +
                  t->wMilliseconds * kTicksPerMillisecond;
  *fileTime = FileTimeOf(ticks);
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
  if (fileTime == nullptr || systemTime == nullptr || (fileTime->dwHighDateTime & 0x80000000)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t ticks = TicksOf(*fileTime);
  *systemTime = FromDaysAndTicks(ticks / kTicksPerDay, ticks % kTicksPerDay);
  return TRUE;
}

LONG CompareFileTime(const FILETIME* a, const FILETIME* b) {
  uint64_t x = static_cast<uint64_t>(TicksOf(*a)), y = static_cast<uint64_t>(TicksOf(*b));
  return x < y ? -1 : (x > y ? 1 : 0);
}

BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  if (utc == nullptr || local == nullptr) return FALSE;
  int64_t ticks = TicksOf(*utc);
  *local = FileTimeOf(ticks + LocalOffsetAt(ticks));
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc) {
  if (local == nullptr || utc == nullptr) return FALSE;
  std::u16string id = DeviceZoneId();
  auto& cache = System::Current().State<ZoneCache>();
  std::lock_guard guard(cache.lock);
  int32_t raw = 0, dst = 0;
  UErrorCode status = U_ZERO_ERROR;
  // A local time in the hour skipped in spring, or doubled in autumn, is read with the earlier rule.
  DeviceZone(cache, id)->getOffsetFromLocal(UDateOf(TicksOf(*local)), UCAL_TZ_LOCAL_FORMER,
                                            UCAL_TZ_LOCAL_FORMER, raw, dst, status);
  int64_t offset = U_FAILURE(status) ? 0 : (static_cast<int64_t>(raw) + dst) * kTicksPerMillisecond;
  *utc = FileTimeOf(TicksOf(*local) - offset);
  return TRUE;
}

int SystemTimeToVariantTime(const SYSTEMTIME* t, DATE* variantTime) {
  if (t == nullptr || variantTime == nullptr || !ValidFields(*t, 100, 9999)) return FALSE;
  double day = static_cast<double>(DaysFromCivil(t->wYear, t->wMonth, t->wDay) - kDaysFrom1601To1899_12_30);
  double fraction = ((t->wHour * 60.0 + t->wMinute) * 60.0 + t->wSecond) / 86400.0;
  *variantTime = day >= 0 ? day + fraction : day - fraction;
  return TRUE;
}

int VariantTimeToSystemTime(DATE variantTime, SYSTEMTIME* systemTime) {
  // 1 January 100 and 31 December 9999, the range the platform accepts.
  if (systemTime == nullptr || !std::isfinite(variantTime) || variantTime < -657434.0 ||
      variantTime >= 2958466.0) {
    return FALSE;
  }
  double whole = std::trunc(variantTime);
  double fraction = std::fabs(variantTime - whole);
  auto seconds = static_cast<int64_t>(std::llround(fraction * 86400.0));
  auto day = static_cast<int64_t>(whole) + kDaysFrom1601To1899_12_30;
  if (seconds >= 86400) {
    seconds -= 86400;
    day += 1;
  }
  *systemTime = FromDaysAndTicks(day, seconds * kTicksPerSecond);
  return systemTime->wYear <= 9999;
}

void GetSystemTime(SYSTEMTIME* systemTime) {
  if (systemTime == nullptr) return;
  FILETIME now = FileTimeOf(System::Current().DeviceClock().NowUtc());
  FileTimeToSystemTime(&now, systemTime);
}

void GetLocalTime(SYSTEMTIME* systemTime) {
  if (systemTime == nullptr) return;
  UtcToLocalSystemTime(FileTimeOf(System::Current().DeviceClock().NowUtc()), systemTime);
}

BOOL SetSystemTime(const SYSTEMTIME* systemTime) {
  FILETIME utc{};
  if (!SystemTimeToFileTime(systemTime, &utc)) return FALSE;
  System::Current().DeviceClock().SetFixed(TicksOf(utc));
  return TRUE;
}

BOOL SetLocalTime(const SYSTEMTIME* systemTime) {
  FILETIME utc{};
  if (systemTime == nullptr || !LocalSystemTimeToUtc(*systemTime, &utc)) return FALSE;
  System::Current().DeviceClock().SetFixed(TicksOf(utc));
  return TRUE;
}

DWORD GetTickCount() {
  return static_cast<DWORD>(static_cast<uint64_t>(System::Current().DeviceClock().NowUtc()) /
                            kTicksPerMillisecond);
}
