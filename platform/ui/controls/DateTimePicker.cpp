#include <array>
#include <memory>
#include <string>

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

namespace {

constexpr int kColorCount = MCSC_TRAILINGTEXT + 1;
constexpr int kFormattedLimit = 256;
constexpr size_t kFormatLimit = 256;
// The drop-down calendar's size at 96 dpi.
constexpr int kCalendarWidth = 164;
constexpr int kDropButtonWidth = 13;  // at 96 dpi
constexpr int kCalendarHeight = 158;

struct PickerState : ControlState {
  bool initialised = false;
  SYSTEMTIME value{};
  bool none = false;
  std::u16string format;  // empty: the style's
  DWORD rangeFlags = 0;
  SYSTEMTIME range[2]{};
  std::array<COLORREF, kColorCount> colors{RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 128),
                                           RGB(255, 255, 255), RGB(255, 255, 255), RGB(128, 128, 128)};
  HFONT calendarFont = nullptr;
  HWND calendar = nullptr;
  bool dropped = false;
};

bool IsDateLetter(char16_t c) {
  return c == u'd' || c == u'M' || c == u'y' || c == u'g';
}
bool IsTimeLetter(char16_t c) {
  return c == u'h' || c == u'H' || c == u'm' || c == u's' || c == u't';
}

std::u16string FormatPiece(const SYSTEMTIME& value, const std::u16string& picture, bool date) {
  WCHAR text[kFormattedLimit] = {};
  int written = date ? GetDateFormatW(LOCALE_USER_DEFAULT, 0, &value, picture.c_str(), text, kFormattedLimit)
                     : GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &value, picture.c_str(), text, kFormattedLimit);
  return written > 0 ? std::u16string(text) : std::u16string();
}

