#include "editors/RecurrencePage.h"

#include "editors/EditorHost.h"
#include "editors/RecurrenceDates.h"
#include "editors/RecurrenceItem.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

using namespace resources;

constexpr LONG kSemiMonthly = RecurrencePattern::kSemiMonthly;
constexpr int kWeeklyIndex = 1;  // the kind list's entry after a reset
constexpr char16_t kBackspace = 8;
constexpr int kDateFormatCapacity = 80;
// A semi-monthly series is daily every 7 days for Pocket Outlook.
constexpr LONG kSemiMonthlyInterval = 7;
// An end by a date that is not there.
constexpr LONG kOccurrencesWithoutDate = 10;
// The every-weekday choice of the daily kind.
constexpr LONG kMondayToFriday = 62;

enum class End : int { None = 0, ByDate = 1, AfterCount = 2 };

struct KindRow {
  LONG kind;
  unsigned name;
};

// The kind list in its order; the semi-monthly row only for appointments.
constexpr KindRow kKinds[] = {
    {olRecursDaily, kStringRecurDaily},      {olRecursWeekly, kStringRecurWeekly},
    {olRecursMonthly, kStringRecurMonthly},  {olRecursMonthNth, kStringRecurMonthNth},
    {olRecursYearly, kStringRecurYearly},    {olRecursYearNth, kStringRecurYearNth},
    {kSemiMonthly, kStringRecurSemiMonthly},
};
constexpr size_t kSemiMonthlyRow = 6;
constexpr unsigned kEndNames[] = {kStringRecurNoEnd, kStringRecurEndBy, kStringRecurEndAfter};

constexpr unsigned kDayInterval = kPanelNumber | kPanelList | kFillDayInterval;
constexpr unsigned kMonthInterval = kPanelNumber | kPanelList | kFillMonthInterval;

// One panel per row of kKinds, in the same order.
std::vector<PatternPanel> KindPanels() {
  return {
      PatternPanel({{kRecurrenceDailyLabel, kPanelLabel},
                    {kRecurrenceDailyInterval, kDayInterval},
                    {kRecurrenceDailyUnit, kPanelLabel},
                    {kRecurrenceDailyWeekdays, kPanelCheck}}),
      PatternPanel({{kRecurrenceWeeklyLabel, kPanelLabel},
                    {kRecurrenceWeeklyInterval, kDayInterval},
                    {kRecurrenceWeeklyUnit, kPanelLabel},
                    {kRecurrenceWeeklySunday, kPanelWeekdays}}),
      PatternPanel({{kRecurrenceMonthlyLabel, kPanelLabel},
                    {kRecurrenceMonthlyDay, kPanelList | kFillDayOfMonth},
                    {kRecurrenceMonthlyEvery, kPanelLabel},
                    {kRecurrenceMonthlyInterval, kMonthInterval},
                    {kRecurrenceMonthlyUnit, kPanelLabel}}),
      PatternPanel({{kRecurrenceMonthNthLabel, kPanelLabel},
                    {kRecurrenceMonthNthInstance, kPanelList | kFillInstance},
                    {kRecurrenceMonthNthDay, kPanelList | kFillDay},
                    {kRecurrenceMonthNthEvery, kPanelLabel},
                    {kRecurrenceMonthNthInterval, kMonthInterval},
                    {kRecurrenceMonthNthUnit, kPanelLabel}}),
      PatternPanel({{kRecurrenceYearlyLabel, kPanelLabel},
                    {kRecurrenceYearlyMonth, kPanelList | kFillMonth},
                    {kRecurrenceYearlyDay, kPanelList | kFillDayOfMonth}}),
      PatternPanel({{kRecurrenceYearNthLabel, kPanelLabel},
                    {kRecurrenceYearNthInstance, kPanelList | kFillInstance},
                    {kRecurrenceYearNthDay, kPanelList | kFillDay},
                    {kRecurrenceYearNthOf, kPanelLabel},
                    {kRecurrenceYearNthMonth, kPanelList | kFillMonth}}),
      PatternPanel({{kRecurrenceSemiLabel, kPanelLabel},
                    {kRecurrenceSemiFirst, kPanelCheck},
                    {kRecurrenceSemiFifteenth, kPanelCheck},
                    {kRecurrenceSemiLast, kPanelCheck},
                    {kRecurrenceSemiSunday, kPanelWeekdays},
                    {kRecurrenceSemiAdjustmentLabel, kPanelLabel},
                    {kRecurrenceSemiAdjustment, kPanelList | kFillAdjustment}}),
  };
}

