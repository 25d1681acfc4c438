#pragma once

#include <cstdint>

#include "platform/core/PlatformTypes.h"

// OLE dates as the object model hands them out (local time) and as the records keep them.
namespace platform::outlook {

// Local time to a UTC FILETIME in ticks and back; false/kNoDate when out of range.
bool UtcTicksOfLocal(DATE local, int64_t* ticks);
DATE LocalOfUtcTicks(int64_t ticks);
// A date or time kept as it reads, without a time zone (task dates, all-day starts, birthdays).
bool FloatingTicksOf(DATE date, int64_t* ticks);
// kNoDate for a value outside 1900 to 2999.
DATE DateOfFloatingTicks(int64_t ticks);
int64_t NoDateTicks();
// The day of a date (its time of day dropped) and whether a date is set at all.
DATE DayOf(DATE date);
bool HasDate(DATE date);
// The device clock in local time.
DATE NowLocal();

}  // namespace platform::outlook