// The value in a picker format: runs of date letters go through GetDateFormatW, runs of time letters
// through GetTimeFormatW, 'quoted' text ('' a quote) and anything else stand as they are.
std::u16string FormatValue(const SYSTEMTIME& value, std::u16string_view format) {
  std::u16string out;
  for (size_t i = 0; i < format.size();) {
    char16_t c = format[i];
    if (c == u'\'') {
      size_t j = i + 1;
      while (j < format.size()) {
        if (format[j] == u'\'' && j + 1 < format.size() && format[j + 1] == u'\'') {
          out += u'\'';
          j += 2;
        } else if (format[j] == u'\'') {
          break;
        } else {
          out += format[j++];
        }
      }
      if (j == i + 1 && j < format.size()) out += u'\'';  // '' outside quotes: a quote
      i = j + 1;
      continue;
    }
    if (IsDateLetter(c) || IsTimeLetter(c)) {
      size_t j = i;
      while (j < format.size() && format[j] == c) ++j;
      out += FormatPiece(value, std::u16string(format.substr(i, j - i)), IsDateLetter(c));
      i = j;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

// The locale's short date picture with the year in four digits.
std::u16string CenturyPicture() {
  WCHAR picture[kFormattedLimit] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture, kFormattedLimit);
  std::u16string text = picture;
  size_t year = text.find(u'y');
  if (year == std::u16string::npos) return text;
  size_t end = text.find_first_not_of(u'y', year);
  text.replace(year, (end == std::u16string::npos ? text.size() : end) - year, u"yyyy");
  return text;
}

struct Picker {
  HWND window = nullptr;
  std::shared_ptr<WindowObject> object;
  PickerState* state = nullptr;

  static Picker Of(HWND window) {
    Picker picker{window, WindowManager::Current().Find(window), nullptr};
    if (!picker.object || !IsClass(window, DATETIMEPICK_CLASSW)) return picker;
    picker.state = ControlStateOf<PickerState>(window);
    if (picker.state && !picker.state->initialised) {
      picker.state->initialised = true;
      GetLocalTime(&picker.state->value);
      picker.state->value.wMilliseconds = 0;
      picker.ShowValue();
    }
    return picker;
  }
  explicit operator bool() const { return state != nullptr; }

  DWORD Style() const { return object->style; }
  bool TimeFormat() const { return (Style() & DTS_TIMEFORMAT) == DTS_TIMEFORMAT; }
  bool DropsDown() const { return !(Style() & DTS_UPDOWN); }

  // The window text: the value in the picker's format (kept while in the none state).
  void ShowValue() {
    SYSTEMTIME& value = state->value;
    value.wDayOfWeek = static_cast<WORD>(DayOfWeek(value.wYear, value.wMonth, value.wDay));
    if (!state->format.empty()) {
      object->text = FormatValue(value, state->format);
      return;
    }
    WCHAR text[kFormattedLimit] = {};
    if (TimeFormat()) {
      GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &value, nullptr, text, kFormattedLimit);
    } else if ((Style() & DTS_FORMATMASK) == DTS_SHORTDATECENTURYFORMAT) {
      GetDateFormatW(LOCALE_USER_DEFAULT, 0, &value, CenturyPicture().c_str(), text, kFormattedLimit);
    } else {
      DWORD kind = (Style() & DTS_LONGDATEFORMAT) ? DATE_LONGDATE : DATE_SHORTDATE;
      GetDateFormatW(LOCALE_USER_DEFAULT, kind, &value, nullptr, text, kFormattedLimit);
    }
    object->text = text;
  }

  bool Acceptable(const SYSTEMTIME& value) const {
    return IsValidSystemTime(value) && InRange(value, state->rangeFlags, state->range);
  }

  // Sets the value or the none state; false (nothing changed) for what the picker cannot hold.
  bool Set(DWORD flag, const SYSTEMTIME* value) {
    if (flag == GDT_NONE) {
      if (!(Style() & DTS_SHOWNONE)) return false;
      state->none = true;
      return true;
    }
    if (flag != GDT_VALID || !value || !Acceptable(*value)) return false;
    state->value = *value;
    state->none = false;
    ShowValue();
    return true;
  }

  void NotifyChange() {
    NMDATETIMECHANGE info{};
    info.dwFlags = state->none ? GDT_NONE : GDT_VALID;
    info.st = state->value;
    NotifyParent(window, DTN_DATETIMECHANGE, &info.nmhdr);
  }

  bool DropDown() {
    if (!DropsDown() || !IsWindowEnabled(window)) return false;
    if (state->dropped) return true;
    if (!IsWindow(state->calendar)) {
      int scale = ScreenDpiY();
      RECT rect{};
      GetClientRect(window, &rect);
      state->calendar =
          CreateWindowExW(0, MONTHCAL_CLASSW, nullptr, WS_CHILD, 0, rect.bottom, kCalendarWidth * scale / 96,
                          kCalendarHeight * scale / 96, window, nullptr, nullptr, nullptr);
      if (!state->calendar) return false;
    }
    HWND calendar = state->calendar;
    for (int i = 0; i < kColorCount; ++i) {
      SendMessageW(calendar, MCM_SETCOLOR, static_cast<WPARAM>(i), static_cast<LPARAM>(state->colors[i]));
    }
    SendMessageW(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(state->calendarFont), FALSE);
    SendMessageW(calendar, MCM_SETRANGE, state->rangeFlags, reinterpret_cast<LPARAM>(state->range));
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&state->value));
    state->dropped = true;
    ShowWindow(calendar, SW_SHOW);
    NMHDR header{};
    NotifyParent(window, DTN_DROPDOWN, &header);
    return true;
  }

  bool CloseUp() {
    if (!state->dropped) return false;
    state->dropped = false;
    if (IsWindow(state->calendar)) ShowWindow(state->calendar, SW_HIDE);
    NMHDR header{};
    NotifyParent(window, DTN_CLOSEUP, &header);
    return true;
  }

  // The person picked a day in the drop-down calendar: the date changes, the time of day stays.
  void CalendarPicked(const SYSTEMTIME& date) {
    SYSTEMTIME value = state->value;
    value.wYear = date.wYear;
    value.wMonth = date.wMonth;
    value.wDay = date.wDay;
    if (Acceptable(value)) {
      Set(GDT_VALID, &value);
      NotifyChange();
    }
    CloseUp();
  }
};

LRESULT SetRange(Picker& picker, WPARAM flags, const SYSTEMTIME* range) {
  if (!range) return FALSE;
  if ((flags & GDTR_MIN) && !IsValidSystemTime(range[0])) return FALSE;
  if ((flags & GDTR_MAX) && !IsValidSystemTime(range[1])) return FALSE;
  if ((flags & GDTR_MIN) && (flags & GDTR_MAX) && CompareSystemTimes(range[0], range[1]) > 0) return FALSE;
  picker.state->rangeFlags = static_cast<DWORD>(flags) & (GDTR_MIN | GDTR_MAX);
  for (int i = 0; i < 2; ++i)
    picker.state->range[i] = IsValidSystemTime(range[i]) ? range[i] : picker.state->value;
  return TRUE;
}

