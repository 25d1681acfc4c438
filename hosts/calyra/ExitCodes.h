#pragma once

namespace calyra::host {

// What `calyra` answers to the shell; the usage text lists them too.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // a tour step or an editor request did not work
inline constexpr int kExitUsage = 2;   // the command line is not understood
inline constexpr int kExitDevice = 3;  // the device folder cannot be made or opened
inline constexpr int kExitScript = 4;  // the script cannot be read, or a step does not match
// The same number for the other kind of input file: an iCalendar or vCard file of import cannot be
// read or is malformed.
inline constexpr int kExitBadImportFile = 4;
inline constexpr int kExitBadOid = 5;       // not a number, or no appointment, task or contact has it
inline constexpr int kExitNoComponent = 6;  // the component cannot be loaded or does not start

}  // namespace calyra::host