// One panel per end condition.
std::vector<PatternPanel> EndPanels() {
  return {
      PatternPanel({}),
      PatternPanel({{kRecurrenceEndDate, kPanelDate}}),
      PatternPanel({{kRecurrenceOccurrences, kPanelNumber}, {kRecurrenceOccurrencesUnit, kPanelLabel}}),
  };
}

// The panel values of a stored pattern, as its kind's panel shows them.
PanelValues ValuesOf(const RecurrencePattern& p) {
  PanelValues values;
  if (p.semiMonthly.present) {
    LONG flags = p.semiMonthly.flags;
    values.checks = {(flags & kSemiFirst) != 0, (flags & kSemiFifteenth) != 0, (flags & kSemiLast) != 0};
    values.weekdays = p.semiMonthly.weekdayMask;
    values.lists[0] = flags & kSemiAdjustments;
    return values;
  }
  switch (p.type) {
    case olRecursDaily:
      values.checks[0] = p.interval == 0;
      values.numbers[0] = p.interval == 0 ? 1 : p.interval;
      break;
    case olRecursWeekly:
      values.numbers[0] = p.interval;
      values.weekdays = p.weekdayMask;
      break;
    case olRecursMonthly:
      values.lists[0] = p.dayOfMonth;
      values.numbers[0] = p.interval;
      break;
    case olRecursMonthNth:
      values.lists = {p.instance, p.weekdayMask, 0};
      values.numbers[0] = p.interval;
      break;
    case olRecursYearly:
      values.lists = {p.monthOfYear, p.dayOfMonth, 0};
      break;
    case olRecursYearNth:
      values.lists = {p.instance, p.weekdayMask, p.monthOfYear};
      break;
    default:
      break;
  }
  return values;
}

// The fields of a kind from its panel's values (every kind but semi-monthly).
void SetKindFields(LONG kind, const PanelValues& v, RecurrencePattern* p) {
  p->type = kind;
  switch (kind) {
    case olRecursDaily:
      p->interval = v.checks[0] ? 0 : v.numbers[0];
      p->weekdayMask = v.checks[0] ? kMondayToFriday : 0;
      break;
    case olRecursWeekly:
      p->interval = v.numbers[0];
      p->weekdayMask = v.weekdays;
      break;
    case olRecursMonthly:
      p->interval = v.numbers[0];
      p->dayOfMonth = v.lists[0];
      break;
    case olRecursMonthNth:
      p->interval = v.numbers[0];
      p->instance = v.lists[0];
      p->weekdayMask = v.lists[1];
      break;
    case olRecursYearly:
      p->monthOfYear = v.lists[0];
      p->dayOfMonth = v.lists[1];
      break;
    case olRecursYearNth:
      p->instance = v.lists[0];
      p->weekdayMask = v.lists[1];
      p->monthOfYear = v.lists[2];
      break;
    default:
      break;
  }
}

}  // namespace

RecurrencePage::RecurrencePage()
    : EditorPage(PageNumber::Recurrence), kindPanels_(KindPanels()), endPanels_(EndPanels()) {}

// ---- The controls ----

void RecurrencePage::BuildControls() {
  HWND dialog = GetWindow();
  HINSTANCE resources = Host().Resources();
  languageTag_ = ResourceText(resources, kStringLanguageTag);
  for (const PatternPanel& panel : kindPanels_) panel.Build(dialog, resources);
  for (const PatternPanel& panel : endPanels_) panel.Build(dialog, resources);
  HWND kinds = GetDlgItem(dialog, kRecurrenceKind);
  for (size_t row = 0; row < kSemiMonthlyRow; ++row) {
    std::u16string name = ResourceText(resources, kKinds[row].name);
    LRESULT index = SendMessageW(kinds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(kinds, CB_SETITEMDATA, static_cast<WPARAM>(index), kKinds[row].kind);
  }
  HWND ends = GetDlgItem(dialog, kRecurrenceEnd);
  for (unsigned name : kEndNames) {
    SendMessageW(ends, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ResourceText(resources, name).c_str()));
  }
  HWND field = GetDlgItem(dialog, kRecurrenceOccurrences);
  numberFieldBase_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecurrencePage::NumberFieldProc)));
}

