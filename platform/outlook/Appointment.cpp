#include "platform/outlook/Appointment.h"

#include <algorithm>
#include <cmath>

#include "platform/outlook/Outbox.h"
#include "platform/outlook/OutlookDates.h"

namespace platform::outlook {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

LONG MinutesBetween(DATE start, DATE end) {
  return static_cast<LONG>(std::lround((end - start) * 1440.0));
}

std::vector<std::u16string> RecipientTexts(const std::vector<Recipient>& list) {
  std::vector<std::u16string> texts;
  for (const Recipient& r : list)
    texts.push_back(r.address.empty() ? r.name : r.name + u" <" + r.address + u">");
  return texts;
}

}  // namespace

AppointmentItem* AppointmentItem::New() {
  auto* item = new AppointmentItem();
  // The next whole hour, one hour long.
  DATE now = NowLocal();
  item->start_ = DayOf(now) + std::ceil((now - DayOf(now)) * 24.0 - 1e-9) / 24.0;
  item->end_ = item->start_ + 60 * kMinute;
  return item;
}

AppointmentItem* AppointmentItem::FromRecord(CEOID oid, const PropertyMap& properties) {
  auto* item = new AppointmentItem();
  item->oid_ = oid;
  auto text = [&](CEPROPID tag) {
    auto found = properties.find(tag);
    return found == properties.end() ? std::u16string() : found->second.text;
  };
  auto number = [&](CEPROPID tag, LONG fallback) {
    auto found = properties.find(tag);
    return found == properties.end() ? fallback : static_cast<LONG>(found->second.number);
  };
  auto time = [&](CEPROPID tag) -> std::optional<int64_t> {
    auto found = properties.find(tag);
    if (found == properties.end()) return std::nullopt;
    return found->second.ticks;
  };
  item->subject_ = text(kPropSubject);
  item->location_ = text(kPropLocation);
  item->categories_ = text(kPropCategoriesText);
  item->body_ = text(kPropBodyText);
  item->allDay_ = number(kPropAllDay, 0) == 1;
  auto local = [&](int64_t ticks) {
    return item->allDay_ ? DateOfFloatingTicks(ticks) : LocalOfUtcTicks(ticks);
  };
  if (auto start = time(kPropAppointmentStart)) item->start_ = local(*start);
  item->end_ = item->start_;
  if (auto end = time(kPropAppointmentEnd)) item->end_ = std::max(local(*end), item->start_);
  item->busyStatus_ = number(kPropBusyStatus, 2);
  item->sensitivity_ = number(kPropAppointmentSensitivity, 0);
  item->reminderSet_ = number(kPropAppointmentReminderSet, 0) != 0;
  item->reminderMinutes_ = number(kPropReminderMinutes, 15);
  item->meetingStatus_ = number(kPropMeetingStatus, 0);
  if (auto found = properties.find(kPropAttendees); found != properties.end())
    *item->recipients_ = DecodeRecipients(found->second.blob);
  item->recurrence_ = RecurrenceOf(properties);
  item->seriesOid_ = static_cast<CEOID>(number(kPropExceptionOf, 0));
  if (auto original = time(kPropExceptionOriginalDate)) item->originalDate_ = DateOfFloatingTicks(*original);
  if (item->seriesOid_ != 0) item->recurrence_.reset();
  if (auto found = properties.find(kPropNotesBlob); found != properties.end())
    item->carried_[kPropNotesBlob] = found->second;
  return item;
}

HRESULT AppointmentItem::QueryInterface(REFIID iid, void** object) {
  bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAppointment;
  return AnswerInterface(object, match ? static_cast<IAppointment*>(this) : nullptr);
}

