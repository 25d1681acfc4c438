#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "hosts/calyra/ItemCommands.h"

namespace calyra::host {

// The options `calyra call-log add` takes, each with a value: --kind, --number, --start, --seconds,
// --name, --label.
bool IsCallLogOption(const std::string& option);

// `calyra call-log add`: appends a call to the device's call log ("\Windows\CallLog.txt", which the
// phone library reads). --kind (missed, incoming or outgoing) and --number are required; --start is a
// local time "YYYY-MM-DDTHH:MM" (default: the device clock), --seconds the length (default 0), --name
// and --label the caller's name and the number's label. Prints the line added. The exit code; a value
// that is not understood is told on `err` with kExitUsage.
int AddCall(const std::map<std::string, std::string>& options, std::FILE* out, std::FILE* err);

// `calyra call-log`: every call of the log as the device's phone library hands them out (loaded as the
// component loads it), one line each, or one JSON array (docs/DEMO.md). kExitFailed when the library
// is missing or the log does not open.
int ListCalls(ListingFormat format, std::FILE* out, std::FILE* err);

}  // namespace calyra::host
