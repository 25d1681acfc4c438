#include <cmath>

#include "platform/outlook/OutlookDates.h"
#include "platform/outlook/OutlookInternal.h"

namespace platform::outlook {
namespace {

constexpr double kMinute = 1.0 / 1440.0;

double TimeOfDay(DATE date) {
  return date - DayOf(date);
}

// A pattern object: every get_ and put_ goes to the item's pattern, which reaches the record when the
// item is saved.
class RecurrencePattern final : public RefCounted<IRecurrencePattern> {
 public:
  RecurrencePattern(IUnknown* item, RecurrenceOwner* owner) : item_(item), owner_(owner) { item->AddRef(); }
  ~RecurrencePattern() { item_->Release(); }

  HRESULT QueryInterface(REFIID iid, void** object) override {
    bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IRecurrencePattern;
    return AnswerInterface(object, match ? static_cast<IRecurrencePattern*>(this) : nullptr);
  }

  HRESULT get_RecurrenceType(LONG* type) override { return ReturnValue(P().type, type); }
  HRESULT put_RecurrenceType(LONG type) override {
    if (type != olRecursDaily && type != olRecursWeekly && type != olRecursMonthly &&
        type != olRecursMonthNth && type != olRecursYearly && type != olRecursYearNth)
      return E_INVALIDARG;
    return Change([&](RecurrenceData& p) { p.type = type; });
  }
  HRESULT get_Interval(LONG* interval) override { return ReturnValue(P().interval, interval); }
  HRESULT put_Interval(LONG interval) override {
    if (interval < 0 || interval > 999) return E_INVALIDARG;
    return Change([&](RecurrenceData& p) { p.interval = interval; });
  }
  HRESULT get_DayOfWeekMask(LONG* mask) override { return ReturnValue(P().dayOfWeekMask, mask); }
  HRESULT put_DayOfWeekMask(LONG mask) override {
    if (mask < 1 || mask > 127) return E_INVALIDARG;
    return Change([&](RecurrenceData& p) { p.dayOfWeekMask = mask; });
  }
  HRESULT get_DayOfMonth(LONG* day) override { return ReturnValue(P().dayOfMonth, day); }
  HRESULT put_DayOfMonth(LONG day) override {
    if (day < 1 || day > 31) return E_INVALIDARG;
    return Change([&](RecurrenceData& p) { p.dayOfMonth = day; });
  }
  HRESULT get_Instance(LONG* instance) override { return ReturnValue(P().instance, instance); }
  HRESULT put_Instance(LONG instance) override {
    if (instance < 1 || instance > 5) return E_INVALIDARG;
    return Change([&](RecurrenceData& p) { p.instance = instance; });
  }
  HRESULT get_MonthOfYear(LONG* month) override { return ReturnValue(P().monthOfYear, month); }
  HRESULT put_MonthOfYear(LONG month) override {
    if (month < 1 || month > 12) return E_INVALIDARG;
    return Change([&](RecurrenceData& p) { p.monthOfYear = month; });
  }

  // The pattern starts on the item's (first occurrence's) day; moving it moves the item.
  HRESULT get_PatternStartDate(DATE* date) override { return ReturnValue(P().patternStartDate, date); }
  HRESULT put_PatternStartDate(DATE date) override {
    if (!HasDate(date)) return E_INVALIDARG;
    owner_->MoveAnchor(DayOf(date));
    return Change([](RecurrenceData&) {});
  }
  // With a count, the end date is the day of the last occurrence; with no end, kNoDate.
  HRESULT get_PatternEndDate(DATE* date) override {
    const RecurrenceData& p = P();
    if (p.end == RecurrenceEnd::ByDate) return ReturnValue(p.patternEndDate, date);
    if (p.end == RecurrenceEnd::None) return ReturnValue(kNoDate, date);
    std::optional<DATE> last = LastOccurrence(p);
    return ReturnValue(last ? DayOf(*last) : p.patternStartDate, date);
  }
  HRESULT put_PatternEndDate(DATE date) override {
    if (!HasDate(date)) return E_INVALIDARG;
    return Change([&](RecurrenceData& p) {
      p.end = RecurrenceEnd::ByDate;
      p.patternEndDate = DayOf(date);
      p.occurrences = 0;
    });
  }
  HRESULT get_NoEndDate(VARIANT_BOOL* noEnd) override {
    return ReturnBool(P().end == RecurrenceEnd::None, noEnd);
  }
  // Ending a pattern without end gives it ten occurrences.
  HRESULT put_NoEndDate(VARIANT_BOOL noEnd) override {
    return Change([&](RecurrenceData& p) {
      if (noEnd != VARIANT_FALSE) {
        p.end = RecurrenceEnd::None;
        p.occurrences = 0;
        p.patternEndDate = kNoDate;
      } else if (p.end == RecurrenceEnd::None) {
        p.end = RecurrenceEnd::AfterCount;
        p.occurrences = 10;
      }
    });
  }
  // With an end date, the number of occurrences up to it; with no end, 0.
  HRESULT get_Occurrences(LONG* count) override {
    const RecurrenceData& p = P();
    if (p.end == RecurrenceEnd::AfterCount) return ReturnValue(p.occurrences, count);
    if (p.end == RecurrenceEnd::None) return ReturnValue(0, count);
    return ReturnValue(ExpandOccurrences(p, -657434.0, 2958466.0, kMaxOccurrenceSteps).size(), count);
  }
  HRESULT put_Occurrences(LONG count) override {
    if (count < 1 || count > 999999) return E_INVALIDARG;
    return Change([&](RecurrenceData& p) {
      p.end = RecurrenceEnd::AfterCount;
      p.occurrences = count;
      p.patternEndDate = kNoDate;
    });
  }

