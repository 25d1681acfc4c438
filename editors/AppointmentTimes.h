#pragma once

#include "platform/core/PlatformTypes.h"

// Time arithmetic of the appointment editor on local wall-clock times.
namespace calyra {

// Minutes from `from` to `to` (negative when `to` is earlier).
LONG MinutesBetween(const SYSTEMTIME& from, const SYSTEMTIME& to);
// `time` moved by whole minutes.
SYSTEMTIME PlusMinutes(SYSTEMTIME time, int64_t minutes);
// The day of `date` at the time of day of `time`.
SYSTEMTIME OnDayOf(const SYSTEMTIME& date, const SYSTEMTIME& time);
// `time` at hour and minute, seconds cleared.
SYSTEMTIME AtTime(SYSTEMTIME time, WORD hour, WORD minute);

// A template's start on the template base day (2999-09-09) keeping its time of day; its end keeps its
// time of day and its whole-day distance from the start. An all-day template whose start and end come
// out equal ends one minute after the base day's midnight.
void MoveOntoTemplateDay(SYSTEMTIME* start, SYSTEMTIME* end, bool allDay);
// A template's start on `today` keeping its time of day, the end moved by the same amount.
void MoveOntoDay(SYSTEMTIME* start, SYSTEMTIME* end, const SYSTEMTIME& today);

}  // namespace calyra
