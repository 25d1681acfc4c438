#pragma once

#include <string>

#include "platform/core/PlatformTypes.h"
#include "platform/ui/WindowTypes.h"

namespace calyra {

// The time picker: twelve hour buttons, the quarter hours and steps of five minutes; a 12-hour
// picker with AM and PM in 12-hour locales, else a 24-hour picker whose hours come in two pages.
// Changes the hour and minute of `time` (seconds cleared) and answers true when the person chose OK.
bool PickTime(HWND owner, HINSTANCE resources, SYSTEMTIME* time);

// Whether the user's locale shows times on a 24-hour clock.
bool Uses24HourClock();

// The time of day as the locale writes it, without seconds.
std::u16string TimeText(const SYSTEMTIME& time);

}  // namespace calyra