void RecurrencePage::SetSemiMonthlyRow(bool offered) {
  if (offered == semiMonthlyOffered_) return;
  HWND kinds = GetDlgItem(GetWindow(), kRecurrenceKind);
  if (offered) {
    std::u16string name = ResourceText(Host().Resources(), kKinds[kSemiMonthlyRow].name);
    LRESULT index = SendMessageW(kinds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(kinds, CB_SETITEMDATA, static_cast<WPARAM>(index), kSemiMonthly);
  } else {
    if (Selection(kRecurrenceKind) == static_cast<int>(kSemiMonthlyRow))
      Select(kRecurrenceKind, kWeeklyIndex);
    SendMessageW(kinds, CB_DELETESTRING, kSemiMonthlyRow, 0);
  }
  semiMonthlyOffered_ = offered;
}

void RecurrencePage::BuildReadyMadeList(const SYSTEMTIME& start) {
  HWND list = GetDlgItem(GetWindow(), kRecurrenceQuick);
  int selected = Selection(kRecurrenceQuick);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& text : ReadyMadeTexts(Host().Resources(), languageTag_, start))
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  Select(kRecurrenceQuick, selected < 0 ? 0 : selected);
  listStart_ = DayOnly(start);
}

int RecurrencePage::Selection(int list) const {
  return static_cast<int>(SendMessageW(GetDlgItem(GetWindow(), list), CB_GETCURSEL, 0, 0));
}

