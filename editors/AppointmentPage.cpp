#include "editors/AppointmentPage.h"

#include "categories/IconChooser.h"
#include "editors/AppointmentTimes.h"
#include "editors/ContactChooser.h"
#include "editors/ControlText.h"
#include "editors/DurationPicker.h"
#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "editors/LocationDialog.h"
#include "editors/LocationHistory.h"
#include "editors/SecondReminder.h"
#include "editors/TimePicker.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

using namespace resources;

constexpr size_t kSubjectChars = CPIMAppointment::kSubjectCapacity;
constexpr size_t kLocationChars = CPIMAppointment::kLocationCapacity;
constexpr WPARAM kLeadDigits = 4;
constexpr LONG kBusyStatusShownForOthers = olBusy;
constexpr WORD kWorkdayStartHour = 8;  // an all-day event switched off without times of its own
constexpr int64_t kDefaultDuration = 60;

// The phrase selection's usage flags of the two text fields.
constexpr DWORD kPhrasesForSubject = 0x20001;
constexpr DWORD kPhrasesForLocation = 0x20002;

constexpr unsigned kBusyStatusTexts[] = {kStringBusyFree, kStringBusyTentative, kStringBusyBusy,
                                         kStringBusyOutOfOffice};

struct LeadUnit {
  unsigned text;
  LONG minutes;
};
constexpr LeadUnit kLeadUnits[] = {
    {kStringUnitMinutes, 1}, {kStringUnitHours, 60}, {kStringUnitDays, 1440}, {kStringUnitWeeks, 10080}};

void FillList(HWND combo, HINSTANCE resources, std::span<const unsigned> texts) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (unsigned text : texts) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ResourceText(resources, text).c_str()));
  }
}

