#include "platform/outlook/Task.h"

#include "platform/outlook/OutlookDates.h"

namespace platform::outlook {
namespace {

DATE DayOrNone(DATE date) {
  return HasDate(date) ? DayOf(date) : kNoDate;
}

}  // namespace

TaskItem* TaskItem::New() {
  return new TaskItem();
}

TaskItem* TaskItem::FromRecord(CEOID oid, const PropertyMap& properties) {
  auto* item = new TaskItem();
  item->oid_ = oid;
  auto text = [&](CEPROPID tag) {
    auto found = properties.find(tag);
    return found == properties.end() ? std::u16string() : found->second.text;
  };
  auto number = [&](CEPROPID tag, LONG fallback) {
    auto found = properties.find(tag);
    return found == properties.end() ? fallback : static_cast<LONG>(found->second.number);
  };
  auto date = [&](CEPROPID tag) {
    auto found = properties.find(tag);
    return found == properties.end() ? kNoDate : DateOfFloatingTicks(found->second.ticks);
  };
  item->subject_ = text(kPropSubject);
  item->categories_ = text(kPropCategoriesText);
  item->body_ = text(kPropBodyText);
  item->start_ = date(kPropTaskStart);
  item->due_ = date(kPropTaskDue);
  item->importance_ = number(kPropImportance, 1);
  item->sensitivity_ = number(kPropTaskSensitivity, 0);
  item->reminderSet_ = number(kPropTaskReminderSet, 0) != 0;
  if (auto found = properties.find(kPropTaskReminderTime); found != properties.end())
    item->reminderTime_ = LocalOfUtcTicks(found->second.ticks);
  item->reminderOptions_ = number(kPropTaskReminderOptions, 0);
  item->complete_ = item->savedComplete_ = number(kPropComplete, 0) != 0;
  item->dateCompleted_ = date(kPropDateCompleted);
  item->recurrence_ = RecurrenceOf(properties);
  if (auto found = properties.find(kPropNotesBlob); found != properties.end())
    item->carried_[kPropNotesBlob] = found->second;
  return item;
}

HRESULT TaskItem::QueryInterface(REFIID iid, void** object) {
  bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_ITask;
  return AnswerInterface(object, match ? static_cast<ITask*>(this) : nullptr);
}

HRESULT TaskItem::get_Oid(LONG* oid) {
  return ReturnValue(oid_, oid);
}
HRESULT TaskItem::get_Subject(BSTR* text) {
  return ReturnText(subject_, text);
}
HRESULT TaskItem::put_Subject(BSTR text) {
  subject_ = TextOf(text);
  return S_OK;
}
HRESULT TaskItem::get_StartDate(DATE* date) {
  return ReturnValue(start_, date);
}
HRESULT TaskItem::put_StartDate(DATE date) {
  start_ = DayOrNone(date);
  return S_OK;
}
HRESULT TaskItem::get_DueDate(DATE* date) {
  return ReturnValue(due_, date);
}
HRESULT TaskItem::put_DueDate(DATE date) {
  due_ = DayOrNone(date);
  return S_OK;
}
HRESULT TaskItem::get_Importance(LONG* importance) {
  return ReturnValue(importance_, importance);
}
HRESULT TaskItem::put_Importance(LONG importance) {
  if (importance < olImportanceLow || importance > olImportanceHigh) return E_INVALIDARG;
  importance_ = importance;
  return S_OK;
}
HRESULT TaskItem::get_Sensitivity(LONG* sensitivity) {
  return ReturnValue(sensitivity_, sensitivity);
}
HRESULT TaskItem::put_Sensitivity(LONG sensitivity) {
  if (sensitivity < olNormal || sensitivity > olConfidential) return E_INVALIDARG;
  sensitivity_ = sensitivity;
  return S_OK;
}
HRESULT TaskItem::get_ReminderSet(VARIANT_BOOL* set) {
  return ReturnBool(reminderSet_, set);
}
HRESULT TaskItem::put_ReminderSet(VARIANT_BOOL set) {
  reminderSet_ = set != VARIANT_FALSE;
  return S_OK;
}
HRESULT TaskItem::get_ReminderTime(DATE* time) {
  return ReturnValue(reminderTime_, time);
}
HRESULT TaskItem::put_ReminderTime(DATE time) {
  reminderTime_ = HasDate(time) ? time : kNoDate;
  return S_OK;
}
HRESULT TaskItem::get_ReminderOptions(LONG* options) {
  return ReturnValue(reminderOptions_, options);
}
HRESULT TaskItem::put_ReminderOptions(LONG options) {
  if (options < 0 || options > (olLED | olVibrate | olDialog | olSound | olRepeat)) return E_INVALIDARG;
  reminderOptions_ = options;
  return S_OK;
}
HRESULT TaskItem::get_Complete(VARIANT_BOOL* complete) {
  return ReturnBool(complete_, complete);
}
HRESULT TaskItem::put_Complete(VARIANT_BOOL complete) {
  // Completing dates the task today unless a date was given; reopening clears the date.
  complete_ = complete != VARIANT_FALSE;
  if (complete_ && !HasDate(dateCompleted_)) dateCompleted_ = DayOf(NowLocal());
  if (!complete_) dateCompleted_ = kNoDate;
  return S_OK;
}
HRESULT TaskItem::get_DateCompleted(DATE* date) {
  return ReturnValue(dateCompleted_, date);
}
HRESULT TaskItem::put_DateCompleted(DATE date) {
  dateCompleted_ = DayOrNone(date);
  return S_OK;
}
HRESULT TaskItem::get_Categories(BSTR* text) {
  return ReturnText(categories_, text);
}
HRESULT TaskItem::put_Categories(BSTR text) {
  categories_ = TextOf(text);
  return S_OK;
}
HRESULT TaskItem::get_Body(BSTR* text) {
  return ReturnText(body_, text);
}
HRESULT TaskItem::put_Body(BSTR text) {
  body_ = TextOf(text);
  return S_OK;
}

HRESULT TaskItem::get_IsRecurring(VARIANT_BOOL* recurring) {
  return ReturnBool(recurrence_.has_value(), recurring);
}

HRESULT TaskItem::GetRecurrencePattern(IRecurrencePattern** pattern) {
  if (pattern == nullptr) return E_POINTER;
  *pattern = nullptr;
  if (deleted_) return E_FAIL;
  if (!recurrence_) {
    // A recurring task needs a date to recur from: today when it has none.
    if (!HasDate(start_) && !HasDate(due_)) start_ = due_ = DayOf(NowLocal());
    recurrence_ = DefaultRecurrence(Anchor());
  }
  *pattern = NewRecurrencePattern(static_cast<ITask*>(this), this);
  return *pattern ? S_OK : E_OUTOFMEMORY;
}

HRESULT TaskItem::ClearRecurrencePattern() {
  recurrence_.reset();
  return S_OK;
}

bool TaskItem::Advance() {
  if (!recurrence_) return false;
  DATE anchor = Anchor();
  std::optional<DATE> next = NextOccurrence(Pattern(), anchor);
  if (!next) return false;
  MoveAnchor(*next);
  if (recurrence_->end == RecurrenceEnd::AfterCount && recurrence_->occurrences > 1)
    --recurrence_->occurrences;
  Pattern();
  return true;
}

HRESULT TaskItem::SkipRecurrence() {
  // The task moves on to its next occurrence, unsaved until Save; the last one cannot be skipped.
  if (deleted_ || !recurrence_) return E_FAIL;
  return Advance() ? S_OK : E_FAIL;
}

PropertyMap TaskItem::ToProperties() const {
  PropertyMap props = oid_ == 0 ? carried_ : PropertyMap{};  // notes stay as they are on a saved record
  auto date = [](DATE value) {
    int64_t ticks = NoDateTicks();
    if (HasDate(value)) FloatingTicksOf(value, &ticks);
    return TimeValue(ticks);
  };
  props[kPropSubject] = TextValue(subject_);
  props[kPropCategoriesText] = TextValue(categories_);
  props[kPropBodyText] = TextValue(body_);
  props[kPropTaskStart] = date(start_);
  props[kPropTaskDue] = date(due_);
  props[kPropImportance] = NumberValue(static_cast<uint32_t>(importance_));
  props[kPropTaskSensitivity] = NumberValue(static_cast<uint32_t>(sensitivity_));
  props[kPropTaskReminderSet] = NumberValue(reminderSet_ ? 1 : 0);
  int64_t reminder = NoDateTicks();
  if (HasDate(reminderTime_)) UtcTicksOfLocal(reminderTime_, &reminder);
  props[kPropTaskReminderTime] = TimeValue(reminder);
  props[kPropTaskReminderOptions] = NumberValue(static_cast<uint32_t>(reminderOptions_));
  props[kPropComplete] = NumberValue(complete_ ? 1 : 0);
  props[kPropDateCompleted] = date(dateCompleted_);
  props[kPropRecurrence] = BlobValue(recurrence_ ? EncodeRecurrence(*recurrence_) : std::vector<uint8_t>{});
  return props;
}

HRESULT TaskItem::Save() {
  if (deleted_) return E_FAIL;
  if (oid_ != 0 && KindOfRecord(oid_) != ItemKind::Task) return E_FAIL;
  if (recurrence_) Pattern();
  if (recurrence_ && complete_ && !savedComplete_) {
    // Completing a recurring task: a completed, non-recurring copy keeps this occurrence, and the
    // task itself moves on to the next one, open again. Completing the last occurrence completes
    // the task.
    TaskItem* done = Duplicate();
    RecurrenceData kept = *recurrence_;
    if (Advance()) {
      if (WriteItemRecord(ItemKind::Task, 0, done->ToProperties()) == 0) {
        done->Release();
        return E_FAIL;
      }
      complete_ = false;
      dateCompleted_ = kNoDate;
    } else {
      recurrence_ = kept;
    }
    done->Release();
  }
  CEOID written = WriteItemRecord(ItemKind::Task, oid_, ToProperties());
  if (written == 0) return E_FAIL;
  oid_ = written;
  savedComplete_ = complete_;
  return S_OK;
}

HRESULT TaskItem::Delete() {
  if (deleted_ || oid_ == 0) return E_FAIL;
  if (!DeleteItemRecord(ItemKind::Task, oid_)) return E_FAIL;
  deleted_ = true;
  oid_ = 0;
  return S_OK;
}

HRESULT TaskItem::Display() {
  return DisplayItem(oid_);
}

TaskItem* TaskItem::Duplicate() const {
  auto* copy = new TaskItem();
  copy->subject_ = subject_;
  copy->categories_ = categories_;
  copy->body_ = body_;
  copy->start_ = start_;
  copy->due_ = due_;
  copy->importance_ = importance_;
  copy->sensitivity_ = sensitivity_;
  copy->reminderSet_ = reminderSet_;
  copy->reminderTime_ = reminderTime_;
  copy->reminderOptions_ = reminderOptions_;
  copy->complete_ = complete_;
  copy->dateCompleted_ = dateCompleted_;
  copy->carried_ = carried_;
  return copy;
}

HRESULT TaskItem::Copy(ITask** copy) {
  if (copy == nullptr) return E_POINTER;
  TaskItem* item = Duplicate();
  item->recurrence_ = recurrence_;
  *copy = item;
  return S_OK;
}

DATE TaskItem::Anchor() const {
  return HasDate(start_) ? start_ : due_;
}

void TaskItem::MoveAnchor(DATE day) {
  // Start and due date move together, keeping their distance.
  if (!HasDate(day)) return;
  DATE shift = DayOf(day) - Anchor();
  if (HasDate(start_)) start_ += shift;
  if (HasDate(due_)) due_ += shift;
}

RecurrenceData& TaskItem::Pattern() {
  if (!recurrence_) recurrence_ = DefaultRecurrence(Anchor());
  if (HasDate(Anchor())) recurrence_->patternStartDate = DayOf(Anchor());
  return *recurrence_;
}

}  // namespace platform::outlook