void RecurrencePage::Select(int list, int index) {
  SendMessageW(GetDlgItem(GetWindow(), list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int RecurrencePage::KindIndex(LONG kind) const {
  for (size_t row = 0; row < std::size(kKinds); ++row) {
    if (kKinds[row].kind == kind) return static_cast<int>(row);
  }
  return kWeeklyIndex;
}

LONG RecurrencePage::SelectedKind() const {
  int index = Selection(kRecurrenceKind);
  return index >= 0 && static_cast<size_t>(index) < std::size(kKinds) ? kKinds[index].kind : olRecursWeekly;
}

void RecurrencePage::ShowKindPanel() {
  int shown = Selection(kRecurrenceKind);
  for (size_t i = 0; i < kindPanels_.size(); ++i)
    kindPanels_[i].Show(GetWindow(), static_cast<int>(i) == shown);
}

void RecurrencePage::ShowEndPanel() {
  int shown = Selection(kRecurrenceEnd);
  for (size_t i = 0; i < endPanels_.size(); ++i)
    endPanels_[i].Show(GetWindow(), static_cast<int>(i) == shown);
}

void RecurrencePage::EnableFullEditor() {
  bool open = Enabled() && Selection(kRecurrenceQuick) == static_cast<int>(ReadyMade::Custom);
  EnableWindow(GetDlgItem(GetWindow(), kRecurrenceKind), open);
  for (const PatternPanel& panel : kindPanels_) panel.Enable(GetWindow(), open);
}

// ---- Numeric fields ----

LRESULT RecurrencePage::NumberFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* page = static_cast<RecurrencePage*>(
      reinterpret_cast<EditorPage*>(GetWindowLongPtrW(GetParent(field), DWLP_USER)));
  if (!page) return DefWindowProcW(field, message, wParam, lParam);
  if (message == WM_CHAR && !page->AcceptsCharacter(field, static_cast<char16_t>(wParam))) return 0;
  return CallWindowProcW(page->numberFieldBase_, field, message, wParam, lParam);
}

bool RecurrencePage::AcceptsCharacter(HWND field, char16_t typed) const {
  if (typed == kBackspace || typed == u'.') return true;
  if (typed >= u'0' && typed <= u'9') {
    // A digit is refused when it would put a 0 first: the number would be below 1.
    DWORD from = 0, to = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    WCHAR text[16] = {};
    GetWindowTextW(field, text, static_cast<int>(std::size(text)));
    std::u16string after(text);
    if (from <= after.size() && to <= after.size() && from <= to) after.replace(from, to - from, 1, typed);
    if (after.empty() || after.front() != u'0') return true;
  }
  RefuseNumber();
  return false;
}

void RecurrencePage::RefuseNumber() const {
  HINSTANCE resources = Host().Resources();
  MessageBoxW(GetWindow(), ResourceText(resources, kStringRecurNumberBelowOne).c_str(),
              ResourceText(resources, kStringCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// ---- The item ----

// The pattern start becomes the item's occurrence date and the start of the page's list and control.
void RecurrencePage::UsePatternStart(const SYSTEMTIME& start) {
  SetItemOccurrenceDay(*context_->item, start);
  DateTime_SetSystemtime(GetDlgItem(GetWindow(), kRecurrenceStart), GDT_VALID, &start);
  BuildReadyMadeList(start);
  itemStartSeen_ = ItemStartDay(*context_->item);
}

// ---- Load ----

HWND RecurrencePage::Activate(int tabIndex) {
  // Another page may have moved the item: the ready-made list follows its new start.
  if (GetWindow() && !NeedsLoad()) {
    std::optional<SYSTEMTIME> start = ItemStartDay(*context_->item);
    if (start && (!itemStartSeen_ || !SameDay(*start, *itemStartSeen_))) UsePatternStart(*start);
  }
  return EditorPage::Activate(tabIndex);
}

void RecurrencePage::Load() {
  HWND dialog = GetWindow();
  SetSemiMonthlyRow(context_->kind == ItemKind::Appointment);
  EnableForPage();
  SYSTEMTIME start = ItemPatternStart(*context_->item);
  Select(kRecurrenceQuick, static_cast<int>(ReadyMade::None));
  UsePatternStart(start);
  for (const PatternPanel& panel : kindPanels_) panel.Preselect(dialog, start);
  if (const RecurrencePattern* pattern = ItemRecurrence(*context_->item)) {
    LoadEnd(*pattern);
    LoadPattern(*pattern);
  } else {
    PanelValues weekly;  // every week on the start's weekday
    weekly.numbers[0] = 1;
    weekly.weekdays = WeekdayBit(start);
    kindPanels_[static_cast<size_t>(KindIndex(olRecursWeekly))].Fill(dialog, weekly);
  }
  ShowKindPanel();
  ShowEndPanel();
  EnableFullEditor();
}

void RecurrencePage::EnableForPage() {
  HWND dialog = GetWindow();
  for (int id : {kRecurrenceQuick, kRecurrenceStart, kRecurrenceEnd, kRecurrenceKind})
    EnableWindow(GetDlgItem(dialog, id), Enabled());
  for (const PatternPanel& panel : endPanels_) panel.Enable(dialog, Enabled());
  WCHAR picture[kDateFormatCapacity] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture, kDateFormatCapacity);
  std::u16string format = u"ddd " + std::u16string(picture);
  for (int id : {kRecurrenceStart, kRecurrenceEndDate})
    DateTime_SetFormat(GetDlgItem(dialog, id), format.c_str());
}

void RecurrencePage::LoadEnd(const RecurrencePattern& pattern) {
  if (pattern.noEndDate) {
    Select(kRecurrenceEnd, static_cast<int>(End::None));
    return;
  }
  Select(kRecurrenceEnd, static_cast<int>(End::ByDate));
  PanelValues byDate;
  byDate.date = DayOnly(pattern.patternEnd);
  endPanels_[static_cast<size_t>(End::ByDate)].Fill(GetWindow(), byDate);
  PanelValues after;
  after.numbers[0] = pattern.occurrences;
  endPanels_[static_cast<size_t>(End::AfterCount)].Fill(GetWindow(), after);
}

void RecurrencePage::LoadPattern(const RecurrencePattern& pattern) {
  LONG kind = pattern.semiMonthly.present ? kSemiMonthly : pattern.type;
  int index = KindIndex(kind);
  Select(kRecurrenceKind, index);
  kindPanels_[static_cast<size_t>(index)].Fill(GetWindow(), ValuesOf(pattern));
  Select(kRecurrenceQuick, static_cast<int>(ReadyMadeOf(pattern, listStart_)));
}

// ---- Store ----

bool RecurrencePage::Store(CloseAction) {
  // A page never loaded, or shown without editing, leaves the item's recurrence as it was.
  if (NeedsLoad() || !GetWindow() || !Enabled()) return true;
  auto entry = static_cast<ReadyMade>(Selection(kRecurrenceQuick));
  if (entry == ReadyMade::None) {
    SetItemRecurrence(*context_->item, nullptr);
    return true;
  }
  RecurrencePattern pattern;
  if (!ReadKind(entry, &pattern)) {
    RefuseNumber();
    return false;
  }
  if (!ReadEnd(&pattern)) {
    RefuseNumber();
    return false;
  }
  SetItemRecurrence(*context_->item, &pattern);
  return true;
}

// A ready-made entry fixes the kind and starts on the list's start; the custom entry takes both from
// the full editor. Either way the kind's panel gives the fields.
bool RecurrencePage::ReadKind(ReadyMade entry, RecurrencePattern* pattern) {
  SYSTEMTIME start = listStart_;
  LONG kind = SelectedKind();
  if (entry == ReadyMade::Custom) {
    if (DateTime_GetSystemtime(GetDlgItem(GetWindow(), kRecurrenceStart), &start) != GDT_VALID) return false;
  } else {
    kind = ReadyMadePattern(entry, start).type;
  }
  std::optional<PanelValues> values = kindPanels_[static_cast<size_t>(KindIndex(kind))].Read(GetWindow());
  if (!values) return false;
  pattern->patternStart = DayOnly(start);
  if (kind == kSemiMonthly) {
    StoreSemiMonthly(*values, pattern);
    return true;
  }
  SetKindFields(kind, *values, pattern);
  // A week without a ticked day recurs on the start's weekday.
  if (kind == olRecursWeekly && pattern->weekdayMask == 0) pattern->weekdayMask = WeekdayBit(start);
  // The panel keeps what a stored pattern had (more weekdays, say); one that no longer fits the entry,
  // after the start moved, gives way to the entry's own pattern.
  if (entry != ReadyMade::Custom && ReadyMadeOf(*pattern, start) != entry)
    *pattern = ReadyMadePattern(entry, start);
  return true;
}

void RecurrencePage::StoreSemiMonthly(const PanelValues& values, RecurrencePattern* pattern) const {
  LONG days = (values.checks[0] ? kSemiFirst : 0) | (values.checks[1] ? kSemiFifteenth : 0) |
              (values.checks[2] ? kSemiLast : 0);
  // With no day ticked the series is on the 15th and the last day, and starts on the 15th.
  LONG firstDay = days ? days : kSemiFifteenth;
  if (days == 0) days = kSemiDefaultDays;
  LONG adjustment = values.lists[0] & kSemiAdjustments;
  LONG flags = days | adjustment;
  LONG weekdays = values.weekdays ? values.weekdays : kSemiDefaultWeekdays;
  pattern->type = olRecursDaily;
  pattern->interval = kSemiMonthlyInterval;
  pattern->semiMonthly = {true, flags, weekdays};
  SYSTEMTIME flagged = SemiMonthlyDay(pattern->patternStart, firstDay);
  pattern->patternStart = SemiMonthlyFirstValid(flagged, flags, weekdays);
  // The end a series without a chosen end gets: a year of months from the flagged day.
  pattern->patternEnd = SemiMonthlyEnd(flagged, firstDay | adjustment, weekdays);
}

bool RecurrencePage::ReadEnd(RecurrencePattern* pattern) {
  auto end = static_cast<End>(Selection(kRecurrenceEnd));
  std::optional<PanelValues> values;
  if (end != End::None) {
    values = endPanels_[static_cast<size_t>(end)].Read(GetWindow());
    if (!values) return false;
  }
  pattern->noEndDate = false;
  pattern->occurrences = 0;
  switch (end) {
    case End::ByDate:
      if (!values->date) {
        pattern->occurrences = kOccurrencesWithoutDate;
      } else {
        pattern->occurrences = CountOccurrencesUntil(*pattern, *values->date);
        pattern->patternEnd = *values->date;
        if (pattern->occurrences < 1) pattern->occurrences = 1;
      }
      break;
    case End::AfterCount:
      pattern->occurrences = std::max<LONG>(values->numbers[0], 1);
      break;
    case End::None:
      if (pattern->semiMonthly.present) {
        SetSemiMonthlyEnd(pattern);
        return true;
      }
      pattern->noEndDate = true;
      pattern->patternEnd = platform::kNoDateSystemTime;
      return true;
  }
  // Every ending pattern ends on the day of its last occurrence.
  if (std::optional<SYSTEMTIME> last = NthOccurrence(*pattern, pattern->occurrences))
    pattern->patternEnd = *last;
  return true;
}

void RecurrencePage::SetSemiMonthlyEnd(RecurrencePattern* pattern) const {
  pattern->occurrences = std::max<LONG>(CountOccurrencesUntil(*pattern, pattern->patternEnd), 1);
}

// ---- Reset and messages ----

void RecurrencePage::Reset(CloseAction) {
  if (HWND dialog = GetWindow()) {
    for (const PatternPanel& panel : kindPanels_) panel.Clear(dialog);
    for (const PatternPanel& panel : endPanels_) panel.Clear(dialog);
    Select(kRecurrenceKind, kWeeklyIndex);
    Select(kRecurrenceEnd, static_cast<int>(End::None));
    Select(kRecurrenceQuick, static_cast<int>(ReadyMade::None));
    ShowKindPanel();
    ShowEndPanel();
  }
  itemStartSeen_.reset();
  MarkNeedsLoad();
}

INT_PTR RecurrencePage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    BuildControls();
    Reset(CloseAction::None);
  } else if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
    switch (LOWORD(wParam)) {
      case kRecurrenceQuick:
        EnableFullEditor();
        return TRUE;
      case kRecurrenceKind:
        ShowKindPanel();
        return TRUE;
      case kRecurrenceEnd:
        ShowEndPanel();
        return TRUE;
      default:
        break;
    }
  } else if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == static_cast<UINT_PTR>(kRecurrenceStart) && header->code == DTN_DATETIMECHANGE) {
      const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
      if (change->dwFlags == GDT_VALID) BuildReadyMadeList(change->st);
      return TRUE;
    }
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
