#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "tests/platform/ui/controls/ControlTestSupport.h"

namespace {

using calyra::testing::ControlTest;
using calyra::testing::Date;
using calyra::testing::Log;

constexpr int kPickerId = 401;
constexpr int kCalendarId = 402;

std::u16string WindowText(HWND window) {
  WCHAR text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

class DateTimePickerTest : public ControlTest {};

TEST_F(DateTimePickerTest, ValuesNoneStateAndRange) {
  HWND picker = Child(DATETIMEPICK_CLASSW, DTS_SHORTDATEFORMAT, kPickerId, 120, 20);
  ASSERT_NE(picker, nullptr);
  SYSTEMTIME value{};
  EXPECT_EQ(DateTime_GetSystemtime(picker, &value), GDT_VALID);
  EXPECT_EQ(value.wYear, 2024) << "starts at the device's local time";
  EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, 0), GDT_ERROR);

  SYSTEMTIME meeting = Date(2024, 6, 30, 14, 45);
  EXPECT_TRUE(DateTime_SetSystemtime(picker, GDT_VALID, &meeting));
  EXPECT_EQ(DateTime_GetSystemtime(picker, &value), GDT_VALID);
  EXPECT_TRUE(SameDay(value, meeting));
  EXPECT_EQ(value.wHour, 14);
  EXPECT_EQ(value.wDayOfWeek, 0) << "30 June 2024 is a Sunday";
  EXPECT_FALSE(DateTime_SetSystemtime(picker, GDT_NONE, nullptr)) << "no DTS_SHOWNONE";
  EXPECT_FALSE(DateTime_SetSystemtime(picker, GDT_VALID, nullptr));

  SYSTEMTIME bad[] = {Date(2024, 13, 1), Date(2024, 4, 31), Date(1600, 12, 31), Date(2023, 2, 29),
                      Date(2024, 1, 1, 24, 0)};
  for (const SYSTEMTIME& time : bad) {
    EXPECT_FALSE(DateTime_SetSystemtime(picker, GDT_VALID, &time)) << time.wYear << "-" << time.wMonth;
  }
  DateTime_GetSystemtime(picker, &value);
  EXPECT_TRUE(SameDay(value, meeting)) << "failures change nothing";

  SYSTEMTIME range[2] = {Date(2024, 1, 1), Date(2024, 12, 31, 23, 59)};
  EXPECT_TRUE(DateTime_SetRange(picker, GDTR_MIN | GDTR_MAX, range));
  SYSTEMTIME outside = Date(2025, 1, 1);
  EXPECT_FALSE(DateTime_SetSystemtime(picker, GDT_VALID, &outside));
  SYSTEMTIME inside = Date(2024, 12, 31, 8, 0);
  EXPECT_TRUE(DateTime_SetSystemtime(picker, GDT_VALID, &inside));
  SYSTEMTIME got[2] = {};
  EXPECT_EQ(DateTime_GetRange(picker, got), GDTR_MIN | GDTR_MAX);
  EXPECT_TRUE(SameDay(got[0], range[0]) && SameDay(got[1], range[1]));
  SYSTEMTIME reversed[2] = {range[1], range[0]};
  EXPECT_FALSE(DateTime_SetRange(picker, GDTR_MIN | GDTR_MAX, reversed));
  EXPECT_FALSE(DateTime_SetRange(picker, GDTR_MIN, nullptr));
  EXPECT_TRUE(DateTime_SetRange(picker, GDTR_MAX, range));
  EXPECT_EQ(DateTime_GetRange(picker, got), GDTR_MAX);

  HWND optional = Child(DATETIMEPICK_CLASSW, DTS_SHOWNONE, kPickerId + 1, 120, 20);
  EXPECT_TRUE(DateTime_SetSystemtime(optional, GDT_NONE, nullptr));
  EXPECT_EQ(DateTime_GetSystemtime(optional, &value), GDT_NONE);
  EXPECT_TRUE(DateTime_SetSystemtime(optional, GDT_VALID, &meeting));
  EXPECT_EQ(DateTime_GetSystemtime(optional, &value), GDT_VALID);

  EXPECT_TRUE(Log().notifications.empty()) << "the program's changes send nothing";
  DestroyWindow(optional);
  DestroyWindow(picker);
}

