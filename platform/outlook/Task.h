#pragma once

#include <optional>

#include "platform/outlook/OutlookInternal.h"

namespace platform::outlook {

// A task: a record of "Tasks Database", or not yet saved. Its dates are local days; "no date" is
// kNoDate (1 January 4501), which the record keeps as such.
class TaskItem final : public RefCounted<ITask>, public RecurrenceOwner {
 public:
  static TaskItem* New();
  static TaskItem* FromRecord(CEOID oid, const PropertyMap& properties);
  CEOID Oid() const { return oid_; }

  HRESULT QueryInterface(REFIID iid, void** object) override;
  HRESULT get_Oid(LONG* oid) override;
  HRESULT get_Subject(BSTR* text) override;
  HRESULT put_Subject(BSTR text) override;
  HRESULT get_StartDate(DATE* date) override;
  HRESULT put_StartDate(DATE date) override;
  HRESULT get_DueDate(DATE* date) override;
  HRESULT put_DueDate(DATE date) override;
  HRESULT get_Importance(LONG* importance) override;
  HRESULT put_Importance(LONG importance) override;
  HRESULT get_Sensitivity(LONG* sensitivity) override;
  HRESULT put_Sensitivity(LONG sensitivity) override;
  HRESULT get_ReminderSet(VARIANT_BOOL* set) override;
  HRESULT put_ReminderSet(VARIANT_BOOL set) override;
  HRESULT get_ReminderTime(DATE* time) override;
  HRESULT put_ReminderTime(DATE time) override;
  HRESULT get_ReminderOptions(LONG* options) override;
  HRESULT put_ReminderOptions(LONG options) override;
  HRESULT get_Complete(VARIANT_BOOL* complete) override;
  HRESULT put_Complete(VARIANT_BOOL complete) override;
  HRESULT get_DateCompleted(DATE* date) override;
  HRESULT put_DateCompleted(DATE date) override;
  HRESULT get_Categories(BSTR* text) override;
  HRESULT put_Categories(BSTR text) override;
  HRESULT get_Body(BSTR* text) override;
  HRESULT put_Body(BSTR text) override;
  HRESULT get_IsRecurring(VARIANT_BOOL* recurring) override;
  HRESULT GetRecurrencePattern(IRecurrencePattern** pattern) override;
  HRESULT ClearRecurrencePattern() override;
  HRESULT SkipRecurrence() override;
  HRESULT Save() override;
  HRESULT Delete() override;
  HRESULT Display() override;
  HRESULT Copy(ITask** copy) override;

  // RecurrenceOwner
  RecurrenceData& Pattern() override;
  void PatternChanged() override {}
  bool IsAppointment() const override { return false; }
  DATE Anchor() const override;
  void MoveAnchor(DATE day) override;
  DATE AppointmentEnd() const override { return Anchor(); }
  void SetAppointmentTimes(DATE, DATE) override {}
  HRESULT Occurrence(DATE, IAppointment**) override { return E_FAIL; }
  std::vector<RecurrenceException> CurrentExceptions() override { return {}; }

 private:
  TaskItem() = default;
  TaskItem* Duplicate() const;
  PropertyMap ToProperties() const;
  // Moves the dates to the next occurrence; false when the pattern has none.
  bool Advance();

  CEOID oid_ = 0;
  bool deleted_ = false;
  std::u16string subject_, categories_, body_;
  DATE start_ = kNoDate, due_ = kNoDate;
  LONG importance_ = 1;  // olImportanceNormal
  LONG sensitivity_ = 0;
  bool reminderSet_ = false;
  DATE reminderTime_ = kNoDate;
  LONG reminderOptions_ = 0;
  bool complete_ = false;
  bool savedComplete_ = false;
  DATE dateCompleted_ = kNoDate;
  std::optional<RecurrenceData> recurrence_;
  PropertyMap carried_;
};

}  // namespace platform::outlook
