#include <array>
#include <memory>
#include <string>
#include <tuple>

#include "platform/text/Text.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;
constexpr int kColorCount = MCSC_TRAILINGTEXT + 1;
// MCM_SETFIRSTDAYOFWEEK: 0 is Monday, 6 Sunday; -1 asks for the locale's.
constexpr int kLastWeekDay = 6;
constexpr LPARAM kLocaleFirstDay = -1;

bool IsValidSystemTime(const SYSTEMTIME& time) {
  if (time.wYear < kFirstYear || time.wYear > kLastYear) return false;
  if (time.wMonth < 1 || time.wMonth > 12) return false;
  if (time.wDay < 1 || time.wDay > DaysInMonth(time.wYear, time.wMonth)) return false;
  return time.wHour < 24 && time.wMinute < 60 && time.wSecond < 60 && time.wMilliseconds < 1000;
}

int CompareSystemTimes(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  auto key = [](const SYSTEMTIME& t) {
    return std::tie(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
  };
  if (key(a) < key(b)) return -1;
  return key(b) < key(a) ? 1 : 0;
}

bool InRange(const SYSTEMTIME& time, DWORD flags, const SYSTEMTIME range[2]) {
  if ((flags & GDTR_MIN) && CompareSystemTimes(time, range[0]) < 0) return false;
  return !((flags & GDTR_MAX) && CompareSystemTimes(time, range[1]) > 0);
}

namespace {

SYSTEMTIME DateOnly(SYSTEMTIME time) {
  time.wHour = time.wMinute = time.wSecond = time.wMilliseconds = 0;
  time.wDayOfWeek = static_cast<WORD>(DayOfWeek(time.wYear, time.wMonth, time.wDay));
  return time;
}

SYSTEMTIME Today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return DateOnly(now);
}

int LocaleFirstDay() {
  WCHAR text[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, text, 8) > 0 && text[0] >= u'0' &&
      text[0] <= u'0' + kLastWeekDay) {
    return text[0] - u'0';
  }
  return 0;
}

struct CalendarState : ControlState {
  bool initialised = false;
  SYSTEMTIME selection{};
  SYSTEMTIME today{};
  bool todaySet = false;
  std::array<COLORREF, kColorCount> colors{RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 128),
                                           RGB(255, 255, 255), RGB(255, 255, 255), RGB(128, 128, 128)};
  int firstDay = 0;
  bool firstDaySet = false;
  DWORD rangeFlags = 0;
  SYSTEMTIME range[2]{};
};

struct Calendar {
  HWND window = nullptr;
  std::shared_ptr<WindowObject> object;
  CalendarState* state = nullptr;

  static Calendar Of(HWND window) {
    Calendar calendar{window, WindowManager::Current().Find(window), nullptr};
    if (!calendar.object || !IsClass(window, MONTHCAL_CLASSW)) return calendar;
    calendar.state = ControlStateOf<CalendarState>(window);
    if (calendar.state && !calendar.state->initialised) {
      calendar.state->initialised = true;
      calendar.state->selection = Today();
      calendar.state->firstDay = LocaleFirstDay();
    }
    return calendar;
  }
  explicit operator bool() const { return state != nullptr; }

  bool Acceptable(const SYSTEMTIME& date) const {
    return IsValidSystemTime(date) && InRange(DateOnly(date), state->rangeFlags, state->range);
  }
};

LRESULT SetSelection(Calendar& calendar, const SYSTEMTIME* date) {
  if (!date || (calendar.object->style & MCS_MULTISELECT) || !calendar.Acceptable(*date)) return FALSE;
  calendar.state->selection = DateOnly(*date);
  return TRUE;
}

LRESULT SetRange(Calendar& calendar, WPARAM flags, const SYSTEMTIME* range) {
  if (!range) return FALSE;
  if ((flags & GDTR_MIN) && !IsValidSystemTime(range[0])) return FALSE;
  if ((flags & GDTR_MAX) && !IsValidSystemTime(range[1])) return FALSE;
  if ((flags & GDTR_MIN) && (flags & GDTR_MAX) && CompareSystemTimes(range[0], range[1]) > 0) return FALSE;
  calendar.state->rangeFlags = static_cast<DWORD>(flags) & (GDTR_MIN | GDTR_MAX);
  for (int i = 0; i < 2; ++i)
    calendar.state->range[i] = DateOnly(IsValidSystemTime(range[i]) ? range[i] : Today());
  return TRUE;
}

