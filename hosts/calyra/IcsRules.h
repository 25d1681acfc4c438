#pragma once

#include <libical/ical.h>

#include <string>

#include "hosts/calyra/IcsRecords.h"

namespace calyra::ics {

// Maps an RRULE onto Pocket Outlook's pattern kinds: daily (FREQ=DAILY, or every weekday with
// BYDAY=MO,TU,WE,TH,FR), weekly with days, monthly by day, monthly by n-th weekday (BYDAY=2TU or a
// BYDAY list with one BYSETPOS), yearly by date, yearly by n-th weekday, with COUNT (UNTIL is the
// caller's, as it needs the time zone). False with the reason for a rule it cannot hold.
bool MapRule(const icalrecurrencetype& rule, const SYSTEMTIME& start, RecurrenceRecord* pattern,
             std::string* why);

// The RRULE value for a pattern, as MapRule reads it back; `count` > 0 ends it after that many.
std::string RuleText(const RecurrenceRecord& pattern);

}  // namespace calyra::ics
