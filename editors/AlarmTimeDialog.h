#pragma once

#include <string>

#include "platform/core/PlatformTypes.h"
#include "platform/ui/WindowTypes.h"

namespace calyra {

// The alarm-time dialog (620) of a note: a date picker, today, tomorrow and the day after (named by
// its weekday), the time picker and the duration picker for a time from now, and the time from now
// in words. It opens at `*time`, or at 15 minutes from now for the removed-alarm time 1900-01-01 00:00
// (or any time that is no alarm time); a time that has passed becomes 5 minutes from now. True and
// the chosen time (seconds 0) when the person chose OK; `*time` is left alone otherwise.
bool EditAlarmTime(HWND owner, HINSTANCE resources, SYSTEMTIME* time);

// "2 weeks", "25 hours", "3 minutes (in the past)": the minutes from now in the largest unit that
// divides them whole (weeks, days, hours, minutes), in the module's words.
std::u16string TimeFromNowText(HINSTANCE resources, int64_t minutes);

}  // namespace calyra