LRESULT FirstDay(const CalendarState& state) {
  return static_cast<LRESULT>(static_cast<DWORD>(state.firstDay) | (state.firstDaySet ? 0x10000u : 0u));
}

LRESULT CalendarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Calendar calendar = Calendar::Of(window);
  if (!calendar) return DefWindowProcW(window, message, wParam, lParam);
  CalendarState& state = *calendar.state;
  switch (message) {
    case MCM_SETCURSEL:
      return SetSelection(calendar, reinterpret_cast<const SYSTEMTIME*>(lParam));
    case MCM_GETCURSEL: {
      auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!out || (calendar.object->style & MCS_MULTISELECT)) return FALSE;
      *out = state.selection;
      return TRUE;
    }
    case MCM_SETCOLOR: {
      if (wParam >= state.colors.size()) return -1;
      COLORREF old = state.colors[wParam];
      state.colors[wParam] = static_cast<COLORREF>(lParam);
      return static_cast<LRESULT>(old);
    }
    case MCM_GETCOLOR:
      return wParam < state.colors.size() ? static_cast<LRESULT>(state.colors[wParam]) : -1;
    case MCM_SETFIRSTDAYOFWEEK: {
      LRESULT old = FirstDay(state);
      if (lParam == kLocaleFirstDay) {
        state.firstDay = LocaleFirstDay();
        state.firstDaySet = false;
      } else {
        state.firstDay = lParam < 0 || lParam > kLastWeekDay ? kLastWeekDay : static_cast<int>(lParam);
        state.firstDaySet = true;
      }
      return old;
    }
    case MCM_GETFIRSTDAYOFWEEK:
      return FirstDay(state);
    case MCM_SETTODAY: {
      auto* today = reinterpret_cast<const SYSTEMTIME*>(lParam);
      if (today && !IsValidSystemTime(*today)) return FALSE;
      state.todaySet = today != nullptr;
      if (today) state.today = DateOnly(*today);
      return TRUE;
    }
    case MCM_GETTODAY: {
      auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!out) return FALSE;
      *out = state.todaySet ? state.today : Today();
      return TRUE;
    }
    case MCM_SETRANGE:
      return SetRange(calendar, wParam, reinterpret_cast<const SYSTEMTIME*>(lParam));
    case MCM_GETRANGE: {
      auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!out) return 0;
      if (state.rangeFlags & GDTR_MIN) out[0] = state.range[0];
      if (state.rangeFlags & GDTR_MAX) out[1] = state.range[1];
      return static_cast<LRESULT>(state.rangeFlags);
    }
    case WM_PAINT:
      paint::PaintMonthCalendar(window);
      return 0;
    case WM_EMU_DESCRIBE: {
      auto* text = reinterpret_cast<std::u16string*>(lParam);
      if (!text) return 0;
      WCHAR date[32] = {};
      GetDateFormatW(LOCALE_USER_DEFAULT, 0, &state.selection, u"yyyy'-'MM'-'dd", date, 32);
      *text += u" sel=" + std::u16string(date);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterMonthCalendar() {
  RegisterSystemClass(MONTHCAL_CLASSW, CalendarProc);
}

}  // namespace platform::ui

namespace platform {

bool UserPickMonthCalendarDate(HWND window, const SYSTEMTIME& date) {
  ui::Calendar calendar = ui::Calendar::Of(window);
  if (!calendar || !calendar.Acceptable(date) || !IsWindowEnabled(window)) return false;
  SYSTEMTIME picked = ui::DateOnly(date);
  bool changed = ui::CompareSystemTimes(picked, calendar.state->selection) != 0;
  calendar.state->selection = picked;
  NMSELCHANGE info{};
  info.stSelStart = info.stSelEnd = picked;
  if (changed) ui::NotifyParent(window, MCN_SELCHANGE, &info.nmhdr);
  NMSELECT chosen{};
  chosen.stSelStart = chosen.stSelEnd = picked;
  ui::NotifyParent(window, MCN_SELECT, &chosen.nmhdr);
  return true;
}

}  // namespace platform
