#include "projects/TimeRecordEntry.h"

#include "platform/time/TimeConversion.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectDates.h"

namespace calyra {

namespace {

LONG MinutesBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
  return static_cast<LONG>(static_cast<int64_t>(platform::MinuteCountOf(StoredProjectTime(to))) -
                           static_cast<int64_t>(platform::MinuteCountOf(StoredProjectTime(from))));
}

}  // namespace

TimeRecordEntry::TimeRecordEntry()
    : ProjectEntry(ProjectEntryType::TimeRecord), plannedEnd(platform::kNoDateSystemTime) {}

void TimeRecordEntry::Reset() {
  ProjectEntry::Reset();
  bookedOn = 0;
  plannedEnd = platform::kNoDateSystemTime;
}

LONG TimeRecordEntry::DurationMinutes(const SYSTEMTIME& now) {
  if (!platform::IsDateSet(startDate)) return 0;
  if (platform::IsDateSet(endDate)) return MinutesBetween(startDate, endDate);
  if (platform::IsDateSet(plannedEnd)) {
    if (MinutesBetween(plannedEnd, now) >= 0) endDate = plannedEnd;
    return MinutesBetween(startDate, plannedEnd);
  }
  return MinutesBetween(startDate, now);
}

void TimeRecordEntry::ReadProperties(const calyra::Record& values) {
  ProjectEntry::ReadProperties(values);
  bookedOn = NumberOf(values, kBookedOnTag);
  plannedEnd = DateOf(values, kPlannedEndTag);
}

void TimeRecordEntry::WriteProperties(calyra::Record& values) {
  startDate = WholeMinute(startDate);
  endDate = WholeMinute(endDate);
  plannedEnd = WholeMinute(plannedEnd);
  ProjectEntry::WriteProperties(values);
  values.Set(PropertyValue::Integer(kBookedOnTag, bookedOn));
  values.Set(DateValue(kPlannedEndTag, plannedEnd));
}

}  // namespace calyra
