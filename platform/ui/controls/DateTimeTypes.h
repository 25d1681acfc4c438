#pragma once

#include "platform/gdi/Gdi.h"
#include "platform/ui/Message.h"
#include "platform/ui/WindowTypes.h"

// The date and time picker and the month calendar: class names, styles, records, messages,
// notifications and helpers, with the device SDK's names and values.

inline constexpr const char16_t* DATETIMEPICK_CLASSW = u"SysDateTimePick32";
inline constexpr const char16_t* MONTHCAL_CLASSW = u"SysMonthCal32";

// Month calendar styles.
inline constexpr DWORD MCS_DAYSTATE = 0x0001;
inline constexpr DWORD MCS_MULTISELECT = 0x0002;
inline constexpr DWORD MCS_WEEKNUMBERS = 0x0004;
inline constexpr DWORD MCS_NOTODAYCIRCLE = 0x0008;
inline constexpr DWORD MCS_NOTODAY = 0x0010;

// Colours of the month calendar (MCM_SETCOLOR, DTM_SETMCCOLOR).
inline constexpr int MCSC_BACKGROUND = 0;
inline constexpr int MCSC_TEXT = 1;
inline constexpr int MCSC_TITLEBK = 2;
inline constexpr int MCSC_TITLETEXT = 3;
inline constexpr int MCSC_MONTHBK = 4;
inline constexpr int MCSC_TRAILINGTEXT = 5;

// Ranges (DTM_SETRANGE, MCM_SETRANGE) and values (DTM_GETSYSTEMTIME).
inline constexpr DWORD GDTR_MIN = 0x0001;
inline constexpr DWORD GDTR_MAX = 0x0002;
inline constexpr LRESULT GDT_ERROR = -1;
inline constexpr DWORD GDT_VALID = 0;
inline constexpr DWORD GDT_NONE = 1;

// Month calendar messages.
inline constexpr UINT MCM_FIRST = 0x1000;
inline constexpr UINT MCM_GETCURSEL = MCM_FIRST + 1;
inline constexpr UINT MCM_SETCURSEL = MCM_FIRST + 2;
inline constexpr UINT MCM_GETMAXSELCOUNT = MCM_FIRST + 3;
inline constexpr UINT MCM_SETMAXSELCOUNT = MCM_FIRST + 4;
inline constexpr UINT MCM_GETSELRANGE = MCM_FIRST + 5;
inline constexpr UINT MCM_SETSELRANGE = MCM_FIRST + 6;
inline constexpr UINT MCM_GETMONTHRANGE = MCM_FIRST + 7;
inline constexpr UINT MCM_SETDAYSTATE = MCM_FIRST + 8;
inline constexpr UINT MCM_GETMINREQRECT = MCM_FIRST + 9;
inline constexpr UINT MCM_SETCOLOR = MCM_FIRST + 10;
inline constexpr UINT MCM_GETCOLOR = MCM_FIRST + 11;
inline constexpr UINT MCM_SETTODAY = MCM_FIRST + 12;
inline constexpr UINT MCM_GETTODAY = MCM_FIRST + 13;
inline constexpr UINT MCM_HITTEST = MCM_FIRST + 14;
inline constexpr UINT MCM_SETFIRSTDAYOFWEEK = MCM_FIRST + 15;
inline constexpr UINT MCM_GETFIRSTDAYOFWEEK = MCM_FIRST + 16;
inline constexpr UINT MCM_GETRANGE = MCM_FIRST + 17;
inline constexpr UINT MCM_SETRANGE = MCM_FIRST + 18;
inline constexpr UINT MCM_GETMONTHDELTA = MCM_FIRST + 19;
inline constexpr UINT MCM_SETMONTHDELTA = MCM_FIRST + 20;

// Month calendar notifications.
inline constexpr UINT MCN_FIRST = 0U - 750U;
inline constexpr UINT MCN_SELCHANGE = MCN_FIRST + 1;
inline constexpr UINT MCN_GETDAYSTATE = MCN_FIRST + 3;
inline constexpr UINT MCN_SELECT = MCN_FIRST + 4;

struct NMSELCHANGE {
  NMHDR nmhdr;
  SYSTEMTIME stSelStart;
  SYSTEMTIME stSelEnd;
};
using LPNMSELCHANGE = NMSELCHANGE*;
using NMSELECT = NMSELCHANGE;
using LPNMSELECT = NMSELECT*;

// Date and time picker styles.
inline constexpr DWORD DTS_UPDOWN = 0x0001;
inline constexpr DWORD DTS_SHOWNONE = 0x0002;
inline constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
inline constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
inline constexpr DWORD DTS_SHORTDATECENTURYFORMAT = 0x000C;
inline constexpr DWORD DTS_TIMEFORMAT = 0x0009;
inline constexpr DWORD DTS_FORMATMASK = 0x000C;
inline constexpr DWORD DTS_APPCANPARSE = 0x0010;
inline constexpr DWORD DTS_RIGHTALIGN = 0x0020;

// Date and time picker messages.
inline constexpr UINT DTM_FIRST = 0x1000;
inline constexpr UINT DTM_GETSYSTEMTIME = DTM_FIRST + 1;
inline constexpr UINT DTM_SETSYSTEMTIME = DTM_FIRST + 2;
inline constexpr UINT DTM_GETRANGE = DTM_FIRST + 3;
inline constexpr UINT DTM_SETRANGE = DTM_FIRST + 4;
inline constexpr UINT DTM_SETMCCOLOR = DTM_FIRST + 6;
inline constexpr UINT DTM_GETMCCOLOR = DTM_FIRST + 7;
inline constexpr UINT DTM_GETMONTHCAL = DTM_FIRST + 8;
inline constexpr UINT DTM_SETMCFONT = DTM_FIRST + 9;
inline constexpr UINT DTM_GETMCFONT = DTM_FIRST + 10;
inline constexpr UINT DTM_SETFORMATW = DTM_FIRST + 50;