LRESULT PickerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Picker picker = Picker::Of(window);
  if (!picker) return DefWindowProcW(window, message, wParam, lParam);
  PickerState& state = *picker.state;
  switch (message) {
    case DTM_GETSYSTEMTIME: {
      auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!out) return GDT_ERROR;
      if (state.none) return GDT_NONE;
      *out = state.value;
      return GDT_VALID;
    }
    case DTM_SETSYSTEMTIME:
      return picker.Set(static_cast<DWORD>(wParam), reinterpret_cast<const SYSTEMTIME*>(lParam)) ? TRUE
                                                                                                 : FALSE;
    case DTM_SETRANGE:
      return SetRange(picker, wParam, reinterpret_cast<const SYSTEMTIME*>(lParam));
    case DTM_GETRANGE: {
      auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
      if (!out) return 0;
      if (state.rangeFlags & GDTR_MIN) out[0] = state.range[0];
      if (state.rangeFlags & GDTR_MAX) out[1] = state.range[1];
      return static_cast<LRESULT>(state.rangeFlags);
    }
    case DTM_SETFORMATW:
      state.format = lParam ? std::u16string(TextView(reinterpret_cast<LPCWSTR>(lParam), kFormatLimit)) : u"";
      picker.ShowValue();
      return TRUE;
    case DTM_SETMCCOLOR: {
      if (wParam >= state.colors.size()) return -1;
      COLORREF old = state.colors[wParam];
      state.colors[wParam] = static_cast<COLORREF>(lParam);
      if (IsWindow(state.calendar)) SendMessageW(state.calendar, MCM_SETCOLOR, wParam, lParam);
      return static_cast<LRESULT>(old);
    }
    case DTM_GETMCCOLOR:
      return wParam < state.colors.size() ? static_cast<LRESULT>(state.colors[wParam]) : -1;
    case DTM_GETMONTHCAL:
      return state.dropped ? reinterpret_cast<LRESULT>(state.calendar) : 0;
    case DTM_SETMCFONT:
      state.calendarFont = reinterpret_cast<HFONT>(wParam);
      return 0;
    case DTM_GETMCFONT:
      return reinterpret_cast<LRESULT>(state.calendarFont);
    case WM_CREATE:
      picker.ShowValue();
      return 0;
    case WM_LBUTTONDOWN: {
      // A tap on the drop-down button at the right end opens the calendar.
      RECT rect{};
      GetClientRect(window, &rect);
      int x = static_cast<short>(LOWORD(static_cast<DWORD>(lParam)));
      int button = kDropButtonWidth * ScreenDpiX() / 96;
      if (picker.DropsDown() && !picker.TimeFormat() && IsWindowEnabled(window) && x >= rect.right - button)
        picker.DropDown();
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header && header->hwndFrom == state.calendar && header->code == MCN_SELECT && state.dropped) {
        picker.CalendarPicked(reinterpret_cast<const NMSELECT*>(lParam)->stSelStart);
      }
      return 0;
    }
    case WM_PAINT:
      paint::PaintDatePicker(window);
      return 0;
    case WM_EMU_DESCRIBE: {
      auto* text = reinterpret_cast<std::u16string*>(lParam);
      if (!text) return 0;
      if (state.none) *text += u" none";
      if (state.dropped) *text += u" dropped";
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterDateTimePicker() {
  RegisterSystemClass(DATETIMEPICK_CLASSW, PickerProc);
}

}  // namespace platform::ui

namespace platform {

bool UserPickDate(HWND window, const SYSTEMTIME* value) {
  ui::Picker picker = ui::Picker::Of(window);
  if (!picker || !IsWindowEnabled(window)) return false;
  if (!value) {
    // Clearing the check box of the picker.
    if (!(picker.Style() & DTS_SHOWNONE)) return false;
    picker.state->none = true;
    picker.NotifyChange();
    return true;
  }
  if (!picker.Acceptable(*value)) return false;
  bool viaCalendar = picker.DropsDown() && !picker.TimeFormat();
  if (viaCalendar) picker.DropDown();
  picker.Set(GDT_VALID, value);
  picker.NotifyChange();
  if (viaCalendar) picker.CloseUp();
  return true;
}

bool UserDropDownDatePicker(HWND window) {
  ui::Picker picker = ui::Picker::Of(window);
  return picker && picker.DropDown();
}

bool UserCloseDatePicker(HWND window) {
  ui::Picker picker = ui::Picker::Of(window);
  return picker && picker.CloseUp();
}

}  // namespace platform
