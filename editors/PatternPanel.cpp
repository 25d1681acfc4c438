#include "editors/PatternPanel.h"

#include <span>
#include <string>

#include "editors/ReadyMadePatterns.h"
#include "editors/RecurrenceDates.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

struct Entry {
  std::u16string text;
  LONG value;
};

constexpr LONG kDayIntervals[] = {1, 2, 3, 4, 5, 10, 20};
constexpr LONG kMonthIntervals[] = {1, 2, 3, 4, 6, 12, 18};
constexpr LONG kAnyDay = 127, kWeekdays = 62, kWeekendDays = 65;
constexpr int kInstances = 5;
constexpr int kDayListWeekdaysFrom = 3;  // the seven weekdays follow the three day groups

std::vector<Entry> Numbers(std::span<const LONG> numbers) {
  std::vector<Entry> entries;
  for (LONG number : numbers) entries.push_back({platform::FormatText(u"%d", {number}), number});
  return entries;
}

std::vector<Entry> EntriesOf(unsigned fill, HINSTANCE resources) {
  std::vector<Entry> entries;
  switch (fill) {
    case kFillDayInterval:
      return Numbers(kDayIntervals);
    case kFillMonthInterval:
      return Numbers(kMonthIntervals);
    case kFillInstance:
      for (int i = 0; i < kInstances; ++i)
        entries.push_back({ResourceText(resources, kStringRecurFirstInstance + i), i + 1});
      return entries;
    case kFillDay:
      entries = {{ResourceText(resources, kStringRecurAnyDay), kAnyDay},
                 {ResourceText(resources, kStringRecurWeekday), kWeekdays},
                 {ResourceText(resources, kStringRecurWeekendDay), kWeekendDays}};
      for (int day = 0; day < 7; ++day) entries.push_back({WeekdayName(day), static_cast<LONG>(1 << day)});
      return entries;
    case kFillMonth:
      for (int month = 1; month <= 12; ++month) entries.push_back({MonthName(month), month});
      return entries;
    case kFillDayOfMonth:
      for (int day = 1; day <= 31; ++day) entries.push_back({platform::FormatText(u"%d", {day}), day});
      return entries;
    case kFillAdjustment:
      for (int i = 0; i < 4; ++i)
        entries.push_back({ResourceText(resources, kStringRecurSemiKeep + i), kSemiKeep << i});
      return entries;
    default:
      return entries;
  }
}

HWND Item(HWND dialog, int id) {
  return GetDlgItem(dialog, id);
}

// The entry of a list whose value is `value`, or -1.
int IndexOfValue(HWND list, LONG value) {
  auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (static_cast<LONG>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == value) return i;
  }
  return -1;
}

void SelectValue(HWND list, LONG value) {
  int index = IndexOfValue(list, value);
  if (index >= 0) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// A numeric field's number: blank and 0 count as 1; anything but up to three digits is none.
std::optional<LONG> NumberOf(HWND control) {
  WCHAR text[16] = {};
  GetWindowTextW(control, text, static_cast<int>(std::size(text)));
  std::u16string value(text);
  if (value.size() > static_cast<size_t>(kPanelNumberDigits)) return std::nullopt;
  LONG number = 0;
  for (char16_t c : value) {
    if (c < u'0' || c > u'9') return std::nullopt;
    number = number * 10 + (c - u'0');
  }
  return number < 1 ? 1 : number;
}

}  // namespace

void PatternPanel::Build(HWND dialog, HINSTANCE resources) const {
  for (const Control& control : controls_) {
    HWND window = Item(dialog, control.id);
    if (control.kind & kPanelList) {
      SendMessageW(window, CB_RESETCONTENT, 0, 0);
      for (const Entry& entry : EntriesOf(control.kind & kPanelFills, resources)) {
        LRESULT index = SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
        SendMessageW(window, CB_SETITEMDATA, static_cast<WPARAM>(index), entry.value);
      }
    }
    if (control.kind & kPanelNumber) {
      UINT limit = control.kind & kPanelList ? CB_LIMITTEXT : EM_LIMITTEXT;
      SendMessageW(window, limit, kPanelNumberDigits, 0);
    }
  }
}

