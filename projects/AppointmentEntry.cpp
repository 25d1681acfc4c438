#include "projects/AppointmentEntry.h"

#include "platform/time/TimeConversion.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectDates.h"

namespace calyra {

AppointmentEntry::AppointmentEntry()
    : LinkedItemEntry(ProjectEntryType::Appointment), itemDate(platform::kNoDateSystemTime) {}

void AppointmentEntry::Reset() {
  LinkedItemEntry::Reset();
  itemDate = platform::kNoDateSystemTime;
}

void AppointmentEntry::ReadProperties(const calyra::Record& values) {
  LinkedItemEntry::ReadProperties(values);
  itemDate = DateOf(values, kItemDateTag);
}

void AppointmentEntry::WriteProperties(calyra::Record& values) {
  startDate = WholeMinute(startDate);
  endDate = WholeMinute(endDate);
  LinkedItemEntry::WriteProperties(values);
  values.Set(DateValue(kItemDateTag, itemDate));
}

}  // namespace calyra
