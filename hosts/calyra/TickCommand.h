#pragma once

#include <cstdio>
#include <map>
#include <string>

namespace calyra::host {

// `calyra tick [--until YYYY-MM-DDTHH:MM | --minutes N]`: the device's clock moved forward, and every
// timed notification that comes due on the way run in the order of its time, as the device's own
// timer runs them: task reminders and alarm notes alike. Each program started is printed with its
// command line (a reminder also with its text). The clock keeps the new time for the device's later
// processes.

bool IsTickOption(const std::string& option);
// "" when the options fit, else the one-line usage problem.
std::string CheckTickOptions(const std::map<std::string, std::string>& options);
// The device is open. The exit code.
int Tick(const std::map<std::string, std::string>& options, std::FILE* out, std::FILE* err);

}  // namespace calyra::host
