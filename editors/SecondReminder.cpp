#include "editors/SecondReminder.h"

#include <cmath>

#include "editors/ModalDialog.h"
#include "editors/TimePicker.h"
#include "platform/registry/Registry.h"
#include "platform/text/Formatter.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "text/DateTimeText.h"

namespace calyra {

namespace {

using namespace resources;

constexpr const char16_t* kSettingsKey = u"SOFTWARE\\Velmora\\Calyra";
constexpr const char16_t* kDefaultValue = u"Appointment.Reminder2Default";
constexpr int64_t kMinutesPerDay = 1440;
constexpr int64_t kPastMargin = 5;  // minutes after now that a time in the past becomes
constexpr size_t kSubjectChars = 192;

SYSTEMTIME Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return now;
}

bool Earlier(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  FILETIME first{}, second{};
  SystemTimeToFileTime(&a, &first);
  SystemTimeToFileTime(&b, &second);
  return CompareFileTime(&first, &second) < 0;
}

std::u16string ShortDate(const SYSTEMTIME& date) {
  char16_t text[64] = {};
  return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 64) > 0 ? text : u"";
}

class SecondReminderDialog : public ModalDialog {
 public:
  SecondReminderDialog(const SYSTEMTIME& mainStart, const SYSTEMTIME& time, CPIMAppointment& second)
      : mainStart_(mainStart), time_(time), second_(second) {}
  const SYSTEMTIME& Time() const { return time_; }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        EnableWindow(Item(kSecondReminderRemove),
                     !second_.reminderMarks.toDelete && !second_.reminderMarks.disabled);
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
      case kSecondReminderEarlier:
      case kSecondReminderLater:
        platform::AddMinutes(&time_, id == kSecondReminderLater ? kMinutesPerDay : -kMinutesPerDay);
        break;
      case kSecondReminderReset:
        time_ = mainStart_;
        break;
      case kSecondReminderTime:
        PickTime(Window(), Resources(), &time_);
        break;
      case kSecondReminderRemove:
        second_.reminderMarks.toDelete = true;
        EndDialog(Window(), IDOK);
        return;
      case IDOK:
        second_.reminderMarks.toDelete = false;
        EndDialog(Window(), IDOK);
        return;
      case IDCANCEL:
        EndDialog(Window(), IDCANCEL);
        return;
      default:
        return;
    }
    Show();
  }

  void TakePickedDate() {
    SYSTEMTIME picked{};
    if (SendMessageW(Item(kSecondReminderDate), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&picked)) !=
        GDT_VALID)
      return;
    time_.wYear = picked.wYear;
    time_.wMonth = picked.wMonth;
    time_.wDay = picked.wDay;
    time_.wDayOfWeek = picked.wDayOfWeek;
    Show();
  }

  // A time already past becomes five minutes from now.
  void Show() {
    SYSTEMTIME now = Now();
    if (Earlier(time_, now)) {
      time_ = now;
      time_.wSecond = time_.wMilliseconds = 0;
      platform::AddMinutes(&time_, kPastMargin);
    }
    SendMessageW(Item(kSecondReminderDate), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time_));
    SetDlgItemTextW(Window(), kSecondReminderTime, TimeText(time_).c_str());
  }

  SYSTEMTIME mainStart_;
  SYSTEMTIME time_;
  CPIMAppointment& second_;
};

}  // namespace

bool ReadSecondReminderDefault(WORD* hour, WORD* minute) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  double value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  LONG result = RegQueryValueExW(key, kDefaultValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  SYSTEMTIME time{};
  if (result != ERROR_SUCCESS || type != REG_BINARY || size != sizeof value || !std::isfinite(value) ||
      !VariantTimeToSystemTime(value, &time))
    return false;
  *hour = time.wHour;
  *minute = time.wMinute;
  return true;
}

void WriteSecondReminderDefault(const SYSTEMTIME& time) {
  // Only the time of day counts; it is kept on the automation dates' first day.
  SYSTEMTIME timeOfDay{};
  timeOfDay.wYear = 1899;
  timeOfDay.wMonth = 12;
  timeOfDay.wDay = 30;
  timeOfDay.wHour = time.wHour;
  timeOfDay.wMinute = time.wMinute;
  double value = 0;
  if (!SystemTimeToVariantTime(&timeOfDay, &value)) return;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key, kDefaultValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegFlushKey(key);
  RegCloseKey(key);
}

SYSTEMTIME PrepareSecondReminder(CPIMAppointment& second, const CPIMAppointment& main) {
  if (main.companionOid && second.oid) return second.start;
  if (second.reminderMarks.initialised) return second.start;
  second.Reset();
  second.reminderMarks.initialised = true;
  second.reminderSet = true;
  second.reminderMinutes = 0;
  second.busyStatus = olFree;
  second.duration = 0;
  SYSTEMTIME time = main.start;
  platform::AddMinutes(&time, -kMinutesPerDay);
  WORD hour = 0, minute = 0;
  if (ReadSecondReminderDefault(&hour, &minute)) {
    time.wHour = hour;
    time.wMinute = minute;
  }
  time.wSecond = time.wMilliseconds = 0;
  second.start = second.end = time;
  return time;
}

bool EditSecondReminderTime(HWND owner, HINSTANCE resources, const SYSTEMTIME& mainStart, SYSTEMTIME* time,
                            CPIMAppointment& second) {
  SecondReminderDialog dialog(mainStart, *time, second);
  if (dialog.Run(resources, kDialogSecondReminder, owner) != IDOK) return false;
  if (!second.reminderMarks.toDelete) {
    second.reminderMarks.disabled = false;
    second.reminderMarks.changed = true;
    second.start = second.end = dialog.Time();
    *time = dialog.Time();
    WriteSecondReminderDefault(dialog.Time());
  }
  second.reminderMarks.initialised = true;
  return true;
}

void RebuildSecondReminder(CPIMAppointment& second, const CPIMAppointment& main, HINSTANCE resources) {
  second.categories = main.categories;
  second.categoriesText = main.categoriesText;
  std::u16string subject = main.subject.empty() ? ResourceText(resources, kStringNoSubject) : main.subject;
  subject.resize(std::min(subject.size(), kSubjectChars));
  std::u16string date = ShortDate(main.start);
  std::u16string startTime = TimeText(main.start);
  second.subject = subject + platform::FormatText(u" (%s %s)", {date, startTime});
  std::u16string title = ResourceText(resources, kStringSecondReminderNotesTitle);
  std::u16string weekday =
      DateTimeText().GetDayName(platform::DayOfWeek(main.start.wYear, main.start.wMonth, main.start.wDay));
  std::u16string endTime = TimeText(main.end);
  second.notesText =
      main.location.empty()
          ? platform::FormatText(u"%s\r\n\r\n%s\r\n%s - %s\r\n%s, %s",
                                 {title, subject, startTime, endTime, date, weekday})
          : platform::FormatText(u"%s\r\n\r\n%s\r\n(%s)\r\n%s - %s\r\n%s, %s",
                                 {title, subject, main.location, startTime, endTime, date, weekday});
  second.location.clear();
  second.isPrivate = main.isPrivate;
  second.recurring = false;
  second.allDay = second.meeting = false;
  second.companionOid = 0;
  second.reminderMarks.changed = false;
}

}  // namespace calyra
