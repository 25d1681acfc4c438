#include "editors/TimeRecordDialog.h"

#include "editors/AppointmentTimes.h"
#include "editors/ControlText.h"
#include "editors/PickerDays.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "projects/ProjectDates.h"
#include "projects/TimeRecordEntry.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

using namespace resources;

INT_PTR TimeRecordDialog::Show(HWND owner, HINSTANCE resources) {
  return Run(resources, kDialogTimeRecord, owner);
}

void TimeRecordDialog::Fill() {
  HWND name = Item(kTimeRecordName);
  SendMessageW(name, EM_LIMITTEXT, kMaxEntryText, 0);
  SetWindowTextW(name, record_.name.c_str());
  HWND booked = Item(kTimeRecordBookedOn);
  for (size_t i = 0; i < choices_.size(); ++i) {
    SendMessageW(booked, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choices_[i].label.c_str()));
    if (choices_[i].project == record_.bookedOn) SendMessageW(booked, CB_SETCURSEL, i, 0);
  }
  if (SendMessageW(booked, CB_GETCURSEL, 0, 0) < 0) SendMessageW(booked, CB_SETCURSEL, 0, 0);
  Show(kTimeRecordStartDate, kTimeRecordStartTime, record_.startDate);
  Show(kTimeRecordEndDate, kTimeRecordEndTime, record_.endDate);
}

// The date picker shows the day (or no date); the time picker the time of day, midnight for none.
void TimeRecordDialog::Show(int datePicker, int timePicker, const SYSTEMTIME& when) {
  ShowDay(Item(datePicker), when);
  SYSTEMTIME time = platform::IsDateSet(when) ? when : Today();
  DateTime_SetSystemtime(Item(timePicker), GDT_VALID, &time);
}

// The picked day at the picked time of day; no date when the date picker shows none.
SYSTEMTIME TimeRecordDialog::Picked(int datePicker, int timePicker) const {
  SYSTEMTIME day = PickedDay(Item(datePicker));
  if (!platform::IsDateSet(day)) return day;
  SYSTEMTIME time{};
  if (DateTime_GetSystemtime(Item(timePicker), &time) != GDT_VALID) return day;
  return WholeMinute(AtTime(day, time.wHour, time.wMinute));
}

bool TimeRecordDialog::Confirm() {
  SYSTEMTIME start = Picked(kTimeRecordStartDate, kTimeRecordStartTime);
  SYSTEMTIME end = Picked(kTimeRecordEndDate, kTimeRecordEndTime);
  FILETIME startTime{};
  FILETIME endTime{};
  if (platform::IsDateSet(end) && SystemTimeToFileTime(&start, &startTime) &&
      SystemTimeToFileTime(&end, &endTime) && CompareFileTime(&endTime, &startTime) < 0) {
    MessageBoxW(Window(), ResourceText(Resources(), kStringTimeRecordEndBeforeStart).c_str(),
                ResourceText(Resources(), kStringCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
    SetFocus(Item(kTimeRecordEndDate));
    return false;
  }
  record_.name = WindowText(Item(kTimeRecordName)).substr(0, kMaxEntryText);
  LRESULT chosen = SendMessageW(Item(kTimeRecordBookedOn), CB_GETCURSEL, 0, 0);
  if (chosen >= 0 && static_cast<size_t>(chosen) < choices_.size())
    record_.bookedOn = choices_[static_cast<size_t>(chosen)].project;
  record_.startDate = start;
  record_.endDate = end;
  return true;
}

INT_PTR TimeRecordDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    Fill();
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  return EndOnOkOrCancel(LOWORD(wParam), [this] { return Confirm(); }) ? TRUE : FALSE;
}

}  // namespace calyra
