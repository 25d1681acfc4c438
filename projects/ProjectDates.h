#pragma once

#include "platform/core/PlatformTypes.h"

// Dates of project entries are local wall-clock times stored as FILETIMEs with no zone applied, as
// Pocket Outlook stores the local dates of tasks; no date is 1 January 4501.
namespace calyra {

// The stored form of a local time; the no-date value when the time is not set (year 1900-2999).
FILETIME StoredProjectTime(const SYSTEMTIME& local);
// The local time of a stored value; no date for a value that is no time.
SYSTEMTIME LocalProjectTime(const FILETIME& stored);
// The time brought to a whole minute: 30 seconds or more add a minute, seconds and milliseconds
// become 0. A time that is not set stays as it is.
SYSTEMTIME WholeMinute(const SYSTEMTIME& time);

}  // namespace calyra