void Show(HWND control, bool shown) {
  ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

bool Checked(HWND page, int id) {
  return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

void Check(HWND page, int id, bool checked) {
  CheckDlgButton(page, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

HINSTANCE AppointmentPage::Resources() const {
  return Host().Resources();
}

void AppointmentPage::Load() {
  CPIMAppointment& appointment = Appointment();
  if (appointment.oid == 0) appointment.occurrenceDate = appointment.start;
  if (context_->editValue) {
    SYSTEMTIME today{};
    GetLocalTime(&today);
    MoveOntoDay(&appointment.start, &appointment.end, today);
    if (context_->secondAppointment) context_->secondAppointment->reminderMarks.disabled = true;
  }
  // The store keeps an all-day event up to the midnight after its last day; the page shows that day.
  if (appointment.allDay && appointment.end.wHour == 0 && appointment.end.wMinute == 0 &&
      MinutesBetween(appointment.start, appointment.end) > 0) {
    appointment.end = AtTime(PlusMinutes(appointment.end, -1), 0, 1);
  }
  appointment.duration = MinutesBetween(appointment.start, appointment.end);
  timesBeforeAllDay_.reset();
  locationFocused_ = false;

  HWND busy = Control(kAppointmentBusyStatus);
  FillList(busy, Resources(), kBusyStatusTexts);
  LONG status = appointment.busyStatus;
  bool known = status >= 0 && status < static_cast<LONG>(std::size(kBusyStatusTexts));
  SendMessageW(busy, CB_SETCURSEL, static_cast<WPARAM>(known ? status : kBusyStatusShownForOthers), 0);
  LoadTexts(appointment);
  Check(GetWindow(), kAppointmentAllDay, appointment.allDay);
  Check(GetWindow(), kAppointmentPrivate, appointment.isPrivate);
  LoadReminder(appointment);
  // The image is kept with the item's links.
  icon_.Take(Host().ItemIconImage(appointment.oid));
  chosenIcon_.reset();
  ArrangeDateControls(appointment);
  ShowTimes();
  ShowSecondReminder();
}

void AppointmentPage::LoadTexts(const CPIMAppointment& appointment) {
  HWND subject = Control(kAppointmentSubject);
  SendMessageW(subject, EM_LIMITTEXT, kSubjectChars, 0);
  if (appointment.subject.empty()) {
    SetWindowTextW(subject, ResourceText(Resources(), kStringSubjectPlaceholder).c_str());
    SendMessageW(subject, EM_SETSEL, 0, -1);
  } else {
    SetWindowTextW(subject, appointment.subject.c_str());
  }
  HWND location = Control(kAppointmentLocation);
  SendMessageW(location, CB_LIMITTEXT, kLocationChars, 0);
  LoadLocationHistory(location);
  SetWindowTextW(location, appointment.location.c_str());
}

void AppointmentPage::LoadReminder(const CPIMAppointment& appointment) {
  HWND unit = Control(kAppointmentReminderUnit);
  SendMessageW(unit, CB_RESETCONTENT, 0, 0);
  size_t chosen = 0;
  for (size_t index = 0; index < std::size(kLeadUnits); ++index) {
    const LeadUnit& entry = kLeadUnits[index];
    SendMessageW(unit, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(ResourceText(Resources(), entry.text).c_str()));
    LONG minutes = appointment.reminderMinutes;
    if (minutes >= entry.minutes && minutes % entry.minutes == 0) chosen = index;
  }
  SendMessageW(unit, CB_SETCURSEL, chosen, 0);
  HWND lead = Control(kAppointmentReminderLead);
  SendMessageW(lead, EM_LIMITTEXT, kLeadDigits, 0);
  SetDlgItemInt(
      GetWindow(), kAppointmentReminderLead,
      static_cast<UINT>(std::max<LONG>(0, appointment.reminderMinutes) / kLeadUnits[chosen].minutes), FALSE);
  Check(GetWindow(), kAppointmentReminder, appointment.reminderSet);
  EnableWindow(lead, appointment.reminderSet);
  EnableWindow(unit, appointment.reminderSet);
}

// A whole series shows texts in place of its dates (they are set on the recurrence page); one
// occurrence and a template keep their dates; all day hides the times.
void AppointmentPage::ArrangeDateControls(const CPIMAppointment& appointment) {
  bool series = appointment.recurring && !appointment.openedOccurrence;
  bool datesFixed = context_->editValue || appointment.openedOccurrence;
  for (int id : {kAppointmentStartDate, kAppointmentEndDate}) {
    Show(Control(id), !series);
    EnableWindow(Control(id), !datesFixed);
  }
  for (int id : {kAppointmentStartTime, kAppointmentEndTime})
    Show(Control(id), !series && !appointment.allDay);
  Show(Control(kAppointmentSeriesStart), series);
  Show(Control(kAppointmentSeriesEnd), series);
  if (series) {
    SetDlgItemTextW(GetWindow(), kAppointmentSeriesStart,
                    ResourceText(Resources(), kStringSeriesStart).c_str());
    SetDlgItemTextW(GetWindow(), kAppointmentSeriesEnd, ResourceText(Resources(), kStringSeriesEnd).c_str());
  }
  EnableWindow(Control(kAppointmentPrivate), !appointment.openedOccurrence);
  EnableWindow(Control(kAppointmentSecondReminder), context_->editValue == 0 && context_->secondAppointment);
}

void AppointmentPage::ShowTimes() {
  const CPIMAppointment& appointment = Appointment();
  DateTime_SetSystemtime(Control(kAppointmentStartDate), GDT_VALID, &appointment.start);
  DateTime_SetSystemtime(Control(kAppointmentEndDate), GDT_VALID, &appointment.end);
  SetDlgItemTextW(GetWindow(), kAppointmentStartTime, TimeText(appointment.start).c_str());
  SetDlgItemTextW(GetWindow(), kAppointmentEndTime, TimeText(appointment.end).c_str());
  SetDlgItemTextW(GetWindow(), kAppointmentDuration, DurationText(Resources(), appointment.duration).c_str());
}

void AppointmentPage::ShowSecondReminder() {
  const CPIMAppointment* second = context_->secondAppointment;
  std::u16string text;
  if (second && second->reminderMarks.initialised && !second->reminderMarks.toDelete &&
      (second->oid || second->reminderMarks.changed)) {
    char16_t date[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &second->start, nullptr, date, 64);
    text = std::u16string(date) + u" " + TimeText(second->start);
  }
  SetDlgItemTextW(GetWindow(), kAppointmentSecondReminderTime, text.c_str());
}

bool AppointmentPage::Store(CloseAction) {
  CPIMAppointment& appointment = Appointment();
  std::u16string subject = WindowText(Control(kAppointmentSubject)).substr(0, kSubjectChars);
  if (subject == ResourceText(Resources(), kStringSubjectPlaceholder)) subject.clear();
  appointment.subject = subject;
  HWND location = Control(kAppointmentLocation);
  appointment.location = WindowText(location).substr(0, kLocationChars);
  SaveLocationHistory(location);
  appointment.isPrivate = Checked(GetWindow(), kAppointmentPrivate);
  LRESULT busy = SendMessageW(Control(kAppointmentBusyStatus), CB_GETCURSEL, 0, 0);
  if (busy >= 0) appointment.busyStatus = static_cast<LONG>(busy);
  StoreReminder(appointment);
  if (appointment.allDay) {
    appointment.start = AtTime(appointment.start, 0, 0);
    appointment.end = AtTime(appointment.end, 0, 1);
  }
  if (context_->editValue) MoveOntoTemplateDay(&appointment.start, &appointment.end, appointment.allDay);
  appointment.duration = MinutesBetween(appointment.start, appointment.end);
  return true;
}

void AppointmentPage::StoreReminder(CPIMAppointment& appointment) {
  appointment.reminderSet = Checked(GetWindow(), kAppointmentReminder);
  LRESULT unit = SendMessageW(Control(kAppointmentReminderUnit), CB_GETCURSEL, 0, 0);
  LONG unitMinutes =
      unit >= 0 && static_cast<size_t>(unit) < std::size(kLeadUnits) ? kLeadUnits[unit].minutes : 1;
  BOOL valid = FALSE;
  UINT lead = GetDlgItemInt(GetWindow(), kAppointmentReminderLead, &valid, FALSE);
  appointment.reminderMinutes = valid ? static_cast<LONG>(lead) * unitMinutes : 0;
}

void AppointmentPage::Reset(CloseAction) {
  if (!GetWindow()) return;
  for (int id : {kAppointmentBusyStatus, kAppointmentLocation, kAppointmentReminderUnit}) {
    SendMessageW(Control(id), CB_RESETCONTENT, 0, 0);
  }
  for (int id : {kAppointmentSubject, kAppointmentLocation, kAppointmentSecondReminderTime}) {
    SetDlgItemTextW(GetWindow(), id, u"");
  }
  timesBeforeAllDay_.reset();
  locationFocused_ = false;
  chosenIcon_.reset();
  icon_.Release();
}

bool AppointmentPage::WriteAfterSave(ItemOid saved) {
  return !chosenIcon_ || Host().SetItemIcon(saved, *chosenIcon_);
}

INT_PTR AppointmentPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && Command(LOWORD(wParam), HIWORD(wParam))) return TRUE;
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == DTN_DATETIMECHANGE) {
      DateChanged(static_cast<int>(header->idFrom));
      return TRUE;
    }
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

bool AppointmentPage::Command(int id, int code) {
  if (id == kAppointmentSubject && code == EN_SETFOCUS) locationFocused_ = false;
  if (id == kAppointmentLocation && code == CBN_SETFOCUS) locationFocused_ = true;
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kAppointmentStartTime:
    case kAppointmentEndTime:
      PickStartOrEnd(id);
      return true;
    case kAppointmentDuration:
      PickDurationFor();
      return true;
    case kAppointmentAllDay:
      SwitchAllDay();
      return true;
    case kAppointmentReminder: {
      bool on = Checked(GetWindow(), kAppointmentReminder);
      EnableWindow(Control(kAppointmentReminderLead), on);
      EnableWindow(Control(kAppointmentReminderUnit), on);
      return true;
    }
    case kAppointmentLocationButton:
      ChooseLocation();
      return true;
    case kAppointmentSecondReminder:
      EditSecondReminder();
      return true;
    case kAppointmentIcon:
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
      return false;
  }
}

void AppointmentPage::DateChanged(int id) {
  if (id != kAppointmentStartDate && id != kAppointmentEndDate) return;
  SYSTEMTIME picked{};
  if (DateTime_GetSystemtime(Control(id), &picked) != GDT_VALID) return;
  const CPIMAppointment& appointment = Appointment();
  if (id == kAppointmentStartDate) {
    SetStart(OnDayOf(picked, appointment.start));
  } else {
    SetEnd(OnDayOf(picked, appointment.end));
  }
}

void AppointmentPage::PickStartOrEnd(int id) {
  const CPIMAppointment& appointment = Appointment();
  SYSTEMTIME time = id == kAppointmentStartTime ? appointment.start : appointment.end;
  if (!PickTime(GetWindow(), Resources(), &time)) return;
  if (id == kAppointmentStartTime) {
    SetStart(time);
  } else {
    SetEnd(time);
  }
}

// The end follows the start by the duration.
void AppointmentPage::SetStart(const SYSTEMTIME& start) {
  CPIMAppointment& appointment = Appointment();
  appointment.start = start;
  appointment.end = PlusMinutes(start, appointment.duration);
  if (appointment.oid == 0) appointment.occurrenceDate = start;
  ShowTimes();
}

void AppointmentPage::SetEnd(const SYSTEMTIME& end) {
  CPIMAppointment& appointment = Appointment();
  appointment.end = end;
  appointment.duration = MinutesBetween(appointment.start, end);
  ShowTimes();
}

void AppointmentPage::PickDurationFor() {
  CPIMAppointment& appointment = Appointment();
  std::optional<LONG> duration = PickDuration(GetWindow(), Resources(), appointment.duration);
  if (!duration) return;
  appointment.duration = *duration;
  appointment.end = PlusMinutes(appointment.start, *duration);
  ShowTimes();
}

void AppointmentPage::SwitchAllDay() {
  CPIMAppointment& appointment = Appointment();
  bool on = Checked(GetWindow(), kAppointmentAllDay);
  if (on && appointment.meeting) {
    Check(GetWindow(), kAppointmentAllDay, false);
    MessageBoxW(GetWindow(), ResourceText(Resources(), kStringAllDayWhileMeeting).c_str(),
                ResourceText(Resources(), kStringCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (on) {
    timesBeforeAllDay_ = std::pair(appointment.start, appointment.end);
    appointment.start = AtTime(appointment.start, 0, 0);
    appointment.end = AtTime(appointment.end, 0, 1);
  } else if (timesBeforeAllDay_) {
    appointment.start = OnDayOf(appointment.start, timesBeforeAllDay_->first);
    appointment.end = OnDayOf(appointment.end, timesBeforeAllDay_->second);
    timesBeforeAllDay_.reset();
  } else {
    appointment.start = AtTime(appointment.start, kWorkdayStartHour, 0);
    appointment.end = OnDayOf(appointment.end, PlusMinutes(appointment.start, kDefaultDuration));
  }
  appointment.allDay = on;
  appointment.duration = MinutesBetween(appointment.start, appointment.end);
  ArrangeDateControls(appointment);
  ShowTimes();
}

void AppointmentPage::ChooseLocation() {
  HWND location = Control(kAppointmentLocation);
  std::u16string text = WindowText(location);
  std::optional<std::u16string> chosen = RunLocationDialog(GetWindow(), Resources());
  LoadLocationHistory(location);
  SetWindowTextW(location, chosen ? chosen->substr(0, kLocationChars).c_str() : text.c_str());
}

void AppointmentPage::EditSecondReminder() {
  CPIMAppointment* second = context_->secondAppointment;
  if (!second) return;
  const CPIMAppointment& appointment = Appointment();
  SYSTEMTIME time = PrepareSecondReminder(*second, appointment);
  if (EditSecondReminderTime(GetWindow(), Resources(), appointment.start, &time, *second))
    ShowSecondReminder();
}

void AppointmentPage::SaveAsTemplate() {
  Store(CloseAction::Copy);
  CloseAsTemplate(Appointment().subject);
}

// The template's times of day and length come onto the day the page shows; a subject the person
// typed stays.
void AppointmentPage::ApplyTemplate() {
  std::u16string subject = WindowText(Control(kAppointmentSubject)).substr(0, kSubjectChars);
  CPIMAppointment& appointment = Appointment();
  SYSTEMTIME day = appointment.start;
  if (!Host().ApplyTemplate(GetWindow(), appointment, day)) return;
  if (!subject.empty() && subject != ResourceText(Resources(), kStringSubjectPlaceholder))
    appointment.subject = subject;
  Reset(CloseAction::None);
  LoadNow();
}

void AppointmentPage::InsertPhrase() {
  std::optional<std::u16string> text =
      Host().SelectPhrase(GetWindow(), locationFocused_ ? kPhrasesForLocation : kPhrasesForSubject);
  if (!text) return;
  if (locationFocused_) {
    SetWindowTextW(Control(kAppointmentLocation), text->substr(0, kLocationChars).c_str());
  } else {
    SendMessageW(Control(kAppointmentSubject), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
  }
}

void AppointmentPage::InsertContact() {
  std::optional<ChosenContact> contact = ChooseContact(GetWindow(), Resources());
  if (!contact) return;
  if (locationFocused_) {
    SetWindowTextW(Control(kAppointmentLocation), contact->name.substr(0, kLocationChars).c_str());
  } else {
    std::u16string text = u" @ " + contact->name;
    SendMessageW(Control(kAppointmentSubject), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

}  // namespace calyra
