#include "store/RecurrencePattern.h"

#include <cmath>
#include <cstring>

#include "platform/time/TimeConversion.h"

namespace calyra {

namespace {

constexpr LONG kMinutesPerDay = 1440;
constexpr LONG kLargestWeeklyInterval = 999;

bool UsesInterval(LONG type) {
  return type == olRecursDaily || type == olRecursWeekly || type == olRecursMonthly ||
         type == olRecursMonthNth;
}
bool UsesWeekdays(const RecurrencePattern& p) {
  return (p.type == olRecursDaily && p.interval == 0) || p.type == olRecursWeekly ||
         p.type == olRecursMonthNth || p.type == olRecursYearNth;
}
bool UsesDayOfMonth(LONG type) {
  return type == olRecursMonthly || type == olRecursYearly;
}
bool UsesInstance(LONG type) {
  return type == olRecursMonthNth || type == olRecursYearNth;
}
bool UsesMonth(LONG type) {
  return type == olRecursYearly || type == olRecursYearNth;
}

}  // namespace

bool RecurrencePattern::operator==(const RecurrencePattern& other) const {
  auto same = [](const SYSTEMTIME& a, const SYSTEMTIME& b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  return type == other.type && interval == other.interval && weekdayMask == other.weekdayMask &&
         dayOfMonth == other.dayOfMonth && instance == other.instance && monthOfYear == other.monthOfYear &&
         same(patternStart, other.patternStart) && noEndDate == other.noEndDate &&
         same(patternEnd, other.patternEnd) && occurrences == other.occurrences &&
         semiMonthly == other.semiMonthly;
}

platform::RecurrenceData RecurrenceDataOf(const RecurrencePattern& pattern) {
  platform::RecurrenceData data;
  data.type = pattern.type;
  data.interval = pattern.interval;
  data.dayOfWeekMask = pattern.weekdayMask;
  data.dayOfMonth = pattern.dayOfMonth;
  data.instance = pattern.instance;
  data.monthOfYear = pattern.monthOfYear;
  data.patternStartDate = std::floor(DateOfSystemTime(pattern.patternStart));
  if (pattern.noEndDate) {
    data.end = platform::RecurrenceEnd::None;
  } else if (pattern.occurrences > 0) {
    data.end = platform::RecurrenceEnd::AfterCount;
    data.occurrences = pattern.occurrences;
  } else {
    data.end = platform::RecurrenceEnd::ByDate;
    data.patternEndDate = std::floor(DateOfSystemTime(pattern.patternEnd));
  }
  return data;
}

SYSTEMTIME SystemTimeOfDate(DATE date) {
  SYSTEMTIME time = platform::kNoDateSystemTime;
  if (date != platform::kNoDate) VariantTimeToSystemTime(date, &time);
  return time;
}

DATE DateOfSystemTime(const SYSTEMTIME& time) {
  DATE date = platform::kNoDate;
  if (platform::IsDateSet(time)) SystemTimeToVariantTime(&time, &date);
  return date;
}

bool ReadRecurrencePattern(IRecurrencePattern* source, RecurrencePattern* pattern) {
  if (!source || !pattern) return false;
  RecurrencePattern read;
  if (FAILED(source->get_RecurrenceType(&read.type))) return false;
  bool ok = true;
  if (UsesInterval(read.type)) ok &= SUCCEEDED(source->get_Interval(&read.interval));
  if (UsesWeekdays(read)) ok &= SUCCEEDED(source->get_DayOfWeekMask(&read.weekdayMask));
  if (UsesDayOfMonth(read.type)) ok &= SUCCEEDED(source->get_DayOfMonth(&read.dayOfMonth));
  if (UsesInstance(read.type)) ok &= SUCCEEDED(source->get_Instance(&read.instance));
  if (UsesMonth(read.type)) ok &= SUCCEEDED(source->get_MonthOfYear(&read.monthOfYear));
  DATE start = platform::kNoDate;
  ok &= SUCCEEDED(source->get_PatternStartDate(&start));
  read.patternStart = SystemTimeOfDate(start);
  VARIANT_BOOL noEnd = VARIANT_TRUE;
  ok &= SUCCEEDED(source->get_NoEndDate(&noEnd));
  read.noEndDate = noEnd != VARIANT_FALSE;
  read.patternEnd = platform::kNoDateSystemTime;
  if (!read.noEndDate) {
    DATE end = platform::kNoDate;
    ok &= SUCCEEDED(source->get_PatternEndDate(&end));
    ok &= SUCCEEDED(source->get_Occurrences(&read.occurrences));
    read.patternEnd = SystemTimeOfDate(end);
  }
  if (!ok) return false;
  if (read.type == olRecursWeekly) {
    if (read.interval > kLargestWeeklyInterval) read.interval /= kMinutesPerDay;
    if (read.weekdayMask == 0) read.weekdayMask = olSunday;
  }
  *pattern = read;
  return true;
}

bool WriteRecurrencePattern(IRecurrencePattern* target, const RecurrencePattern& pattern) {
  if (!target || FAILED(target->put_RecurrenceType(pattern.type))) return false;
  bool ok = SUCCEEDED(target->put_PatternStartDate(DateOfSystemTime(pattern.patternStart)));
  if (UsesInterval(pattern.type)) ok &= SUCCEEDED(target->put_Interval(pattern.interval));
  if (UsesWeekdays(pattern)) ok &= SUCCEEDED(target->put_DayOfWeekMask(pattern.weekdayMask));
  if (UsesDayOfMonth(pattern.type)) ok &= SUCCEEDED(target->put_DayOfMonth(pattern.dayOfMonth));
  if (UsesInstance(pattern.type)) ok &= SUCCEEDED(target->put_Instance(pattern.instance));
  if (UsesMonth(pattern.type)) ok &= SUCCEEDED(target->put_MonthOfYear(pattern.monthOfYear));
  ok &= SUCCEEDED(target->put_NoEndDate(pattern.noEndDate ? VARIANT_TRUE : VARIANT_FALSE));
  if (!pattern.noEndDate) {
    if (pattern.occurrences > 0) {
      ok &= SUCCEEDED(target->put_Occurrences(pattern.occurrences));
    } else {
      ok &= SUCCEEDED(target->put_PatternEndDate(DateOfSystemTime(pattern.patternEnd)));
    }
  }
  return ok;
}

}  // namespace calyra
