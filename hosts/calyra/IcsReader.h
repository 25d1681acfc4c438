#pragma once

#include <string>

#include "hosts/calyra/IcsRecords.h"

namespace calyra::ics {

// Reads a whole iCalendar file into records: checks its lines, parses it with libical, refuses it
// when libical marked a parse error (X-LIC-ERROR) or a date cannot be, and maps every VEVENT and
// VTODO. What Pocket Outlook cannot hold (a VJOURNAL, a rule it has no pattern for) is left out
// with a warning. Times become the device's local time, so a device must be attached. Nothing is
// written. False with `error` when nothing of the file may be imported. The text is a string, so
// that libical parses it in place (a calendar of thousands of events is megabytes).
bool ReadCalendar(const std::string& text, CalendarRecords* records, ReadError* error);

}  // namespace calyra::ics