HRESULT AppointmentItem::get_Oid(LONG* oid) {
  return ReturnValue(oid_, oid);
}
HRESULT AppointmentItem::get_Subject(BSTR* text) {
  return ReturnText(subject_, text);
}
HRESULT AppointmentItem::put_Subject(BSTR text) {
  subject_ = TextOf(text);
  return S_OK;
}
HRESULT AppointmentItem::get_Location(BSTR* text) {
  return ReturnText(location_, text);
}
HRESULT AppointmentItem::put_Location(BSTR text) {
  location_ = TextOf(text);
  return S_OK;
}
HRESULT AppointmentItem::get_Start(DATE* start) {
  return ReturnValue(start_, start);
}
HRESULT AppointmentItem::put_Start(DATE start) {
  // The duration stays.
  if (!HasDate(start)) return E_INVALIDARG;
  DATE length = end_ - start_;
  start_ = allDay_ ? DayOf(start) : start;
  end_ = start_ + length;
  return S_OK;
}
HRESULT AppointmentItem::get_End(DATE* end) {
  return ReturnValue(end_, end);
}
HRESULT AppointmentItem::put_End(DATE end) {
  if (!HasDate(end) || end < start_) return E_INVALIDARG;
  end_ = end;
  return S_OK;
}
HRESULT AppointmentItem::get_Duration(LONG* minutes) {
  return ReturnValue(MinutesBetween(start_, end_), minutes);
}
HRESULT AppointmentItem::put_Duration(LONG minutes) {
  if (minutes < 0) return E_INVALIDARG;
  end_ = start_ + minutes * kMinute;
  return S_OK;
}
HRESULT AppointmentItem::get_AllDayEvent(VARIANT_BOOL* allDay) {
  return ReturnBool(allDay_, allDay);
}
HRESULT AppointmentItem::put_AllDayEvent(VARIANT_BOOL allDay) {
  // An all-day event runs from midnight to midnight of whole days.
  allDay_ = allDay != VARIANT_FALSE;
  if (allDay_) {
    LONG days = std::max<LONG>(1, static_cast<LONG>(std::ceil(end_ - DayOf(start_) - 1e-9)));
    start_ = DayOf(start_);
    end_ = start_ + days;
  }
  return S_OK;
}
HRESULT AppointmentItem::get_BusyStatus(LONG* status) {
  return ReturnValue(busyStatus_, status);
}
HRESULT AppointmentItem::put_BusyStatus(LONG status) {
  if (status < olFree || status > olOutOfOffice) return E_INVALIDARG;
  busyStatus_ = status;
  return S_OK;
}
HRESULT AppointmentItem::get_Sensitivity(LONG* sensitivity) {
  return ReturnValue(sensitivity_, sensitivity);
}
HRESULT AppointmentItem::put_Sensitivity(LONG sensitivity) {
  if (sensitivity < olNormal || sensitivity > olConfidential) return E_INVALIDARG;
  sensitivity_ = sensitivity;
  return S_OK;
}
HRESULT AppointmentItem::get_ReminderSet(VARIANT_BOOL* set) {
  return ReturnBool(reminderSet_, set);
}
HRESULT AppointmentItem::put_ReminderSet(VARIANT_BOOL set) {
  reminderSet_ = set != VARIANT_FALSE;
  return S_OK;
}
HRESULT AppointmentItem::get_ReminderMinutesBeforeStart(LONG* minutes) {
  return ReturnValue(reminderMinutes_, minutes);
}
HRESULT AppointmentItem::put_ReminderMinutesBeforeStart(LONG minutes) {
  if (minutes < 0) return E_INVALIDARG;
  reminderMinutes_ = minutes;
  return S_OK;
}
HRESULT AppointmentItem::get_MeetingStatus(LONG* status) {
  return ReturnValue(meetingStatus_, status);
}
HRESULT AppointmentItem::put_MeetingStatus(LONG status) {
  if (status != olNonMeeting && status != olMeeting) return E_INVALIDARG;
  meetingStatus_ = status;
  return S_OK;
}
HRESULT AppointmentItem::get_Categories(BSTR* text) {
  return ReturnText(categories_, text);
}
HRESULT AppointmentItem::put_Categories(BSTR text) {
  categories_ = TextOf(text);
  return S_OK;
}
HRESULT AppointmentItem::get_Body(BSTR* text) {
  return ReturnText(body_, text);
}
HRESULT AppointmentItem::put_Body(BSTR text) {
  body_ = TextOf(text);
  return S_OK;
}

HRESULT AppointmentItem::get_IsRecurring(VARIANT_BOOL* recurring) {
  return ReturnBool(IsOccurrence() || recurrence_.has_value(), recurring);
}

HRESULT AppointmentItem::GetRecurrencePattern(IRecurrencePattern** pattern) {
  if (pattern == nullptr) return E_POINTER;
  *pattern = nullptr;
  if (IsOccurrence() || deleted_) return E_FAIL;
  if (!recurrence_) {
    recurrence_ = DefaultRecurrence(start_);
    patternChanged_ = true;
  }
  *pattern = NewRecurrencePattern(static_cast<IAppointment*>(this), this);
  return *pattern ? S_OK : E_OUTOFMEMORY;
}

HRESULT AppointmentItem::ClearRecurrencePattern() {
  if (IsOccurrence()) return E_FAIL;
  if (recurrence_) patternChanged_ = true;
  recurrence_.reset();
  return S_OK;
}

HRESULT AppointmentItem::get_Recipients(IRecipients** recipients) {
  if (recipients == nullptr) return E_POINTER;
  *recipients = NewRecipients(recipients_);
  return S_OK;
}

