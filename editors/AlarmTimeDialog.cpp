#include "editors/AlarmTimeDialog.h"

#include <algorithm>

#include "editors/DurationPicker.h"
#include "editors/ModalDialog.h"
#include "editors/TimePicker.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"
#include "text/DateTimeText.h"

namespace calyra {

namespace {

using namespace resources;

constexpr int64_t kMinutesPerWeek = 10080;
constexpr int64_t kMinutesPerDay = 1440;
constexpr int64_t kMinutesPerHour = 60;
constexpr int64_t kStartMargin = 15;  // minutes from now that a note without alarm starts at
constexpr int64_t kPastMargin = 5;    // minutes from now that a time already past becomes

// Now to the minute.
SYSTEMTIME NowMinute() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  now.wSecond = now.wMilliseconds = 0;
  return now;
}

std::optional<int64_t> MinuteOf(const SYSTEMTIME& time) {
  FILETIME file{};
  if (!SystemTimeToFileTime(&time, &file)) return std::nullopt;
  return platform::TicksOf(file) / platform::kTicksPerMinute;
}

SYSTEMTIME MinutesFromNow(int64_t minutes) {
  SYSTEMTIME time = NowMinute();
  platform::AddMinutes(&time, minutes);
  return time;
}

// The time the dialog opens at.
SYSTEMTIME StartTime(const SYSTEMTIME& given) {
  bool removed =
      given.wYear == 1900 && given.wMonth == 1 && given.wDay == 1 && given.wHour == 0 && given.wMinute == 0;
  if (removed || !platform::IsDateSet(given) || !MinuteOf(given)) return MinutesFromNow(kStartMargin);
  SYSTEMTIME start = given;
  start.wSecond = start.wMilliseconds = 0;
  return start;
}

class AlarmTimeDialog : public ModalDialog {
 public:
  explicit AlarmTimeDialog(const SYSTEMTIME& time) : time_(StartTime(time)) {}
  const SYSTEMTIME& Time() const { return time_; }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        NameTheDayAfter();
        Show();
        return TRUE;
      case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == DTN_DATETIMECHANGE) TakePickedDate();
        return TRUE;
      case WM_COMMAND:
        Command(LOWORD(wParam));
        return TRUE;
      default:
        return FALSE;
    }
  }

 private:
  void Command(int id) {
    switch (id) {
      case kAlarmTimeToday:
      case kAlarmTimeTomorrow:
      case kAlarmTimeDayAfter:
        MoveToDay(DaysAhead(id - kAlarmTimeToday));
        break;
      case kAlarmTimeTime:
        PickTime(Window(), Resources(), &time_);
        break;
      case kAlarmTimeDuration:
        PickFromNow();
        break;
      case IDOK:
      case IDCANCEL:
        EndDialog(Window(), id);
        return;
      default:
        return;
    }
    Show();
  }

  static SYSTEMTIME DaysAhead(int days) { return MinutesFromNow(days * kMinutesPerDay); }

  void NameTheDayAfter() {
    SYSTEMTIME day = DaysAhead(2);
    std::u16string name = DateTimeText().GetDayName(platform::DayOfWeek(day.wYear, day.wMonth, day.wDay));
    SetDlgItemTextW(Window(), kAlarmTimeDayAfter, name.c_str());
  }

  // The date of `day` at the chosen hour and minute.
  void MoveToDay(const SYSTEMTIME& day) {
    time_.wYear = day.wYear;
    time_.wMonth = day.wMonth;
    time_.wDay = day.wDay;
    time_.wDayOfWeek = day.wDayOfWeek;
  }

  void TakePickedDate() {
    SYSTEMTIME picked{};
    if (SendMessageW(Item(kAlarmTimeDate), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked)) !=
        GDT_VALID)
      return;
    MoveToDay(picked);
    Show();
  }

  void PickFromNow() {
    LONG minutes = static_cast<LONG>(std::clamp<int64_t>(FromNow(), 0, kMaxDurationMinutes));
    if (auto chosen = PickDuration(Window(), Resources(), minutes)) time_ = MinutesFromNow(*chosen);
  }

  int64_t FromNow() const { return MinuteOf(time_).value_or(0) - MinuteOf(NowMinute()).value_or(0); }

  void Show() {
    if (FromNow() < 0) time_ = MinutesFromNow(kPastMargin);
    time_.wSecond = time_.wMilliseconds = 0;
    time_.wDayOfWeek = static_cast<WORD>(platform::DayOfWeek(time_.wYear, time_.wMonth, time_.wDay));
    SendMessageW(Item(kAlarmTimeDate), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time_));
    SetDlgItemTextW(Window(), kAlarmTimeTime, TimeText(time_).c_str());
    SetDlgItemTextW(Window(), kAlarmTimeFromNow, TimeFromNowText(Resources(), FromNow()).c_str());
  }

  SYSTEMTIME time_;
};

}  // namespace

std::u16string TimeFromNowText(HINSTANCE resources, int64_t minutes) {
  int64_t count = minutes < 0 ? -minutes : minutes;
  UINT unit = kStringUnitMinutes;
  // Nothing to count is said in minutes, though 0 divides by every unit.
  if (count != 0 && count % kMinutesPerWeek == 0) {
    count /= kMinutesPerWeek;
    unit = kStringUnitWeeks;
  } else if (count != 0 && count % kMinutesPerDay == 0) {
    count /= kMinutesPerDay;
    unit = kStringUnitDays;
  } else if (count != 0 && count % kMinutesPerHour == 0) {
    count /= kMinutesPerHour;
    unit = kStringUnitHours;
  }
  std::u16string unitText = ResourceText(resources, unit);
  if (minutes >= 0) return platform::FormatText(u"%d %s", {static_cast<long long>(count), unitText});
  return platform::FormatText(u"%d %s (%s)", {static_cast<long long>(count), unitText,
                                              ResourceText(resources, kStringUnitInThePast)});
}

bool EditAlarmTime(HWND owner, HINSTANCE resources, SYSTEMTIME* time) {
  AlarmTimeDialog dialog(*time);
  if (dialog.Run(resources, kDialogAlarmTime, owner) != IDOK) return false;
  *time = dialog.Time();
  return true;
}

}  // namespace calyra
