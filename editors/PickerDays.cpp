#include "editors/PickerDays.h"

#include "editors/AppointmentTimes.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/controls/CommonControls.h"

namespace calyra {

SYSTEMTIME Today() {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  return AtTime(today, 0, 0);
}

SYSTEMTIME PickedDay(HWND picker) {
  SYSTEMTIME day{};
  if (DateTime_GetSystemtime(picker, &day) != GDT_VALID) return platform::kNoDateSystemTime;
  return AtTime(day, 0, 0);
}

void ShowDay(HWND picker, const SYSTEMTIME& day) {
  if (platform::IsDateSet(day)) {
    DateTime_SetSystemtime(picker, GDT_VALID, &day);
  } else {
    DateTime_SetSystemtime(picker, GDT_NONE, nullptr);
  }
}

}  // namespace calyra