TEST_F(DateTimePickerTest, WindowTextFollowsTheFormat) {
  HWND picker = Child(DATETIMEPICK_CLASSW, DTS_SHORTDATEFORMAT, kPickerId, 120, 20);
  SYSTEMTIME value = Date(2024, 3, 5, 9, 7);
  DateTime_SetSystemtime(picker, GDT_VALID, &value);
  std::u16string shortText = WindowText(picker);
  EXPECT_EQ(shortText.find(u"3/5/"), 0u) << "the locale's short date: " << platform::ToUtf8(shortText);

  EXPECT_TRUE(DateTime_SetFormat(picker, u"yyyy'-'MM'-'dd"));
  EXPECT_EQ(WindowText(picker), u"2024-03-05");
  DateTime_SetFormat(picker, u"dd MMM yyyy 'at' HH:mm");
  EXPECT_EQ(WindowText(picker), u"05 Mar 2024 at 09:07");
  DateTime_SetFormat(picker, u"dddd h:mm tt");
  EXPECT_EQ(WindowText(picker), u"Tuesday 9:07 AM");
  SYSTEMTIME later = Date(2024, 3, 6, 21, 30);
  DateTime_SetSystemtime(picker, GDT_VALID, &later);
  EXPECT_EQ(WindowText(picker), u"Wednesday 9:30 PM") << "the text follows the value";
  DateTime_SetFormat(picker, nullptr);
  EXPECT_NE(WindowText(picker), shortText) << "back to the short date of the new value";

  HWND longDate = Child(DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT, kPickerId + 1, 160, 20);
  DateTime_SetSystemtime(longDate, GDT_VALID, &value);
  EXPECT_NE(WindowText(longDate).find(u"March"), std::u16string::npos);
  HWND century = Child(DATETIMEPICK_CLASSW, DTS_SHORTDATECENTURYFORMAT, kPickerId + 3, 120, 20);
  DateTime_SetSystemtime(century, GDT_VALID, &value);
  EXPECT_EQ(WindowText(century), u"3/5/2024");
  DestroyWindow(century);
  HWND time = Child(DATETIMEPICK_CLASSW, DTS_TIMEFORMAT, kPickerId + 2, 120, 20);
  DateTime_SetSystemtime(time, GDT_VALID, &value);
  EXPECT_NE(WindowText(time).find(u"9:07"), std::u16string::npos) << platform::ToUtf8(WindowText(time));
  DestroyWindow(time);
  DestroyWindow(longDate);
  DestroyWindow(picker);
}

TEST_F(DateTimePickerTest, PersonPicksThroughTheCalendar) {
  HWND picker = Child(DATETIMEPICK_CLASSW, DTS_SHOWNONE, kPickerId, 120, 20);
  SYSTEMTIME start = Date(2024, 3, 15, 10, 30);
  DateTime_SetSystemtime(picker, GDT_VALID, &start);
  Log().Clear();

  SYSTEMTIME picked = Date(2024, 4, 2, 10, 30);
  EXPECT_TRUE(platform::UserPickDate(picker, &picked));
  EXPECT_EQ(Log().notifications, (std::vector<UINT>{DTN_DROPDOWN, DTN_DATETIMECHANGE, DTN_CLOSEUP}));
  ASSERT_EQ(Log().dateEvents.size(), 1u);
  EXPECT_EQ(Log().dateEvents[0].dwFlags, GDT_VALID);
  EXPECT_TRUE(SameDay(Log().dateEvents[0].st, picked));
  EXPECT_EQ(Log().dateEvents[0].nmhdr.idFrom, static_cast<UINT_PTR>(kPickerId));

  Log().Clear();
  EXPECT_TRUE(platform::UserPickDate(picker, nullptr));
  EXPECT_EQ(Log().notifications, std::vector<UINT>{DTN_DATETIMECHANGE});
  EXPECT_EQ(Log().dateEvents[0].dwFlags, GDT_NONE);
  SYSTEMTIME value{};
  EXPECT_EQ(DateTime_GetSystemtime(picker, &value), GDT_NONE);

  // The drop-down calendar: open, a day tapped, closed again with the time of day kept.
  EXPECT_EQ(DateTime_GetMonthCal(picker), nullptr);
  EXPECT_EQ(DateTime_SetMonthCalColor(picker, MCSC_TITLEBK, RGB(0, 128, 0)), RGB(0, 0, 128));
  EXPECT_EQ(DateTime_GetMonthCalColor(picker, MCSC_TITLEBK), RGB(0, 128, 0));
  EXPECT_EQ(DateTime_SetMonthCalColor(picker, 6, RGB(1, 1, 1)), CLR_INVALID);
  Log().Clear();
  ASSERT_TRUE(platform::UserDropDownDatePicker(picker));
  HWND calendar = DateTime_GetMonthCal(picker);
  ASSERT_NE(calendar, nullptr);
  EXPECT_EQ(MonthCal_GetColor(calendar, MCSC_TITLEBK), RGB(0, 128, 0));
  EXPECT_TRUE(platform::UserPickMonthCalendarDate(calendar, Date(2024, 5, 20)));
  EXPECT_EQ(Log().notifications, (std::vector<UINT>{DTN_DROPDOWN, DTN_DATETIMECHANGE, DTN_CLOSEUP}));
  EXPECT_EQ(DateTime_GetSystemtime(picker, &value), GDT_VALID);
  EXPECT_TRUE(SameDay(value, Date(2024, 5, 20)));
  EXPECT_EQ(value.wHour, 10);
  EXPECT_EQ(DateTime_GetMonthCal(picker), nullptr) << "closed";

  // What the picker cannot take is refused without a word.
  HWND plain = Child(DATETIMEPICK_CLASSW, DTS_UPDOWN, kPickerId + 1, 120, 20);
  SYSTEMTIME range[2] = {Date(2024, 1, 1), Date(2024, 1, 31)};
  DateTime_SetRange(plain, GDTR_MIN | GDTR_MAX, range);
  Log().Clear();
  EXPECT_FALSE(platform::UserPickDate(plain, nullptr)) << "no DTS_SHOWNONE";
  SYSTEMTIME outside = Date(2024, 2, 1);
  EXPECT_FALSE(platform::UserPickDate(plain, &outside));
  SYSTEMTIME invalid = Date(2024, 2, 30);
  EXPECT_FALSE(platform::UserPickDate(plain, &invalid));
  EXPECT_TRUE(Log().notifications.empty());
  SYSTEMTIME fine = Date(2024, 1, 10);
  EXPECT_TRUE(platform::UserPickDate(plain, &fine));
  EXPECT_EQ(Log().notifications, std::vector<UINT>{DTN_DATETIMECHANGE})
      << "an up-down picker has no calendar";
  DestroyWindow(plain);
  DestroyWindow(picker);
}

