#include "editors/TaskPage.h"

#include "categories/IconChooser.h"
#include "editors/AppointmentTimes.h"
#include "editors/ContactChooser.h"
#include "editors/ControlText.h"
#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "editors/PickerDays.h"
#include "editors/PriorityCode.h"
#include "editors/RecurrenceDates.h"
#include "editors/TimePicker.h"
#include "platform/text/Formatter.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

using namespace resources;

constexpr size_t kSubjectChars = 4096;
constexpr DWORD kPhrasesForTaskSubject = 0x10001;
constexpr int kMinutesPerHour = 60;
constexpr int kGrowLines = 1;
constexpr int kCalendarStrip = 20;  // a tap this near a date field's right end opens its calendar  // the
                                    // subject grows by one line while it has the focus

constexpr int kReminderControls[] = {kTaskReminderLabel, kTaskReminderDate, kTaskReminderTime};

struct Importance {
  int button;
  int priority;
};
constexpr Importance kImportance[] = {
    {kTaskImportanceHigh, 1}, {kTaskImportanceNormal, 2}, {kTaskImportanceLow, 3}};

std::u16string ShortDate(const SYSTEMTIME& date) {
  char16_t text[64] = {};
  return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 64) > 0 ? text : u"";
}

bool Later(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return MinutesBetween(b, a) > 0;
}

}  // namespace

HINSTANCE TaskPage::Resources() const {
  return Host().Resources();
}

void TaskPage::Load() {
  CPIMTask& task = Task();
  HookSubject();
  FillPriorityLists();
  SYSTEMTIME occurrence = platform::kNoDateSystemTime;
  if (task.oid == 0) {
    occurrence = platform::IsDateSet(task.start) ? task.start : Today();
  } else if (!task.recurring) {
    occurrence = platform::IsDateSet(task.start) ? task.start : task.due;
  }
  if (platform::IsDateSet(occurrence)) task.occurrenceDates[0] = AtTime(occurrence, 0, 0);
  LoadSubject(task);
  LoadCompletion(task);
  LoadDates(task);
  LoadReminder(task);
  for (const Importance& entry : kImportance) {
    CheckDlgButton(GetWindow(), entry.button, task.priority == entry.priority ? BST_CHECKED : BST_UNCHECKED);
  }
  CheckDlgButton(GetWindow(), kTaskPrivate, task.isPrivate ? BST_CHECKED : BST_UNCHECKED);
  icon_.Take(Host().ItemIconImage(task.oid));
  chosenIcon_.reset();
  loaded_ = true;
}

