#include "platform/outlook/OutlookDates.h"

#include <cmath>

#include "platform/time/TimeConversion.h"

namespace platform::outlook {

bool UtcTicksOfLocal(DATE local, int64_t* ticks) {
  SYSTEMTIME time{};
  FILETIME utc{};
  if (!VariantTimeToSystemTime(local, &time) || !LocalSystemTimeToUtc(time, &utc)) return false;
  *ticks = TicksOf(utc);
  return true;
}

DATE LocalOfUtcTicks(int64_t ticks) {
  SYSTEMTIME local{};
  DATE date = 0;
  if (!UtcToLocalSystemTime(FileTimeOf(ticks), &local) || !IsDateSet(local) ||
      !SystemTimeToVariantTime(&local, &date))
    return kNoDate;
  return date;
}

bool FloatingTicksOf(DATE date, int64_t* ticks) {
  SYSTEMTIME time{};
  FILETIME file{};
  if (!VariantTimeToSystemTime(date, &time) || !SystemTimeToFileTime(&time, &file)) return false;
  *ticks = TicksOf(file);
  return true;
}

DATE DateOfFloatingTicks(int64_t ticks) {
  FILETIME file = FileTimeOf(ticks);
  SYSTEMTIME time{};
  DATE date = 0;
  if (!FileTimeToSystemTime(&file, &time) || !IsDateSet(time) || !SystemTimeToVariantTime(&time, &date))
    return kNoDate;
  return date;
}

int64_t NoDateTicks() {
  FILETIME file{};
  SystemTimeToFileTime(&kNoDateSystemTime, &file);
  return TicksOf(file);
}

DATE DayOf(DATE date) {
  return std::floor(date);
}

bool HasDate(DATE date) {
  // Years 1900 to 2999: OLE days 0 to 401,768.
  return date >= 0.0 && date < 401769.0;
}

DATE NowLocal() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  now.wMilliseconds = 0;
  DATE date = 0;
  SystemTimeToVariantTime(&now, &date);
  return date;
}

}  // namespace platform::outlook