  // Appointments: the time of day and length of every occurrence, which are the item's.
  HRESULT get_StartTime(DATE* time) override {
    if (!owner_->IsAppointment()) return E_FAIL;
    return ReturnValue(TimeOfDay(owner_->Anchor()), time);
  }
  HRESULT put_StartTime(DATE time) override {
    if (!owner_->IsAppointment() || !std::isfinite(time)) return E_FAIL;
    DATE start = owner_->Anchor(), length = owner_->AppointmentEnd() - start;
    DATE moved = DayOf(start) + TimeOfDay(time);
    owner_->SetAppointmentTimes(moved, moved + length);
    return Change([](RecurrenceData&) {});
  }
  HRESULT get_EndTime(DATE* time) override {
    if (!owner_->IsAppointment()) return E_FAIL;
    return ReturnValue(TimeOfDay(owner_->AppointmentEnd()), time);
  }
  // The end time after the start time; an earlier one ends on the next day.
  HRESULT put_EndTime(DATE time) override {
    if (!owner_->IsAppointment() || !std::isfinite(time)) return E_FAIL;
    DATE start = owner_->Anchor();
    double length = TimeOfDay(time) - TimeOfDay(start);
    if (length < 0) length += 1.0;
    owner_->SetAppointmentTimes(start, start + length);
    return Change([](RecurrenceData&) {});
  }
  HRESULT get_Duration(LONG* minutes) override {
    if (!owner_->IsAppointment()) return E_FAIL;
    return ReturnValue(std::lround((owner_->AppointmentEnd() - owner_->Anchor()) * 1440.0), minutes);
  }
  HRESULT put_Duration(LONG minutes) override {
    if (!owner_->IsAppointment()) return E_FAIL;
    if (minutes < 0) return E_INVALIDARG;
    DATE start = owner_->Anchor();
    owner_->SetAppointmentTimes(start, start + minutes * kMinute);
    return Change([](RecurrenceData&) {});
  }

  HRESULT GetOccurrence(DATE date, IAppointment** occurrence) override {
    if (occurrence == nullptr) return E_POINTER;
    *occurrence = nullptr;
    if (!owner_->IsAppointment()) return E_FAIL;
    return owner_->Occurrence(date, occurrence);
  }
  HRESULT get_Exceptions(IExceptions** exceptions) override {
    if (exceptions == nullptr) return E_POINTER;
    *exceptions = NewExceptions(owner_->CurrentExceptions());
    return S_OK;
  }

 private:
  const RecurrenceData& P() { return owner_->Pattern(); }
  template <class F>
  HRESULT Change(F change) {
    change(owner_->Pattern());
    owner_->PatternChanged();
    owner_->Pattern();
    return S_OK;
  }

  IUnknown* item_;
  RecurrenceOwner* owner_;
};

class Exception final : public RefCounted<IException> {
 public:
  explicit Exception(RecurrenceException data) : data_(data) {}
  HRESULT QueryInterface(REFIID iid, void** object) override {
    bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IException;
    return AnswerInterface(object, match ? static_cast<IException*>(this) : nullptr);
  }
  HRESULT get_OriginalDate(DATE* date) override { return ReturnValue(data_.originalDate, date); }
  HRESULT get_Deleted(VARIANT_BOOL* deleted) override { return ReturnBool(data_.deleted, deleted); }
  // The appointment that replaces the occurrence; a deleted occurrence has none.
  HRESULT get_AppointmentItem(IAppointment** appointment) override {
    if (appointment == nullptr) return E_POINTER;
    *appointment = nullptr;
    if (data_.deleted || data_.oid == 0) return E_FAIL;
    IDispatch* item = nullptr;
    if (FAILED(LoadItem(data_.oid, &item))) return E_FAIL;
    HRESULT answer = item->QueryInterface(IID_IAppointment, reinterpret_cast<void**>(appointment));
    item->Release();
    return answer;
  }

 private:
  RecurrenceException data_;
};

class Exceptions final : public RefCounted<IExceptions> {
 public:
  explicit Exceptions(std::vector<RecurrenceException> list) : list_(std::move(list)) {}
  HRESULT QueryInterface(REFIID iid, void** object) override {
    bool match = iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IExceptions;
    return AnswerInterface(object, match ? static_cast<IExceptions*>(this) : nullptr);
  }
  HRESULT get_Count(int* count) override { return ReturnValue(list_.size(), count); }
  HRESULT Item(int index, IException** exception) override {
    if (exception == nullptr) return E_POINTER;
    *exception = nullptr;
    if (index < 1 || static_cast<size_t>(index) > list_.size()) return E_INVALIDARG;
    *exception = new Exception(list_[static_cast<size_t>(index - 1)]);
    return S_OK;
  }

 private:
  std::vector<RecurrenceException> list_;
};

}  // namespace

IRecurrencePattern* NewRecurrencePattern(IUnknown* item, RecurrenceOwner* owner) {
  return new RecurrencePattern(item, owner);
}

IExceptions* NewExceptions(std::vector<RecurrenceException> exceptions) {
  return new Exceptions(std::move(exceptions));
}

}  // namespace platform::outlook