void PatternPanel::Show(HWND dialog, bool shown) const {
  for (const Control& control : controls_) {
    int count = control.kind & kPanelWeekdays ? 7 : 1;
    for (int i = 0; i < count; ++i) ShowWindow(Item(dialog, control.id + i), shown ? SW_SHOW : SW_HIDE);
  }
}

void PatternPanel::Enable(HWND dialog, bool enabled) const {
  for (const Control& control : controls_) {
    int count = control.kind & kPanelWeekdays ? 7 : 1;
    for (int i = 0; i < count; ++i) EnableWindow(Item(dialog, control.id + i), enabled);
  }
}

void PatternPanel::Preselect(HWND dialog, const SYSTEMTIME& start) const {
  for (const Control& control : controls_) {
    HWND list = Item(dialog, control.id);
    switch (control.kind & kPanelFills) {
      case kFillInstance:
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>((start.wDay - 1) / 7), 0);
        break;
      case kFillDay:
        SendMessageW(list, CB_SETCURSEL,
                     static_cast<WPARAM>(kDayListWeekdaysFrom +
                                         platform::DayOfWeek(start.wYear, start.wMonth, start.wDay)),
                     0);
        break;
      case kFillMonth:
        SelectValue(list, start.wMonth);
        break;
      case kFillDayOfMonth:
        SelectValue(list, start.wDay);
        break;
      case kFillAdjustment:
        SelectValue(list, kSemiKeep);
        break;
      default:
        break;
    }
  }
}

void PatternPanel::Fill(HWND dialog, const PanelValues& values) const {
  size_t number = 0, list = 0, check = 0;
  for (const Control& control : controls_) {
    HWND window = Item(dialog, control.id);
    if (control.kind & kPanelNumber) {
      LONG value = values.numbers[number++];
      if (value > 0) SetWindowTextW(window, platform::FormatText(u"%d", {value}).c_str());
    } else if (control.kind & kPanelList) {
      if (LONG value = values.lists[list++]) SelectValue(window, value);
    } else if (control.kind & kPanelCheck) {
      SendMessageW(window, BM_SETCHECK, values.checks[check++] ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (control.kind & kPanelWeekdays) {
      for (int day = 0; day < 7; ++day)
        CheckDlgButton(dialog, control.id + day, values.weekdays & (1 << day) ? BST_CHECKED : BST_UNCHECKED);
    } else if (control.kind & kPanelDate) {
      DateTime_SetSystemtime(window, values.date ? GDT_VALID : GDT_NONE,
                             values.date ? &*values.date : nullptr);
    }
  }
}

std::optional<PanelValues> PatternPanel::Read(HWND dialog) const {
  PanelValues values;
  size_t number = 0, list = 0, check = 0;
  for (const Control& control : controls_) {
    HWND window = Item(dialog, control.id);
    if (control.kind & kPanelNumber) {
      std::optional<LONG> value = NumberOf(window);
      if (!value) return std::nullopt;
      values.numbers[number++] = *value;
    } else if (control.kind & kPanelList) {
      LRESULT index = SendMessageW(window, CB_GETCURSEL, 0, 0);
      if (index == CB_ERR) return std::nullopt;
      values.lists[list++] =
          static_cast<LONG>(SendMessageW(window, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    } else if (control.kind & kPanelCheck) {
      values.checks[check++] = SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
    } else if (control.kind & kPanelWeekdays) {
      for (int day = 0; day < 7; ++day)
        if (IsDlgButtonChecked(dialog, control.id + day) == BST_CHECKED) values.weekdays |= 1 << day;
    } else if (control.kind & kPanelDate) {
      SYSTEMTIME date{};
      DWORD state = DateTime_GetSystemtime(window, &date);
      if (state == GDT_VALID) {
        values.date = DayOnly(date);
      } else if (state != GDT_NONE) {
        return std::nullopt;
      }
    }
  }
  return values;
}

void PatternPanel::Clear(HWND dialog) const {
  for (const Control& control : controls_) {
    HWND window = Item(dialog, control.id);
    if (control.kind & kPanelNumber) {
      SetWindowTextW(window, u"");
    } else if (control.kind & kPanelList) {
      SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
  }
  Fill(dialog, PanelValues{});
}

}  // namespace calyra