PropertyMap AppointmentItem::ToProperties() const {
  PropertyMap props = oid_ == 0 ? carried_ : PropertyMap{};  // notes stay as they are on a saved record
  props[kPropSubject] = TextValue(subject_);
  props[kPropLocation] = TextValue(location_);
  props[kPropCategoriesText] = TextValue(categories_);
  props[kPropBodyText] = TextValue(body_);
  int64_t start = 0, end = 0;
  if (allDay_) {
    FloatingTicksOf(start_, &start);
    FloatingTicksOf(end_, &end);
  } else {
    UtcTicksOfLocal(start_, &start);
    UtcTicksOfLocal(end_, &end);
  }
  props[kPropAppointmentStart] = TimeValue(start);
  props[kPropAppointmentEnd] = TimeValue(end);
  props[kPropAllDay] = NumberValue(allDay_ ? 1 : 0);
  props[kPropBusyStatus] = NumberValue(static_cast<uint32_t>(busyStatus_));
  props[kPropAppointmentSensitivity] = NumberValue(static_cast<uint32_t>(sensitivity_));
  props[kPropAppointmentReminderSet] = NumberValue(reminderSet_ ? 1 : 0);
  props[kPropReminderMinutes] = NumberValue(static_cast<uint32_t>(reminderMinutes_));
  props[kPropMeetingStatus] = NumberValue(static_cast<uint32_t>(meetingStatus_));
  props[kPropAttendees] = BlobValue(EncodeRecipients(*recipients_));
  if (IsOccurrence()) {
    int64_t original = 0;
    FloatingTicksOf(originalDate_, &original);
    props[kPropExceptionOf] = NumberValue(seriesOid_);
    props[kPropExceptionOriginalDate] = TimeValue(original);
  }
  return props;
}

std::optional<RecurrenceData> AppointmentItem::StoredPattern() const {
  PropertyMap stored;
  if (oid_ == 0 || !ReadItemRecord(ItemKind::Appointment, oid_, &stored)) return std::nullopt;
  return RecurrenceOf(stored);
}

void AppointmentItem::DeleteExceptionRecords(const RecurrenceData& pattern) {
  for (const RecurrenceException& exception : pattern.exceptions) {
    if (exception.oid != 0) DeleteItemRecord(ItemKind::Appointment, exception.oid);
  }
}

HRESULT AppointmentItem::Save() {
  if (deleted_) return E_FAIL;
  if (end_ < start_) return E_INVALIDARG;
  if (oid_ != 0 && KindOfRecord(oid_) != ItemKind::Appointment) return E_FAIL;
  PropertyMap props = ToProperties();
  if (IsOccurrence()) {
    if (KindOfRecord(seriesOid_) != ItemKind::Appointment) return E_FAIL;
  } else {
    // The exceptions stay with an unchanged pattern; a changed or cleared pattern drops them.
    std::optional<RecurrenceData> stored = StoredPattern();
    if (recurrence_) {
      Pattern();
      if (stored && !patternChanged_) {
        recurrence_->exceptions = stored->exceptions;
      } else {
        if (stored) DeleteExceptionRecords(*stored);
        recurrence_->exceptions.clear();
      }
      props[kPropRecurrence] = BlobValue(EncodeRecurrence(*recurrence_));
    } else {
      if (stored) DeleteExceptionRecords(*stored);
      props[kPropRecurrence] = BlobValue({});
    }
  }
  bool isNew = oid_ == 0;
  CEOID written = WriteItemRecord(ItemKind::Appointment, oid_, props);
  if (written == 0) return E_FAIL;
  oid_ = written;
  patternChanged_ = false;
  if (IsOccurrence() && isNew) {
    DATE day = originalDate_;
    CEOID oid = oid_;
    UpdateSeriesExceptions(seriesOid_, [&](std::vector<RecurrenceException>& list) {
      std::erase_if(list, [&](const RecurrenceException& e) { return e.originalDate == day; });
      list.push_back(RecurrenceException{day, false, oid});
    });
  }
  return S_OK;
}

HRESULT AppointmentItem::Delete() {
  if (deleted_) return E_FAIL;
  if (IsOccurrence()) {
    DATE day = originalDate_;
    UpdateSeriesExceptions(seriesOid_, [&](std::vector<RecurrenceException>& list) {
      std::erase_if(list, [&](const RecurrenceException& e) { return e.originalDate == day; });
      list.push_back(RecurrenceException{day, true, 0});
    });
    if (oid_ != 0) DeleteItemRecord(ItemKind::Appointment, oid_);
  } else {
    if (oid_ == 0) return E_FAIL;
    if (std::optional<RecurrenceData> stored = StoredPattern()) DeleteExceptionRecords(*stored);
    if (!DeleteItemRecord(ItemKind::Appointment, oid_)) return E_FAIL;
  }
  deleted_ = true;
  oid_ = 0;
  return S_OK;
}

