#pragma once

#include <optional>

#include "platform/outlook/OutlookInternal.h"

namespace platform::outlook {

// An appointment: a record of "Appointments Database", or not yet saved. A series keeps its pattern
// and exceptions in the recurrence blob; an occurrence that is changed and saved becomes an
// appointment record of its own, linked to the series by kPropExceptionOf.
class AppointmentItem final : public RefCounted<IAppointment>, public RecurrenceOwner {
 public:
  static AppointmentItem* New();
  static AppointmentItem* FromRecord(CEOID oid, const PropertyMap& properties);
  CEOID Oid() const { return oid_; }

  HRESULT QueryInterface(REFIID iid, void** object) override;
  HRESULT get_Oid(LONG* oid) override;
  HRESULT get_Subject(BSTR* text) override;
  HRESULT put_Subject(BSTR text) override;
  HRESULT get_Location(BSTR* text) override;
  HRESULT put_Location(BSTR text) override;
  HRESULT get_Start(DATE* start) override;
  HRESULT put_Start(DATE start) override;
  HRESULT get_End(DATE* end) override;
  HRESULT put_End(DATE end) override;
  HRESULT get_Duration(LONG* minutes) override;
  HRESULT put_Duration(LONG minutes) override;
  HRESULT get_AllDayEvent(VARIANT_BOOL* allDay) override;
  HRESULT put_AllDayEvent(VARIANT_BOOL allDay) override;
  HRESULT get_BusyStatus(LONG* status) override;
  HRESULT put_BusyStatus(LONG status) override;
  HRESULT get_Sensitivity(LONG* sensitivity) override;
  HRESULT put_Sensitivity(LONG sensitivity) override;
  HRESULT get_ReminderSet(VARIANT_BOOL* set) override;
  HRESULT put_ReminderSet(VARIANT_BOOL set) override;
  HRESULT get_ReminderMinutesBeforeStart(LONG* minutes) override;
  HRESULT put_ReminderMinutesBeforeStart(LONG minutes) override;
  HRESULT get_MeetingStatus(LONG* status) override;
  HRESULT put_MeetingStatus(LONG status) override;
  HRESULT get_Categories(BSTR* text) override;
  HRESULT put_Categories(BSTR text) override;
  HRESULT get_Body(BSTR* text) override;
  HRESULT put_Body(BSTR text) override;
  HRESULT get_IsRecurring(VARIANT_BOOL* recurring) override;
  HRESULT GetRecurrencePattern(IRecurrencePattern** pattern) override;
  HRESULT ClearRecurrencePattern() override;
  HRESULT get_Recipients(IRecipients** recipients) override;
  HRESULT Save() override;
  HRESULT Delete() override;
  HRESULT Display() override;
  HRESULT Send() override;
  HRESULT Cancel() override;
  HRESULT Copy(IAppointment** copy) override;

  // RecurrenceOwner
  RecurrenceData& Pattern() override;
  void PatternChanged() override { patternChanged_ = true; }
  bool IsAppointment() const override { return true; }
  DATE Anchor() const override { return start_; }
  void MoveAnchor(DATE day) override;
  DATE AppointmentEnd() const override { return end_; }
  void SetAppointmentTimes(DATE start, DATE end) override;
  HRESULT Occurrence(DATE day, IAppointment** occurrence) override;
  std::vector<RecurrenceException> CurrentExceptions() override;

 private:
  AppointmentItem() = default;
  AppointmentItem* Duplicate() const;
  PropertyMap ToProperties() const;
  bool IsOccurrence() const { return seriesOid_ != 0; }
  std::optional<RecurrenceData> StoredPattern() const;
  static void DeleteExceptionRecords(const RecurrenceData& pattern);

  CEOID oid_ = 0;
  bool deleted_ = false;
  std::u16string subject_, location_, categories_, body_;
  DATE start_ = 0, end_ = 0;
  bool allDay_ = false;
  LONG busyStatus_ = 2;  // olBusy
  LONG sensitivity_ = 0;
  bool reminderSet_ = true;
  LONG reminderMinutes_ = 15;
  LONG meetingStatus_ = 0;
  RecipientList recipients_ = std::make_shared<std::vector<Recipient>>();
  std::optional<RecurrenceData> recurrence_;
  bool patternChanged_ = false;
  CEOID seriesOid_ = 0;    // an occurrence or exception of this series
  DATE originalDate_ = 0;  // the day it has in the series' pattern
  PropertyMap carried_;    // notes blob: copied with the item, never read
};

}  // namespace platform::outlook
