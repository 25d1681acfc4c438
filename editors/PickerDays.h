#pragma once

#include "platform/ui/WindowTypes.h"

namespace calyra {

// Today, at midnight local time.
SYSTEMTIME Today();
// A date picker's day at midnight, or the no-date value for its empty state.
SYSTEMTIME PickedDay(HWND picker);
// Shows a day in a date picker; the no-date value shows its empty state.
void ShowDay(HWND picker, const SYSTEMTIME& day);

}  // namespace calyra
