#include "store/CPIMAppointment.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/outlook/OutlookDates.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/UserAgent.h"
#include "resources/ResourceIds.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/ItemConversion.h"
#include "store/OutlookSession.h"
#include "store/PimDatabase.h"
#include "store/StoreTransaction.h"

namespace calyra {

namespace {

// An end within a second after midnight counts as that midnight.
constexpr DATE kWholeDayTolerance = 1.0 / 86400;

bool Flag(VARIANT_BOOL value) {
  return value != VARIANT_FALSE;
}

VARIANT_BOOL Bool(bool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

int Failed(HRESULT result) {
  return FAILED(result) ? 1 : 0;
}

int Ask(const ItemContext& context, UINT text, UINT flags) {
  return MessageBoxW(context.owner, ResourceText(context.resources, text).c_str(),
                     ResourceText(context.resources, resources::kStringCaption).c_str(), flags);
}

DATE DateOf(IAppointment* item, HRESULT (IAppointment::*getter)(DATE*)) {
  DATE date = platform::kNoDate;
  return SUCCEEDED((item->*getter)(&date)) ? date : platform::kNoDate;
}

LONG NumberOf(IAppointment* item, HRESULT (IAppointment::*getter)(LONG*)) {
  LONG number = 0;
  return SUCCEEDED((item->*getter)(&number)) ? number : -1;
}

bool FlagOf(IAppointment* item, HRESULT (IAppointment::*getter)(VARIANT_BOOL*)) {
  VARIANT_BOOL value = VARIANT_FALSE;
  return SUCCEEDED((item->*getter)(&value)) && Flag(value);
}

// Writes a text property when it differs; 1 for a failed write.
int WriteText(IAppointment* item, HRESULT (IAppointment::*getter)(BSTR*),
              HRESULT (IAppointment::*setter)(BSTR), const std::u16string& wanted) {
  if (ReadText(item, getter) == wanted) return 0;
  BSTR text = SysAllocString(wanted.c_str());
  int failed = Failed((item->*setter)(text));
  SysFreeString(text);
  return failed;
}

std::u16string CutAttendeeText(std::u16string text) {
  if (text.size() > CPIMAppointment::kAttendeeTextCapacity)
    text.resize(CPIMAppointment::kAttendeeTextCapacity);
  return text;
}

std::vector<Attendee> ReadAttendees(IAppointment* item) {
  std::vector<Attendee> attendees;
  platform::ComPtr<IRecipients> recipients;
  int count = 0;
  if (FAILED(item->get_Recipients(&recipients)) || !recipients || FAILED(recipients->get_Count(&count)))
    return attendees;
  for (int index = 1; index <= count; ++index) {
    platform::ComPtr<IRecipient> recipient;
    if (FAILED(recipients->Item(index, &recipient)) || !recipient) continue;
    attendees.push_back({CutAttendeeText(ReadText(recipient.Get(), &IRecipient::get_Name)),
                         CutAttendeeText(ReadText(recipient.Get(), &IRecipient::get_Address))});
  }
  return attendees;
}

// Replaces the item's recipients by the attendees; the meeting status follows whether any are left.
// An attendee without a name is invited under its address; one with neither is nobody.
bool WriteAttendees(IAppointment* item, const std::vector<Attendee>& attendees) {
  platform::ComPtr<IRecipients> recipients;
  int count = 0;
  if (FAILED(item->get_Recipients(&recipients)) || !recipients || FAILED(recipients->get_Count(&count)))
    return false;
  for (int index = count; index >= 1; --index) {
    if (FAILED(recipients->Remove(index))) return false;
  }
  int written = 0;
  for (const Attendee& attendee : attendees) {
    std::u16string name = CutAttendeeText(attendee.name.empty() ? attendee.email : attendee.name);
    if (name.empty()) continue;
    BSTR text = SysAllocString(name.c_str());
    platform::ComPtr<IRecipient> recipient;
    HRESULT added = recipients->Add(text, &recipient);
    SysFreeString(text);
    if (FAILED(added) || !recipient) return false;
    BSTR address = SysAllocString(CutAttendeeText(attendee.email).c_str());
    HRESULT put = recipient->put_Address(address);
    SysFreeString(address);
    if (FAILED(put)) return false;
    ++written;
  }
  return SUCCEEDED(item->put_MeetingStatus(written > 0 ? olMeeting : olNonMeeting));
}

// The semi-monthly fields as one property value, and back; 0 for a pattern of another kind.
DWORD SemiMonthlyValue(bool recurring, const RecurrencePattern& pattern) {
  if (!recurring || !pattern.semiMonthly.present) return 0;
  return static_cast<DWORD>(pattern.semiMonthly.flags & 0xFFFF) |
         static_cast<DWORD>(pattern.semiMonthly.weekdayMask & 0x7F) << 16;
}

// Pocket Outlook keeps a semi-monthly series as daily every 7 days; any other pattern means the
// property is stale.
RecurrencePattern::SemiMonthly SemiMonthlyOf(DWORD value, const RecurrencePattern& pattern) {
  if (value == 0 || pattern.type != olRecursDaily || pattern.interval != 7) return {};
  return {true, static_cast<LONG>(value & 0xFFFF), static_cast<LONG>(value >> 16 & 0x7F)};
}

ItemOid OidOf(IAppointment* item) {
  LONG oid = 0;
  item->get_Oid(&oid);
  return static_cast<ItemOid>(oid);
}

}  // namespace

void CPIMAppointment::Reset() {
  ResetCommon();
  recurring = false;
  recurrence = RecurrencePattern();
  recurrencePatch = false;
  occurrenceDate = platform::kNoDateSystemTime;
  GetLocalTime(&start);
  start.wHour = 12;
  start.wMinute = start.wSecond = start.wMilliseconds = 0;
  end = start;
  end.wHour = 13;
  reminderSet = true;
  isPrivate = allDay = meeting = attendeesChanged = false;
  duration = 60;
  reminderMinutes = 15;
  busyStatus = olBusy;
  subject.clear();
  location.clear();
  categoriesText.clear();
  attendees.clear();
  openScope = kOpenAsk;
  seriesRecurring = openedOccurrence = false;
  seriesOid = 0;
  companionFlag = 1;
  companionOid = 0;
  notesText.reset();
  reminderMarks = SecondReminderMarks();
  storedCompanion_ = {1, 0};
  loadedOid_ = 0;
  storedSemiMonthly_ = 0;
}

platform::ComPtr<IAppointment> CPIMAppointment::Fetch(OutlookSession& session, ItemOid item) const {
  return item ? session.GetItem<IAppointment>(item, IID_IAppointment) : session.NewAppointment();
}

bool CPIMAppointment::ChooseOccurrence(IAppointment* series, const ItemContext& context,
                                       platform::ComPtr<IAppointment>& chosen) {
  if (openScope == kOpenNotRecurring) return false;
  if (!platform::IsDateSet(occurrenceDate)) GetLocalTime(&occurrenceDate);
  bool openOccurrence = openScope == kOpenOccurrence;
  if (openScope == kOpenAsk) {
    int answer = Ask(context, resources::kStringRecurringQuestion, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return false;
    openOccurrence = answer == IDYES;
  }
  platform::ComPtr<IRecurrencePattern> pattern;
  if (FAILED(series->GetRecurrencePattern(&pattern)) || !ReadRecurrencePattern(pattern.Get(), &recurrence))
    return false;
  if (!openOccurrence) return true;
  platform::ComPtr<IAppointment> occurrence;
  SYSTEMTIME day = occurrenceDate;
  day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
  if (FAILED(pattern->GetOccurrence(DateOfSystemTime(day), &occurrence)) || !occurrence) return false;
  openedOccurrence = true;
  seriesOid = oid;
  if (ItemOid own = OidOf(occurrence.Get())) oid = own;
  chosen = occurrence;
  return true;
}

void CPIMAppointment::ReadFields(IAppointment* item, const ItemContext& context) {
  subject = ReadText(item, &IAppointment::get_Subject);
  if (subject.empty()) subject = ResourceText(context.resources, resources::kStringNoSubject);
  location = ReadText(item, &IAppointment::get_Location);
  categoriesText = ReadText(item, &IAppointment::get_Categories);
  busyStatus = NumberOf(item, &IAppointment::get_BusyStatus);
  meeting = NumberOf(item, &IAppointment::get_MeetingStatus) == olMeeting;
  reminderSet = FlagOf(item, &IAppointment::get_ReminderSet);
  allDay = FlagOf(item, &IAppointment::get_AllDayEvent);
  isPrivate = NumberOf(item, &IAppointment::get_Sensitivity) != olNormal;
  start = SystemTimeOfDate(DateOf(item, &IAppointment::get_Start));
  end = SystemTimeOfDate(DateOf(item, &IAppointment::get_End));
  reminderMinutes = NumberOf(item, &IAppointment::get_ReminderMinutesBeforeStart);
  duration = NumberOf(item, &IAppointment::get_Duration);
  attendees = ReadAttendees(item);
}

bool CPIMAppointment::Load(const ItemContext& context) {
  OutlookSession session;
  if (!oid || !session.Logon(context.owner)) return false;
  std::optional<StoreTransaction> step(std::in_place, StoreTransaction::Kind::Read);
  platform::ComPtr<IAppointment> item = Fetch(session, oid);
  if (!item) return false;
  seriesRecurring = recurring = FlagOf(item.Get(), &IAppointment::get_IsRecurring);
  openedOccurrence = false;
  platform::ComPtr<IAppointment> chosen = item;
  if (recurring) {
    if (openScope == kOpenAsk) step.reset();  // no store step waits for the person
    if (!ChooseOccurrence(item.Get(), context, chosen)) return false;
    if (!step) step.emplace(StoreTransaction::Kind::Read);
  }
  ReadFields(chosen.Get(), context);
  // The raw properties in one read: the category set and the companion.
  Record record;
  Database appointments;
  record.Request(kCategoriesTag);
  record.Request(kCompanionFlag);
  record.Request(kCompanionOid);
  record.Request(kSemiMonthlyTag);
  if (!appointments.OpenByName(AppointmentsDatabaseName()) || !appointments.SeekToOid(oid) ||
      !appointments.ReadRecord(record)) {
    record = Record();
  }
  categories = CategorySet::FromRecord(record);
  companionFlag =
      record.Find(kCompanionFlag) ? static_cast<WORD>(record.Find(kCompanionFlag)->AsInteger()) : 1;
  companionOid =
      record.Find(kCompanionOid) ? static_cast<ItemOid>(record.Find(kCompanionOid)->AsInteger()) : 0;
  storedCompanion_ = {companionFlag, companionOid};
  const PropertyValue* semiMonthly = record.Find(kSemiMonthlyTag);
  storedSemiMonthly_ = semiMonthly ? static_cast<DWORD>(semiMonthly->AsInteger()) : 0;
  if (recurring && !openedOccurrence) recurrence.semiMonthly = SemiMonthlyOf(storedSemiMonthly_, recurrence);
  loadedOid_ = oid;
  loaded = true;
  return true;
}

bool CPIMAppointment::RewritesPattern(IAppointment* item, bool* losesExceptions) const {
  *losesExceptions = false;
  bool itemRecurring = FlagOf(item, &IAppointment::get_IsRecurring);
  if (!recurring && !itemRecurring) return false;
  platform::ComPtr<IRecurrencePattern> pattern;
  if (!itemRecurring || FAILED(item->GetRecurrencePattern(&pattern))) return true;
  RecurrencePattern stored;
  bool read = ReadRecurrencePattern(pattern.Get(), &stored);
  stored.semiMonthly = recurrence.semiMonthly;  // kept in its own property, not Pocket Outlook's
  if (recurring && read && stored == recurrence) return false;
  platform::ComPtr<IExceptions> exceptions;
  int count = 0;
  *losesExceptions = SUCCEEDED(pattern->get_Exceptions(&exceptions)) && exceptions &&
                     SUCCEEDED(exceptions->get_Count(&count)) && count > 0;
  return true;
}

HRESULT CPIMAppointment::WriteRecurrence(IAppointment* item) {
  if (!recurring) return item->ClearRecurrencePattern();
  platform::ComPtr<IRecurrencePattern> pattern;
  if (FAILED(item->GetRecurrencePattern(&pattern)) || !WriteRecurrencePattern(pattern.Get(), recurrence))
    return E_FAIL;
  return S_OK;
}

bool CPIMAppointment::TimesDiffer(IAppointment* item) const {
  return DateOf(item, &IAppointment::get_Start) != DateOfSystemTime(start) ||
         DateOf(item, &IAppointment::get_End) != StoredEnd();
}

DATE CPIMAppointment::StoredEnd() const {
  DATE stored = DateOfSystemTime(end);
  if (!allDay) return stored;
  DATE firstDay = std::floor(DateOfSystemTime(start));
  return std::max(firstDay + 1, std::ceil(stored - kWholeDayTolerance));
}

int CPIMAppointment::WriteChanges(IAppointment* item) {
  int failures = WriteText(item, &IAppointment::get_Subject, &IAppointment::put_Subject, subject);
  failures += WriteText(item, &IAppointment::get_Location, &IAppointment::put_Location, location);
  failures += WriteText(item, &IAppointment::get_Categories, &IAppointment::put_Categories, categoriesText);
  if (FlagOf(item, &IAppointment::get_AllDayEvent) != allDay)
    failures += Failed(item->put_AllDayEvent(Bool(allDay)));
  if (NumberOf(item, &IAppointment::get_BusyStatus) != busyStatus)
    failures += Failed(item->put_BusyStatus(busyStatus));
  LONG sensitivity = isPrivate ? olPrivate : olNormal;
  if (NumberOf(item, &IAppointment::get_Sensitivity) != sensitivity) {
    failures += Failed(item->put_Sensitivity(sensitivity));
  }
  if (FlagOf(item, &IAppointment::get_ReminderSet) != reminderSet) {
    failures += Failed(item->put_ReminderSet(Bool(reminderSet)));
  }
  if (DateOf(item, &IAppointment::get_Start) != DateOfSystemTime(start))
    failures += Failed(item->put_Start(DateOfSystemTime(start)));
  if (DateOf(item, &IAppointment::get_End) != StoredEnd()) failures += Failed(item->put_End(StoredEnd()));
  if (NumberOf(item, &IAppointment::get_ReminderMinutesBeforeStart) != reminderMinutes) {
    failures += Failed(item->put_ReminderMinutesBeforeStart(reminderMinutes));
  }
  if (notesText) failures += WriteText(item, &IAppointment::get_Body, &IAppointment::put_Body, *notesText);
  return failures;
}

bool CPIMAppointment::WriteCompanion() const {
  Database appointments;
  if (!appointments.OpenByName(AppointmentsDatabaseName()) || !appointments.SeekToOid(oid)) return false;
  Record record(oid);
  if (companionOid == 0 && companionFlag == 1) {
    record.Set(PropertyValue::Deletion(kCompanionFlag));
    record.Set(PropertyValue::Deletion(kCompanionOid));
  } else {
    record.Set(PropertyValue::Integer(kCompanionFlag, companionFlag));
    record.Set(PropertyValue::Integer(kCompanionOid, companionOid));
  }
  return appointments.WriteRecord(record);
}

bool CPIMAppointment::WriteSemiMonthly(bool created) {
  if (openedOccurrence) return true;  // an occurrence saved alone keeps the series' pattern
  DWORD value = SemiMonthlyValue(recurring, recurrence);
  DWORD stored = created || oid != loadedOid_ ? 0 : storedSemiMonthly_;
  if (value == stored) {
    storedSemiMonthly_ = value;
    return true;
  }
  Database appointments;
  if (!appointments.OpenByName(AppointmentsDatabaseName()) || !appointments.SeekToOid(oid)) return false;
  Record record(oid);
  record.Set(value ? PropertyValue::Integer(kSemiMonthlyTag, value)
                   : PropertyValue::Deletion(kSemiMonthlyTag));
  if (!appointments.WriteRecord(record)) return false;
  storedSemiMonthly_ = value;
  return true;
}

platform::ComPtr<IAppointment> CPIMAppointment::FetchSaved(OutlookSession& session) const {
  platform::ComPtr<IAppointment> item = Fetch(session, openedOccurrence ? seriesOid : oid);
  if (!item || !openedOccurrence) return item;
  platform::ComPtr<IRecurrencePattern> pattern;
  platform::ComPtr<IAppointment> occurrence;
  SYSTEMTIME day = occurrenceDate;
  day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
  if (FAILED(item->GetRecurrencePattern(&pattern)) ||
      FAILED(pattern->GetOccurrence(DateOfSystemTime(day), &occurrence))) {
    return nullptr;
  }
  return occurrence;
}

HRESULT CPIMAppointment::WriteAppointment(IAppointment* item, bool rewritePattern, bool sendUpdate,
                                          const ItemContext& context) {
  bool created = oid == 0;
  if (rewritePattern && FAILED(WriteRecurrence(item))) return E_FAIL;
  if (WriteChanges(item) > 0 || (attendeesChanged && !WriteAttendees(item, attendees))) return E_FAIL;
  if (subject.empty())
    WriteText(item, &IAppointment::get_Subject, &IAppointment::put_Subject,
              ResourceText(context.resources, resources::kStringNoSubject));
  HRESULT result = sendUpdate ? item->Send() : item->Save();
  if (FAILED(result)) return result;
  oid = OidOf(item);
  // The companion is written only when it differs from the record's (a new record has none).
  bool unchanged =
      std::pair(companionFlag, companionOid) == storedCompanion_ && (created || oid == loadedOid_);
  bool companion = unchanged || WriteCompanion();
  // A record this save made holds no category set yet.
  auto saveCategories = created ? SaveNewCategorySet : SaveCategorySet;
  if (!saveCategories(oid, ItemKind::Appointment, categories, context.categoryCounts) || !companion ||
      !WriteNotes()) {
    return E_FAIL;
  }
  if (!WriteSemiMonthly(created)) return E_FAIL;
  storedCompanion_ = {companionFlag, companionOid};
  loadedOid_ = oid;
  if (recurrencePatch && recurring) PatchRecurrenceBlob();
  return result;
}

HRESULT CPIMAppointment::Save(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return E_FAIL;
  subject = subject.substr(0, kSubjectCapacity);
  location = location.substr(0, kLocationCapacity);
  ItemOid before = oid;
  platform::ComPtr<IAppointment> item = FetchSaved(session);
  if (!item) return E_FAIL;
  // The questions come before the store step: nothing waits for the person while holding the
  // device's write lock.
  bool losesExceptions = false;
  bool rewritePattern = !openedOccurrence && RewritesPattern(item.Get(), &losesExceptions);
  if (losesExceptions &&
      Ask(context, resources::kStringExceptionsLost, MB_OKCANCEL | MB_ICONINFORMATION) == IDCANCEL)
    return S_FALSE;
  bool sendUpdate = meeting && (attendeesChanged || TimesDiffer(item.Get())) &&
                    Ask(context, resources::kStringMeetingUpdate, MB_YESNO | MB_ICONQUESTION) == IDYES;
  StoreTransaction step(StoreTransaction::Kind::Write);
  if (!step.Active()) return E_FAIL;
  HRESULT result = WriteAppointment(item.Get(), rewritePattern, sendUpdate, context);
  if (FAILED(result) || !step.Commit()) {
    oid = before;
    return FAILED(result) ? result : E_FAIL;
  }
  if (!openedOccurrence) seriesRecurring = recurring;
  attendeesChanged = false;
  if (before && oid != before && identityChanged) identityChanged(before, oid);
  return result;
}

DWORD CPIMAppointment::NotesCapacity() const {
  std::vector<BYTE> blob;
  if (!oid || !seriesRecurring ||
      !ReadPimProperty(openedOccurrence ? seriesOid : oid, ItemKind::Appointment, kRecurrenceBlobTag,
                       &blob)) {
    return kNotesCapacity;
  }
  return blob.size() >= kNotesCapacity ? 0 : kNotesCapacity - static_cast<DWORD>(blob.size());
}

bool CPIMAppointment::Delete(const ItemContext& context) {
  OutlookSession session;
  if (!session.Logon(context.owner)) return false;
  StoreTransaction step(StoreTransaction::Kind::Write);
  platform::ComPtr<IAppointment> item = Fetch(session, oid);
  if (!oid || !item) return false;
  LeaveCategories();
  if (FAILED(item->Delete()) || !step.Commit()) return false;
  Reset();
  return true;
}

ItemOid CPIMAppointment::Copy(const ItemContext& context) {
  OutlookSession session;
  if (!oid || !session.Logon(context.owner)) return 0;
  StoreTransaction step(StoreTransaction::Kind::Write);
  platform::ComPtr<IAppointment> source = Fetch(session, oid);
  platform::ComPtr<IAppointment> copy;
  if (!source || FAILED(source->Copy(&copy)) || !copy || FAILED(copy->Save())) return 0;
  ItemOid target = OidOf(copy.Get());
  return CopyRawTo(target, ItemKind::Appointment) && step.Commit() ? target : 0;
}

ItemOid CPIMAppointment::Convert(const ItemContext& context) {
  OutlookSession session;
  if (!oid || !session.Logon(context.owner)) return 0;
  platform::ComPtr<ITask> task = session.NewTask();
  if (!Fetch(session, openedOccurrence ? seriesOid : oid) || !task) return 0;
  DATE now = platform::outlook::NowLocal();
  task->put_StartDate(now);
  task->put_DueDate(now);
  return SaveConversion(task.Get(), ItemKind::Task, *this, subject, isPrivate,
                        recurring ? &recurrence : nullptr, now);
}

bool CPIMAppointment::Show(const ItemContext& context) {
  OutlookSession session;
  if (!oid || !session.Logon(context.owner)) return false;
  platform::ComPtr<IAppointment> item = Fetch(session, oid);
  return item && SUCCEEDED(item->Display()) && SUCCEEDED(item->Save());
}

HRESULT CPIMAppointment::SendByInfrared(const ItemContext& context) {
  OutlookSession session;
  if (!oid || !session.Logon(context.owner)) return E_FAIL;
  platform::ComPtr<IAppointment> item = Fetch(session, oid);
  return item ? session.SendByInfrared(item.Get()) : E_FAIL;
}

}  // namespace calyra