void TaskPage::FillPriorityLists() {
  HWND letters = Control(kTaskPriorityLetter);
  HWND digits = Control(kTaskPriorityDigit);
  SendMessageW(letters, CB_RESETCONTENT, 0, 0);
  SendMessageW(digits, CB_RESETCONTENT, 0, 0);
  SendMessageW(letters, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u""));
  SendMessageW(digits, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u""));
  for (int letter = 1; letter <= PriorityCode::kLetters; ++letter) {
    char16_t text[2] = {static_cast<char16_t>(u'A' - 1 + letter), 0};
    SendMessageW(letters, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  for (int digit = 1; digit <= PriorityCode::kDigits; ++digit) {
    char16_t text[2] = {static_cast<char16_t>(u'0' + digit), 0};
    SendMessageW(digits, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SendMessageW(letters, CB_SETCURSEL, 0, 0);
  SendMessageW(digits, CB_SETCURSEL, 0, 0);
}

void TaskPage::LoadSubject(const CPIMTask& task) {
  std::u16string_view text;
  PriorityCode code = PriorityCode::Parse(task.subject, &text);
  SendMessageW(Control(kTaskPriorityLetter), CB_SETCURSEL, static_cast<WPARAM>(code.letter), 0);
  SendMessageW(Control(kTaskPriorityDigit), CB_SETCURSEL, static_cast<WPARAM>(code.digit), 0);
  HWND subject = Control(kTaskSubject);
  SendMessageW(subject, EM_LIMITTEXT, kSubjectChars, 0);
  std::u16string shown =
      text.empty() ? ResourceText(Resources(), kStringSubjectPlaceholder) : std::u16string(text);
  SetWindowTextW(subject, shown.c_str());
}

void TaskPage::LoadCompletion(const CPIMTask& task) {
  CheckDlgButton(GetWindow(), kTaskComplete, task.complete ? BST_CHECKED : BST_UNCHECKED);
  HWND text = Control(kTaskCompletedText);
  if (task.complete && platform::IsDateSet(task.dateCompleted)) {
    std::u16string completed = platform::FormatText(ResourceText(Resources(), kStringTaskCompletedOn),
                                                    {ShortDate(task.dateCompleted)});
    SetWindowTextW(text, completed.c_str());
  }
  ShowWindow(text, task.complete ? SW_SHOW : SW_HIDE);
}

// A start after the due date shows as the due date; a template's start on its template day shows
// none; a recurring task shows its pattern's first occurrence and leaves its dates to the pattern.
void TaskPage::LoadDates(CPIMTask& task) {
  bool hasStart = platform::IsDateSet(task.start);
  bool hasDue = platform::IsDateSet(task.due);
  if (hasStart && hasDue && Later(task.start, task.due)) task.start = task.due;
  if (task.recurring) {
    if (std::optional<SYSTEMTIME> first = NthOccurrence(task.recurrence, 1)) {
      LONG span = hasStart && hasDue ? MinutesBetween(AtTime(task.start, 0, 0), AtTime(task.due, 0, 0)) : 0;
      task.start = *first;
      task.due = PlusMinutes(*first, span);
    }
  }
  SYSTEMTIME shownStart = task.start;
  SYSTEMTIME templateDay{};
  VariantTimeToSystemTime(CPIMTask::kTemplateDate, &templateDay);
  if (context_->editValue && platform::IsDateSet(task.start) &&
      MinutesBetween(AtTime(task.start, 0, 0), templateDay) == 0)
    shownStart = platform::kNoDateSystemTime;
  ShowDay(Control(kTaskStartDate), shownStart);
  ShowDay(Control(kTaskDueDate), task.due);
  ShowWindow(Control(kTaskRecurring), task.recurring ? SW_SHOW : SW_HIDE);
  EnableWindow(Control(kTaskStartDate), !task.recurring);
  EnableWindow(Control(kTaskDueDate), !task.recurring);
}

void TaskPage::LoadReminder(const CPIMTask& task) {
  reminderMinuteOfDay_ = Host().ReminderMinuteOfDay();
  bool dated = platform::IsDateSet(task.start) || platform::IsDateSet(task.due);
  bool shown = task.reminderSet && dated && platform::IsDateSet(task.reminderTime);
  if (shown && task.oid != 0) {
    reminderMinuteOfDay_ = task.reminderTime.wHour * kMinutesPerHour + task.reminderTime.wMinute;
  }
  ShowDay(Control(kTaskReminderDate), shown ? AtTime(task.reminderTime, 0, 0) : platform::kNoDateSystemTime);
  ShowReminderControls();
}

// Without a due date there is no reminder; without a reminder date, no reminder time.
void TaskPage::ShowReminderControls() {
  bool hasDue = platform::IsDateSet(PickedDay(Control(kTaskDueDate)));
  for (int id : kReminderControls) {
    EnableWindow(Control(id), hasDue);
    ShowWindow(Control(id), hasDue ? SW_SHOW : SW_HIDE);
  }
  bool hasReminder = hasDue && platform::IsDateSet(PickedDay(Control(kTaskReminderDate)));
  ShowWindow(Control(kTaskReminderTime), hasReminder ? SW_SHOW : SW_HIDE);
  ShowReminderTime();
}

void TaskPage::ShowReminderTime() {
  SYSTEMTIME time = AtTime(Today(), static_cast<WORD>(reminderMinuteOfDay_ / kMinutesPerHour),
                           static_cast<WORD>(reminderMinuteOfDay_ % kMinutesPerHour));
  SetDlgItemTextW(GetWindow(), kTaskReminderTime, TimeText(time).c_str());
}

bool TaskPage::Store(CloseAction) {
  if (!loaded_) return true;
  CPIMTask& task = Task();
  task.subject = StoredSubject();
  StoreDates(task);
  SYSTEMTIME reminderDay = PickedDay(Control(kTaskReminderDate));
  task.reminderSet = platform::IsDateSet(reminderDay) && IsWindowEnabled(Control(kTaskReminderDate));
  task.reminderTime = task.reminderSet
                          ? AtTime(reminderDay, static_cast<WORD>(reminderMinuteOfDay_ / kMinutesPerHour),
                                   static_cast<WORD>(reminderMinuteOfDay_ % kMinutesPerHour))
                          : platform::kNoDateSystemTime;
  task.complete = IsDlgButtonChecked(GetWindow(), kTaskComplete) == BST_CHECKED;
  for (const Importance& entry : kImportance) {
    if (IsDlgButtonChecked(GetWindow(), entry.button) == BST_CHECKED) task.priority = entry.priority;
  }
  task.isPrivate = IsDlgButtonChecked(GetWindow(), kTaskPrivate) == BST_CHECKED;
  return true;
}

std::u16string TaskPage::StoredSubject() const {
  PriorityCode code;
  code.letter = std::max(0, static_cast<int>(SendMessageW(Control(kTaskPriorityLetter), CB_GETCURSEL, 0, 0)));
  code.digit = std::max(0, static_cast<int>(SendMessageW(Control(kTaskPriorityDigit), CB_GETCURSEL, 0, 0)));
  std::u16string subject = (code.Text() + WindowText(Control(kTaskSubject))).substr(0, kSubjectChars);
  return subject == ResourceText(Resources(), kStringSubjectPlaceholder) ? std::u16string() : subject;
}

void TaskPage::StoreDates(CPIMTask& task) {
  if (context_->editValue) {
    SYSTEMTIME templateDay{};
    VariantTimeToSystemTime(CPIMTask::kTemplateDate, &templateDay);
    task.start = task.due = templateDay;
    return;
  }
  if (task.recurring) {
    if (std::optional<SYSTEMTIME> first = NthOccurrence(task.recurrence, 1)) {
      LONG span = MinutesBetween(AtTime(task.start, 0, 0), AtTime(task.due, 0, 0));
      task.start = *first;
      task.due = PlusMinutes(*first, std::max<LONG>(span, 0));
    }
    return;
  }
  task.start = PickedDay(Control(kTaskStartDate));
  task.due = PickedDay(Control(kTaskDueDate));
}

void TaskPage::Reset(CloseAction) {
  loaded_ = false;
  chosenIcon_.reset();
  icon_.Release();
  if (!GetWindow()) return;
  for (int id : {kTaskPriorityLetter, kTaskPriorityDigit}) SendMessageW(Control(id), CB_RESETCONTENT, 0, 0);
  SetDlgItemTextW(GetWindow(), kTaskSubject, u"");
  SetDlgItemTextW(GetWindow(), kTaskCompletedText, u"");
}

bool TaskPage::WriteAfterSave(ItemOid saved) {
  return !chosenIcon_ || Host().SetItemIcon(saved, *chosenIcon_);
}

INT_PTR TaskPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && Command(LOWORD(wParam), HIWORD(wParam))) return TRUE;
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == DTN_DATETIMECHANGE) {
    ShowReminderControls();
    return TRUE;
  }
  if (message == kMsgTaskSubjectEnter) {
    InsertPhrase();
    return TRUE;
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

bool TaskPage::Command(int id, int code) {
  if (id == kTaskSubject && (code == EN_SETFOCUS || code == EN_KILLFOCUS)) {
    SubjectFocus(code == EN_SETFOCUS);
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kTaskReminderTime:
      PickReminderTime();
      return true;
    case kTaskComplete:
      ShowWindow(Control(kTaskCompletedText),
                 IsDlgButtonChecked(GetWindow(), kTaskComplete) == BST_CHECKED && Task().complete ? SW_SHOW
                                                                                                  : SW_HIDE);
      return true;
    case kTaskIcon:
      if (std::optional<std::u16string> icon = ChooseIconImage(GetWindow(), Resources())) chosenIcon_ = *icon;
      return true;
    case kCommandSaveAsTemplate:
      SaveAsTemplate();
      return true;
    case kCommandApplyTemplate:
      ApplyTemplate();
      return true;
    case kCommandInsertPhrase:
      InsertPhrase();
      return true;
    case kCommandInsertContact:
      InsertContact();
      return true;
    default:
      return RunEditCommand(id);
  }
}

// The subject takes one more line while it has the focus; an empty one shows the placeholder
// selected.
void TaskPage::SubjectFocus(bool focused) {
  HWND subject = Control(kTaskSubject);
  if (focused) {
    GetWindowRect(subject, &subjectRect_);
    MapWindowPoints(nullptr, GetWindow(), reinterpret_cast<POINT*>(&subjectRect_), 2);
    int line = subjectRect_.bottom - subjectRect_.top;
    MoveWindow(subject, subjectRect_.left, subjectRect_.top, subjectRect_.right - subjectRect_.left,
               line * (1 + kGrowLines), TRUE);
    if (WindowText(subject).empty()) {
      SetWindowTextW(subject, ResourceText(Resources(), kStringSubjectPlaceholder).c_str());
    }
    if (WindowText(subject) == ResourceText(Resources(), kStringSubjectPlaceholder)) {
      SendMessageW(subject, EM_SETSEL, 0, -1);
    }
  } else if (subjectRect_.bottom > subjectRect_.top) {
    MoveWindow(subject, subjectRect_.left, subjectRect_.top, subjectRect_.right - subjectRect_.left,
               subjectRect_.bottom - subjectRect_.top, TRUE);
  }
}

void TaskPage::PickReminderTime() {
  SYSTEMTIME time = AtTime(Today(), static_cast<WORD>(reminderMinuteOfDay_ / kMinutesPerHour),
                           static_cast<WORD>(reminderMinuteOfDay_ % kMinutesPerHour));
  if (!PickTime(GetWindow(), Resources(), &time)) return;
  reminderMinuteOfDay_ = time.wHour * kMinutesPerHour + time.wMinute;
  ShowReminderTime();
}

void TaskPage::SaveAsTemplate() {
  Store(CloseAction::Copy);
  CloseAsTemplate(Task().subject);
}

// What the page shows is kept in the task first, so that the dates and a subject the person typed
// stay; the template brings the rest.
void TaskPage::ApplyTemplate() {
  Store(CloseAction::None);
  CPIMTask& task = Task();
  std::u16string subject = task.subject;
  if (!Host().ApplyTemplate(GetWindow(), task, Today())) return;
  if (!subject.empty()) task.subject = subject;
  Reset(CloseAction::None);
  LoadNow();
}

void TaskPage::InsertPhrase() {
  std::optional<std::u16string> text = Host().SelectPhrase(GetWindow(), kPhrasesForTaskSubject);
  if (!text) return;
  SendMessageW(Control(kTaskSubject), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
}

void TaskPage::InsertContact() {
  std::optional<ChosenContact> contact = ChooseContact(GetWindow(), Resources());
  if (!contact) return;
  std::u16string text = u" @ " + contact->name;
  SendMessageW(Control(kTaskSubject), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Enter in the subject asks for a phrase instead of a new line; a date field opens its calendar
// from a wider strip at its right end than its own button.
void TaskPage::HookSubject() {
  if (subjectProc_) return;
  for (int id : {kTaskStartDate, kTaskDueDate, kTaskReminderDate}) {
    HWND picker = Control(id);
    SetWindowLongPtrW(picker, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    pickerProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(picker, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TaskPage::DateFieldProc)));
  }
  HWND subject = Control(kTaskSubject);
  SetWindowLongPtrW(subject, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  subjectProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(subject, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TaskPage::SubjectProc)));
}

LRESULT TaskPage::SubjectProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* page = reinterpret_cast<TaskPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    PostMessageW(page->GetWindow(), kMsgTaskSubjectEnter, 0, 0);
    return 0;
  }
  if (message == WM_CHAR && (wParam == u'\r' || wParam == u'\n')) return 0;
  return CallWindowProcW(page->subjectProc_, window, message, wParam, lParam);
}

LRESULT TaskPage::DateFieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* page = reinterpret_cast<TaskPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_LBUTTONDOWN) {
    RECT rect{};
    GetClientRect(window, &rect);
    int x = static_cast<short>(LOWORD(static_cast<DWORD>(lParam)));
    if (x >= rect.right - page->Host().ScaledX(kCalendarStrip)) {
      lParam = MAKELPARAM(static_cast<WORD>(rect.right - 1), HIWORD(static_cast<DWORD>(lParam)));
    }
  }
  return CallWindowProcW(page->pickerProc_, window, message, wParam, lParam);
}

}  // namespace calyra
