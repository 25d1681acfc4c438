#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/PlatformTypes.h"

// The texts the project report is made of: its file's place, durations and totals, dates, and the
// resource strings it shows.
namespace calyra {

inline constexpr char16_t kReportFileName[] = u"vlrptgen.rtf";

// The report file of a program at `programPath`: the path cut after its third backslash (the
// program's folder when it has fewer), then the report's name. "\Program Files\Suite\Main.exe" and
// "\Program Files\Suite\Bin\Main.exe" both give "\Program Files\Suite\vlrptgen.rtf".
std::u16string ReportFilePathFor(std::u16string_view programPath);
// The report file beside the running program.
std::u16string ReportFilePath();

// The resource strings of the report, read once per report.
struct ReportStrings {
  explicit ReportStrings(HINSTANCE resources);

  std::u16string hour, hours, minute, minutes;
  std::u16string groupTotal, totalTime, timeRecords;
  std::u16string startDate, endDate, completed, percentComplete;
  std::u16string noDate;     // a date that is not set, or outside 1900-2999
  std::u16string noProject;  // the title of time booked on no loaded project
};

// The duration of a line or group from `minutes`: "(01:05) ", "(02:00) ", "(00:07) ", and
// "(--:--) " for none.
std::u16string ReportDuration(int64_t minutes);
// A total from `minutes`: "1 hour 5 minutes", "2 hours", "7 minutes", and "0 hours" for none.
std::u16string ReportTotal(int64_t minutes, const ReportStrings& strings);
// A date in the locale's short form with a four-digit year; the no-date text when it is not set.
std::u16string ReportDate(const SYSTEMTIME& date, const ReportStrings& strings);

}  // namespace calyra