class MonthCalendarTest : public ControlTest {};

TEST_F(MonthCalendarTest, ColorsSelectionFirstDayAndPersonsChoice) {
  HWND calendar = Child(MONTHCAL_CLASSW, 0, kCalendarId);
  ASSERT_NE(calendar, nullptr);
  SYSTEMTIME value{};
  EXPECT_TRUE(MonthCal_GetCurSel(calendar, &value));
  EXPECT_TRUE(SameDay(value, Date(2024, 3, 15))) << "today on the device";
  EXPECT_FALSE(MonthCal_GetCurSel(calendar, nullptr));

  EXPECT_EQ(MonthCal_SetColor(calendar, MCSC_MONTHBK, RGB(10, 20, 30)), RGB(255, 255, 255));
  EXPECT_EQ(MonthCal_GetColor(calendar, MCSC_MONTHBK), RGB(10, 20, 30));
  EXPECT_EQ(MonthCal_SetColor(calendar, 9, 0), CLR_INVALID);
  EXPECT_EQ(MonthCal_GetColor(calendar, -1), CLR_INVALID);

  SYSTEMTIME day = Date(2024, 7, 4);
  EXPECT_TRUE(MonthCal_SetCurSel(calendar, &day));
  MonthCal_GetCurSel(calendar, &value);
  EXPECT_TRUE(SameDay(value, day));
  SYSTEMTIME bad = Date(2024, 9, 31);
  EXPECT_FALSE(MonthCal_SetCurSel(calendar, &bad));
  EXPECT_FALSE(MonthCal_SetCurSel(calendar, nullptr));

  DWORD first = MonthCal_GetFirstDayOfWeek(calendar);
  EXPECT_EQ(HIWORD(first), 0) << "the locale's";
  EXPECT_EQ(MonthCal_SetFirstDayOfWeek(calendar, 6), first);
  EXPECT_EQ(MonthCal_GetFirstDayOfWeek(calendar), static_cast<DWORD>(6 | (1 << 16)));

  Log().Clear();
  EXPECT_TRUE(platform::UserPickMonthCalendarDate(calendar, Date(2024, 7, 5)));
  EXPECT_EQ(Log().notifications, (std::vector<UINT>{MCN_SELCHANGE, MCN_SELECT}));
  ASSERT_EQ(Log().calendarEvents.size(), 2u);
  EXPECT_TRUE(SameDay(Log().calendarEvents[1].stSelStart, Date(2024, 7, 5)));
  Log().Clear();
  EXPECT_TRUE(platform::UserPickMonthCalendarDate(calendar, Date(2024, 7, 5)));
  EXPECT_EQ(Log().notifications, std::vector<UINT>{MCN_SELECT}) << "the same day again";

  SYSTEMTIME range[2] = {Date(2024, 7, 1), Date(2024, 7, 31)};
  EXPECT_TRUE(MonthCal_SetRange(calendar, GDTR_MIN | GDTR_MAX, range));
  Log().Clear();
  EXPECT_FALSE(platform::UserPickMonthCalendarDate(calendar, Date(2024, 8, 1)));
  EXPECT_FALSE(platform::UserPickMonthCalendarDate(calendar, Date(2024, 2, 30)));
  EXPECT_TRUE(Log().notifications.empty());
  DestroyWindow(calendar);
}

}  // namespace
