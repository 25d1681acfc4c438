#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"

// The items of an iCalendar file as plain records, in the device's local time, before anything is
// written: what the reader makes of a file and what the writer stores. Texts are UTF-8.
namespace calyra::ics {

// A recurrence as Pocket Outlook's pattern holds it (the olRecurs… kinds and fields).
struct RecurrenceRecord {
  LONG type = 0;
  LONG interval = 1;     // daily: 0 = every weekday
  LONG weekdayMask = 0;  // olSunday 1 … olSaturday 64
  LONG dayOfMonth = 0;
  LONG instance = 0;  // 1 to 4, 5 = last
  LONG monthOfYear = 0;
  LONG count = 0;                      // 0: no count
  std::optional<SYSTEMTIME> until;     // the local day of the last occurrence allowed
  std::vector<SYSTEMTIME> exceptions;  // local days of deleted occurrences
};

struct AttendeeRecord {
  std::string name;
  std::string email;
};

struct AppointmentRecord {
  int line = 0;  // where its BEGIN stands
  std::string uid;
  std::string subject;
  std::string location;
  std::string notes;
  std::vector<std::string> categories;
  SYSTEMTIME start{};
  SYSTEMTIME end{};  // all-day: 00:00 of the day after the last
  bool allDay = false;
  bool reminderSet = false;
  LONG reminderMinutes = 0;
  bool isPrivate = false;
  LONG busyStatus = 2;  // olBusy
  std::vector<AttendeeRecord> attendees;
  std::optional<RecurrenceRecord> recurrence;
  // A changed occurrence (RECURRENCE-ID): the local day of the occurrence it replaces.
  std::optional<SYSTEMTIME> originalDay;
  // A series' changed occurrences, each stored as an exception of the series.
  std::vector<AppointmentRecord> changedOccurrences;
};

struct TaskRecord {
  int line = 0;
  std::string subject;
  std::string notes;
  std::vector<std::string> categories;
  std::optional<SYSTEMTIME> start;  // local days
  std::optional<SYSTEMTIME> due;
  std::optional<SYSTEMTIME> reminder;  // local time
  bool complete = false;
  std::optional<SYSTEMTIME> completed;  // local day
  int priority = 2;                     // 1 high, 2 normal, 3 low
  bool isPrivate = false;
  std::optional<RecurrenceRecord> recurrence;
};

// What one file holds, in file order per kind, and what of it was left out.
struct CalendarRecords {
  std::vector<AppointmentRecord> appointments;
  std::vector<TaskRecord> tasks;
  std::vector<std::string> warnings;  // "line N: …"
};

// Why a file cannot be imported at all.
struct ReadError {
  int line = 0;  // 0 when no line can be named
  std::string message;
};

}  // namespace calyra::ics