HRESULT AppointmentItem::Display() {
  return DisplayItem(oid_);
}

HRESULT AppointmentItem::Send() {
  // A meeting request goes to the recipients: the appointment becomes a meeting and is saved.
  if (recipients_->empty()) return E_FAIL;
  meetingStatus_ = olMeeting;
  HRESULT saved = Save();
  if (FAILED(saved)) return saved;
  PostToOutbox(OutlookOutboxEntry{u"MeetingRequest", {oid_}, subject_, RecipientTexts(*recipients_)});
  return S_OK;
}

HRESULT AppointmentItem::Cancel() {
  // A cancellation goes to the recipients of a meeting; the appointment itself stays.
  if (meetingStatus_ != olMeeting || recipients_->empty() || oid_ == 0) return E_FAIL;
  PostToOutbox(OutlookOutboxEntry{u"MeetingCancellation", {oid_}, subject_, RecipientTexts(*recipients_)});
  return S_OK;
}

AppointmentItem* AppointmentItem::Duplicate() const {
  auto* copy = new AppointmentItem();
  copy->subject_ = subject_;
  copy->location_ = location_;
  copy->categories_ = categories_;
  copy->body_ = body_;
  copy->start_ = start_;
  copy->end_ = end_;
  copy->allDay_ = allDay_;
  copy->busyStatus_ = busyStatus_;
  copy->sensitivity_ = sensitivity_;
  copy->reminderSet_ = reminderSet_;
  copy->reminderMinutes_ = reminderMinutes_;
  copy->meetingStatus_ = meetingStatus_;
  *copy->recipients_ = *recipients_;
  copy->carried_ = carried_;
  return copy;
}

HRESULT AppointmentItem::Copy(IAppointment** copy) {
  // A new, unsaved appointment with the same fields and pattern, without exceptions.
  if (copy == nullptr) return E_POINTER;
  AppointmentItem* item = Duplicate();
  if (recurrence_) {
    item->recurrence_ = recurrence_;
    item->recurrence_->exceptions.clear();
    item->patternChanged_ = true;
  }
  *copy = item;
  return S_OK;
}

RecurrenceData& AppointmentItem::Pattern() {
  if (!recurrence_) recurrence_ = DefaultRecurrence(start_);
  recurrence_->patternStartDate = DayOf(start_);
  return *recurrence_;
}

void AppointmentItem::MoveAnchor(DATE day) {
  DATE length = end_ - start_;
  start_ = DayOf(day) + (start_ - DayOf(start_));
  end_ = start_ + length;
}

void AppointmentItem::SetAppointmentTimes(DATE start, DATE end) {
  start_ = start;
  end_ = std::max(start, end);
}

std::vector<RecurrenceException> AppointmentItem::CurrentExceptions() {
  if (!patternChanged_) {
    if (std::optional<RecurrenceData> stored = StoredPattern()) return stored->exceptions;
  }
  return recurrence_ ? recurrence_->exceptions : std::vector<RecurrenceException>{};
}

HRESULT AppointmentItem::Occurrence(DATE day, IAppointment** occurrence) {
  // Occurrences belong to a saved series: the pattern as saved decides.
  *occurrence = nullptr;
  if (!recurrence_ || oid_ == 0 || patternChanged_ || !HasDate(day)) return E_FAIL;
  DATE first = DayOf(day);
  DATE timeOfDay = start_ - DayOf(start_);
  std::vector<DATE> found = ExpandOccurrences(Pattern(), first, first + 1, 1, timeOfDay);
  if (found.empty()) return E_FAIL;
  for (const RecurrenceException& exception : CurrentExceptions()) {
    if (exception.originalDate != first) continue;
    if (exception.deleted) return E_FAIL;
    IDispatch* item = nullptr;
    HRESULT loaded = LoadItem(exception.oid, &item);
    if (FAILED(loaded)) return E_FAIL;
    HRESULT answer = item->QueryInterface(IID_IAppointment, reinterpret_cast<void**>(occurrence));
    item->Release();
    return answer;
  }
  AppointmentItem* item = Duplicate();
  item->start_ = found.front();
  item->end_ = found.front() + (end_ - start_);
  item->seriesOid_ = oid_;
  item->originalDate_ = first;
  *occurrence = item;
  return S_OK;
}

}  // namespace platform::outlook
