#include <iterator>

#include "resources/DialogItems.h"
#include "resources/Resources.h"

// The small pickers of times and dates: the time pickers of 12- and 24-hour locales, the duration
// picker, the alarm time of a note and the second reminder of an appointment. Each is a grid of large
// buttons, easy to tap with a finger.
namespace calyra::resources {

using namespace dialog;

namespace {

constexpr int16_t kCell = 39;
constexpr int16_t kCellWidth = 37;

constexpr int16_t Column(int column) {
  return static_cast<int16_t>(2 + column * kCell);
}

// One of the twelve hour buttons, in four columns and three rows; a 24-hour picker relabels them for
// its second page.
constexpr Item Hour(int index, const char16_t* text) {
  return Button(kTimeHour0 + index, text, Column(index % 4), static_cast<int16_t>(16 + index / 4 * 16),
                kCellWidth, 14);
}

// A button of the grid below the hours.
constexpr Item Cell(int32_t id, const char16_t* text, int column, int16_t y) {
  return Button(id, text, Column(column), y, kCellWidth, 14);
}

constexpr Item kTime12Items[] = {
    Label(u"", 2, 2, 156, 12, kTimeDisplay, SS_CENTER),
    Hour(0, u"1"),
    Hour(1, u"2"),
    Hour(2, u"3"),
    Hour(3, u"4"),
    Hour(4, u"5"),
    Hour(5, u"6"),
    Hour(6, u"7"),
    Hour(7, u"8"),
    Hour(8, u"9"),
    Hour(9, u"10"),
    Hour(10, u"11"),
    Hour(11, u"12"),
    Cell(kTimeMinute00, u":00", 0, 66),
    Cell(kTimeMinute15, u":15", 1, 66),
    Cell(kTimeMinute30, u":30", 2, 66),
    Cell(kTimeMinute45, u":45", 3, 66),
    Cell(kTimeMinus5, u"-5 min", 0, 82),
    Cell(kTimePlus5, u"+5 min", 1, 82),
    Cell(kTimeAm, u"AM", 2, 82),
    Cell(kTimePm, u"PM", 3, 82),
    OkButton(100),
    CancelButton(100),
};

constexpr Item kTime24Items[] = {
    Label(u"", 2, 2, 156, 12, kTimeDisplay, SS_CENTER),
    Hour(0, u"0"),
    Hour(1, u"1"),
    Hour(2, u"2"),
    Hour(3, u"3"),
    Hour(4, u"4"),
    Hour(5, u"5"),
    Hour(6, u"6"),
    Hour(7, u"7"),
    Hour(8, u"8"),
    Hour(9, u"9"),
    Hour(10, u"10"),
    Hour(11, u"11"),
    Cell(kTimeMinute00, u":00", 0, 66),
    Cell(kTimeMinute15, u":15", 1, 66),
    Cell(kTimeMinute30, u":30", 2, 66),
    Cell(kTimeMinute45, u":45", 3, 66),
    Cell(kTimeMinus5, u"-5 min", 0, 82),
    Cell(kTimePlus5, u"+5 min", 1, 82),
    Cell(kTimeMorningHours, u"00 - 11", 2, 82),
    Cell(kTimeEveningHours, u"12 - 23", 3, 82),
    OkButton(100),
    CancelButton(100),
};

constexpr Item kDurationItems[] = {
    Label(u"", 2, 2, 156, 12, kDurationDisplay, SS_CENTER),
    Cell(kDurationPlus5, u"+5 min", 0, 16),
    Cell(kDurationPlus15, u"+15 min", 1, 16),
    Cell(kDurationPlus30, u"+30 min", 2, 16),
    Cell(kDurationPlusHour, u"+1 hour", 3, 16),
    Cell(kDurationMinus5, u"-5 min", 0, 32),
    Cell(kDurationMinus15, u"-15 min", 1, 32),
    Cell(kDurationMinus30, u"-30 min", 2, 32),
    Cell(kDurationMinusHour, u"-1 hour", 3, 32),
    Cell(kDurationPlusDay, u"+1 day", 0, 48),
    Cell(kDurationMinusDay, u"-1 day", 1, 48),
    Cell(kDurationReset, u"Reset", 3, 48),
    OkButton(66),
    CancelButton(66),
};

constexpr Item kAlarmTimeItems[] = {
    DatePicker(kAlarmTimeDate, 2, 2, 100, DTS_LONGDATEFORMAT),
    Button(kAlarmTimeToday, u"Today", 2, 16, 50),
    Button(kAlarmTimeTomorrow, u"Tomorrow", 54, 16, 50),
    Button(kAlarmTimeDayAfter, u"", 106, 16, 52),
    Button(kAlarmTimeTime, u"Time...", 2, 32, 76),
    Button(kAlarmTimeDuration, u"In...", 82, 32, 76),
    Label(u"", 2, 48, 156, 10, kAlarmTimeFromNow, SS_CENTER),
    OkButton(62),
    CancelButton(62),
};

constexpr Item kSecondReminderItems[] = {
    DatePicker(kSecondReminderDate, 2, 2, 76),
    Button(kSecondReminderTime, u"", 80, 2, 78),
    Button(kSecondReminderEarlier, u"-1 day", 2, 16, 50),
    Button(kSecondReminderReset, u"Start", 54, 16, 50),
    Button(kSecondReminderLater, u"+1 day", 106, 16, 52),
    Button(kSecondReminderRemove, u"Remove", 2, 32, 76),
    OkButton(48),
    CancelButton(48),
};

}  // namespace

extern const CalyraResourceDialog kPickerDialogs[] = {
    Modal(kDialogTimePicker12, u"Time", 20, 116, kTime12Items),
    Modal(kDialogTimePicker24, u"Time", 20, 116, kTime24Items),
    Modal(kDialogDurationPicker, u"Duration", 30, 82, kDurationItems),
    Modal(kDialogAlarmTime, u"Alarm", 30, 78, kAlarmTimeItems),
    Modal(kDialogSecondReminder, u"Second Reminder", 30, 64, kSecondReminderItems),
};
extern const size_t kPickerDialogCount = std::size(kPickerDialogs);

}  // namespace calyra::resources
