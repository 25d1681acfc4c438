#include "editors/AppointmentTimes.h"

#include <cmath>

#include "platform/time/TimeConversion.h"

namespace calyra {

namespace {

constexpr int64_t kTicksPerMinute = 600000000;
constexpr DATE kTemplateBaseDay = 401655.0;  // 2999-09-09
constexpr int64_t kMinutesPerDay = 1440;

int64_t MinuteOf(const SYSTEMTIME& time) {
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  return platform::TicksOf(file) / kTicksPerMinute;
}

int64_t DayNumber(const SYSTEMTIME& time) {
  return MinuteOf(AtTime(time, 0, 0)) / kMinutesPerDay;
}

}  // namespace

LONG MinutesBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
  return static_cast<LONG>(MinuteOf(to) - MinuteOf(from));
}

SYSTEMTIME PlusMinutes(SYSTEMTIME time, int64_t minutes) {
  platform::AddMinutes(&time, minutes);
  return time;
}

SYSTEMTIME OnDayOf(const SYSTEMTIME& date, const SYSTEMTIME& time) {
  SYSTEMTIME result = date;
  result.wHour = time.wHour;
  result.wMinute = time.wMinute;
  result.wSecond = time.wSecond;
  result.wMilliseconds = 0;
  result.wDayOfWeek = static_cast<WORD>(platform::DayOfWeek(date.wYear, date.wMonth, date.wDay));
  return result;
}

SYSTEMTIME AtTime(SYSTEMTIME time, WORD hour, WORD minute) {
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = time.wMilliseconds = 0;
  return time;
}

void MoveOntoTemplateDay(SYSTEMTIME* start, SYSTEMTIME* end, bool allDay) {
  SYSTEMTIME baseDay{};
  VariantTimeToSystemTime(kTemplateBaseDay, &baseDay);
  int64_t days = DayNumber(*end) - DayNumber(*start);
  SYSTEMTIME newStart = OnDayOf(baseDay, *start);
  SYSTEMTIME newEnd = OnDayOf(PlusMinutes(baseDay, days * kMinutesPerDay), *end);
  if (allDay && MinutesBetween(newStart, newEnd) == 0) newEnd = AtTime(baseDay, 0, 1);
  *start = newStart;
  *end = newEnd;
}

void MoveOntoDay(SYSTEMTIME* start, SYSTEMTIME* end, const SYSTEMTIME& today) {
  SYSTEMTIME newStart = OnDayOf(today, *start);
  *end = PlusMinutes(*end, MinutesBetween(*start, newStart));
  *start = newStart;
}

}  // namespace calyra
