#pragma once

#include "projects/ProjectEntry.h"

namespace calyra {

// Time spent on a project: from startDate to endDate, or to plannedEnd while endDate is unset.
// Its times are kept to whole minutes.
class TimeRecordEntry : public ProjectEntry {
 public:
  TimeRecordEntry();

  void Reset() override;
  // The minutes booked, as of `now` (local time): 0 without a start; to the end when set, else to
  // the planned end when set (which becomes the end once it is not in the future), else to now.
  LONG DurationMinutes(const SYSTEMTIME& now);

  ProjectId bookedOn = 0;  // the project the time belongs to
  SYSTEMTIME plannedEnd;

 protected:
  void ReadProperties(const calyra::Record& values) override;
  void WriteProperties(calyra::Record& values) override;
};

}  // namespace calyra