// Date and time picker notifications.
inline constexpr UINT DTN_FIRST = 0U - 760U;
inline constexpr UINT DTN_DATETIMECHANGE = DTN_FIRST + 1;
inline constexpr UINT DTN_DROPDOWN = DTN_FIRST + 6;
inline constexpr UINT DTN_CLOSEUP = DTN_FIRST + 7;
inline constexpr UINT DTN_USERSTRINGW = DTN_FIRST + 15;
inline constexpr UINT DTN_WMKEYDOWNW = DTN_FIRST + 16;
inline constexpr UINT DTN_FORMATW = DTN_FIRST + 17;
inline constexpr UINT DTN_FORMATQUERYW = DTN_FIRST + 18;

struct NMDATETIMECHANGE {
  NMHDR nmhdr;
  DWORD dwFlags;
  SYSTEMTIME st;
};
using LPNMDATETIMECHANGE = NMDATETIMECHANGE*;

inline DWORD DateTime_GetSystemtime(HWND picker, SYSTEMTIME* time) {
  return static_cast<DWORD>(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(time)));
}
inline BOOL DateTime_SetSystemtime(HWND picker, DWORD flag, const SYSTEMTIME* time) {
  return static_cast<BOOL>(SendMessageW(picker, DTM_SETSYSTEMTIME, flag, reinterpret_cast<LPARAM>(time)));
}
inline DWORD DateTime_GetRange(HWND picker, SYSTEMTIME* range) {
  return static_cast<DWORD>(SendMessageW(picker, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
}
inline BOOL DateTime_SetRange(HWND picker, DWORD flags, const SYSTEMTIME* range) {
  return static_cast<BOOL>(SendMessageW(picker, DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)));
}
inline BOOL DateTime_SetFormat(HWND picker, LPCWSTR format) {
  return static_cast<BOOL>(SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format)));
}
inline COLORREF DateTime_SetMonthCalColor(HWND picker, int which, COLORREF color) {
  return static_cast<COLORREF>(
      SendMessageW(picker, DTM_SETMCCOLOR, static_cast<WPARAM>(which), static_cast<LPARAM>(color)));
}
inline COLORREF DateTime_GetMonthCalColor(HWND picker, int which) {
  return static_cast<COLORREF>(SendMessageW(picker, DTM_GETMCCOLOR, static_cast<WPARAM>(which), 0));
}
inline HWND DateTime_GetMonthCal(HWND picker) {
  return reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
}
inline BOOL MonthCal_GetCurSel(HWND calendar, SYSTEMTIME* time) {
  return static_cast<BOOL>(SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(time)));
}
inline BOOL MonthCal_SetCurSel(HWND calendar, const SYSTEMTIME* time) {
  return static_cast<BOOL>(SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(time)));
}
inline COLORREF MonthCal_SetColor(HWND calendar, int which, COLORREF color) {
  return static_cast<COLORREF>(
      SendMessageW(calendar, MCM_SETCOLOR, static_cast<WPARAM>(which), static_cast<LPARAM>(color)));
}
inline COLORREF MonthCal_GetColor(HWND calendar, int which) {
  return static_cast<COLORREF>(SendMessageW(calendar, MCM_GETCOLOR, static_cast<WPARAM>(which), 0));
}
inline DWORD MonthCal_SetFirstDayOfWeek(HWND calendar, int day) {
  return static_cast<DWORD>(SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, day));
}
inline DWORD MonthCal_GetFirstDayOfWeek(HWND calendar) {
  return static_cast<DWORD>(SendMessageW(calendar, MCM_GETFIRSTDAYOFWEEK, 0, 0));
}
inline BOOL MonthCal_SetToday(HWND calendar, const SYSTEMTIME* today) {
  return static_cast<BOOL>(SendMessageW(calendar, MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(today)));
}
inline BOOL MonthCal_GetToday(HWND calendar, SYSTEMTIME* today) {
  return static_cast<BOOL>(SendMessageW(calendar, MCM_GETTODAY, 0, reinterpret_cast<LPARAM>(today)));
}
inline BOOL MonthCal_SetRange(HWND calendar, DWORD flags, const SYSTEMTIME* range) {
  return static_cast<BOOL>(SendMessageW(calendar, MCM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)));
}
inline DWORD MonthCal_GetRange(HWND calendar, SYSTEMTIME* range) {
  return static_cast<DWORD>(SendMessageW(calendar, MCM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
}

namespace platform::ui {

void RegisterDateTimePicker();
void RegisterMonthCalendar();

// Whether every field of the time lies in its range (years 1601 to 30827, the day within its month);
// the day of the week is not looked at.
bool IsValidSystemTime(const SYSTEMTIME& time);
// Orders two times by their date and time of day (not the day of the week): <0, 0, >0.
int CompareSystemTimes(const SYSTEMTIME& a, const SYSTEMTIME& b);
// Whether the time lies in a range of GDTR_MIN/GDTR_MAX `flags` (range[0] the least, range[1] the most).
bool InRange(const SYSTEMTIME& time, DWORD flags, const SYSTEMTIME range[2]);

}  // namespace platform::ui
