#include "projects/ReportTexts.h"

#include "platform/files/FileSystem.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"
#include "text/DateTimeText.h"

namespace calyra {

namespace {

constexpr int kFolderDepth = 3;  // the backslash after which the report's folder ends

}  // namespace

std::u16string ReportFilePathFor(std::u16string_view programPath) {
  size_t cut = std::u16string_view::npos;
  size_t at = 0;
  for (int found = 0; found < kFolderDepth; ++found) {
    at = programPath.find(u'\\', found == 0 ? 0 : at + 1);
    if (at == std::u16string_view::npos) break;
    cut = at;
  }
  // Without a folder at all the program sits at the root.
  std::u16string folder =
      cut == std::u16string_view::npos ? u"\\" : std::u16string(programPath.substr(0, cut + 1));
  return folder + kReportFileName;
}

std::u16string ReportFilePath() {
  WCHAR program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  return ReportFilePathFor(program);
}

ReportStrings::ReportStrings(HINSTANCE resources)
    : hour(ResourceText(resources, resources::kStringReportHour)),
      hours(ResourceText(resources, resources::kStringReportHours)),
      minute(ResourceText(resources, resources::kStringReportMinute)),
      minutes(ResourceText(resources, resources::kStringReportMinutes)),
      groupTotal(ResourceText(resources, resources::kStringReportGroupTotal)),
      totalTime(ResourceText(resources, resources::kStringReportTotalTime)),
      timeRecords(ResourceText(resources, resources::kStringReportTimeRecords)),
      startDate(ResourceText(resources, resources::kStringReportStartDate)),
      endDate(ResourceText(resources, resources::kStringReportEndDate)),
      completed(ResourceText(resources, resources::kStringReportCompleted)),
      percentComplete(ResourceText(resources, resources::kStringReportPercentComplete)),
      noDate(ResourceText(resources, resources::kStringReportNoDate)),
      noProject(ResourceText(resources, resources::kStringNoSubject)) {}

std::u16string ReportDuration(int64_t minutes) {
  if (minutes == 0) return u"(--:--) ";
  int64_t hours = minutes / 60;
  int64_t rest = minutes % 60;
  if (rest == 0) return platform::FormatText(u"(%02d:00) ", {static_cast<long long>(hours)});
  if (hours == 0) return platform::FormatText(u"(00:%02d) ", {static_cast<long long>(rest)});
  return platform::FormatText(u"(%02d:%02d) ", {static_cast<long long>(hours), static_cast<long long>(rest)});
}

std::u16string ReportTotal(int64_t minutes, const ReportStrings& strings) {
  auto hours = static_cast<long long>(minutes / 60);
  auto rest = static_cast<long long>(minutes % 60);
  const std::u16string& hourWord = hours == 1 ? strings.hour : strings.hours;
  const std::u16string& minuteWord = rest == 1 ? strings.minute : strings.minutes;
  if (minutes == 0) return platform::FormatText(u"0 %s", {strings.hours});
  if (rest == 0) return platform::FormatText(u"%d %s", {hours, hourWord});
  if (hours == 0) return platform::FormatText(u"%d %s", {rest, minuteWord});
  return platform::FormatText(u"%d %s %d %s", {hours, hourWord, rest, minuteWord});
}

std::u16string ReportDate(const SYSTEMTIME& date, const ReportStrings& strings) {
  if (!platform::IsDateSet(date)) return strings.noDate;
  return DateTimeText().FormatShortDateFourDigitYear(date);
}

}  // namespace calyra
