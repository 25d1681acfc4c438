#include "editors/TimePicker.h"

#include <string>

#include "editors/ModalDialog.h"
#include "platform/text/Formatter.h"
#include "platform/time/Locale.h"
#include "platform/ui/Message.h"
#include "resources/ResourceIds.h"
#include "text/DateTimeText.h"

namespace calyra {

namespace {

using namespace resources;

constexpr int kHourButtons = 12;
constexpr int kHoursPerDay = 24;
constexpr int kHalfDay = 12;
constexpr int kMinutesPerHour = 60;

struct MinuteButton {
  int button;
  int minute;
};
constexpr MinuteButton kQuarters[] = {
    {kTimeMinute00, 0}, {kTimeMinute15, 15}, {kTimeMinute30, 30}, {kTimeMinute45, 45}};
constexpr int kMinuteStep = 5;

class TimeDialog : public ModalDialog {
 public:
  TimeDialog(WORD hour, WORD minute, bool clock24)
      : hour_(hour), minute_(minute), clock24_(clock24), eveningPage_(hour >= kHalfDay) {}
  WORD Hour() const { return static_cast<WORD>(hour_); }
  WORD Minute() const { return static_cast<WORD>(minute_); }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_INITDIALOG) {
      LabelHours();
      Show();
      return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    Command(LOWORD(wParam));
    return TRUE;
  }

 private:
  void Command(int id) {
    if (id == IDOK || id == IDCANCEL) {
      EndDialog(Window(), id);
      return;
    }
    if (id >= kTimeHour0 && id < kTimeHour0 + kHourButtons) {
      PickHour(id - kTimeHour0);
    } else if (id == kTimePlus5 || id == kTimeMinus5) {
      AddMinutes(id == kTimePlus5 ? kMinuteStep : -kMinuteStep);
    } else if (id == kTimeAm || id == kTimePm) {
      hour_ = hour_ % kHalfDay + (id == kTimePm ? kHalfDay : 0);
    } else if (id == kTimeMorningHours || id == kTimeEveningHours) {
      eveningPage_ = id == kTimeEveningHours;
      LabelHours();
      return;
    } else {
      for (const MinuteButton& quarter : kQuarters) {
        if (quarter.button == id) minute_ = quarter.minute;
      }
    }
    Show();
  }

  // A 12-hour picker's buttons are 1 to 12 and keep the half of the day; a 24-hour picker's are the
  // hours of the page shown.
  void PickHour(int index) {
    if (clock24_) {
      hour_ = index + (eveningPage_ ? kHalfDay : 0);
    } else {
      hour_ = (index + 1) % kHalfDay + (hour_ >= kHalfDay ? kHalfDay : 0);
    }
  }

  // Minutes past the hour carry into the next hour, before it borrow from the one before; the day
  // wraps around.
  void AddMinutes(int minutes) {
    int total = (hour_ * kMinutesPerHour + minute_ + minutes) % (kHoursPerDay * kMinutesPerHour);
    if (total < 0) total += kHoursPerDay * kMinutesPerHour;
    hour_ = total / kMinutesPerHour;
    minute_ = total % kMinutesPerHour;
  }

  void LabelHours() {
    if (!clock24_) return;
    for (int index = 0; index < kHourButtons; ++index) {
      std::u16string label = platform::FormatText(u"%d", {index + (eveningPage_ ? kHalfDay : 0)});
      SetDlgItemTextW(Window(), kTimeHour0 + index, label.c_str());
    }
  }

  void Show() {
    SYSTEMTIME time{};
    time.wYear = 2000;
    time.wMonth = time.wDay = 1;
    time.wHour = Hour();
    time.wMinute = Minute();
    SetDlgItemTextW(Window(), kTimeDisplay, TimeText(time).c_str());
  }

  int hour_;
  int minute_;
  bool clock24_;
  bool eveningPage_;
};

}  // namespace

bool Uses24HourClock() {
  char16_t value[4] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ITIME, value, 4) > 0 && value[0] == u'1';
}

std::u16string TimeText(const SYSTEMTIME& time) {
  std::u16string picture = DateTimeText().GetTimePictureWithoutSeconds();
  char16_t text[64] = {};
  int written =
      GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, picture.empty() ? nullptr : picture.c_str(), text, 64);
  return written > 0 ? std::u16string(text) : std::u16string();
}

bool PickTime(HWND owner, HINSTANCE resources, SYSTEMTIME* time) {
  bool clock24 = Uses24HourClock();
  TimeDialog dialog(time->wHour % kHoursPerDay, time->wMinute % kMinutesPerHour, clock24);
  if (dialog.Run(resources, clock24 ? kDialogTimePicker24 : kDialogTimePicker12, owner) != IDOK) return false;
  time->wHour = dialog.Hour();
  time->wMinute = dialog.Minute();
  time->wSecond = time->wMilliseconds = 0;
  return true;
}

}  // namespace calyra
