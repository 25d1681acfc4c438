#include "editors/RecurrenceDates.h"

#include <cmath>

#include "platform/time/TimeConversion.h"

namespace calyra {

namespace {

// A day more than any pattern reaches: the engine stops there.
constexpr DATE kFarFuture = 2958465.0;  // 31 December 9999
// Enough steps to pass every weekday or every flagged day of a year.
constexpr int kMaxAdjustSteps = 366;

SYSTEMTIME DayOfDate(DATE date) {
  SYSTEMTIME day{};
  VariantTimeToSystemTime(std::floor(date), &day);
  return day;
}

bool Accepted(const SYSTEMTIME& day, LONG weekdayMask) {
  return (WeekdayBit(day) & weekdayMask) != 0;
}

// The flagged days of the month after the one of `day`, ... as the skip adjustment walks them.
SYSTEMTIME NextFlaggedDay(const SYSTEMTIME& day, LONG flags) {
  SYSTEMTIME next = day;
  for (LONG flag : {kSemiFirst, kSemiFifteenth, kSemiLast}) {
    if (!(flags & flag)) continue;
    SYSTEMTIME candidate = SemiMonthlyDay(day, flag);
    if (candidate.wDay > day.wDay) return candidate;
  }
  next.wDay = 1;
  next.wMonth = static_cast<WORD>(day.wMonth == 12 ? 1 : day.wMonth + 1);
  if (day.wMonth == 12) ++next.wYear;
  for (LONG flag : {kSemiFirst, kSemiFifteenth, kSemiLast}) {
    if (flags & flag) return SemiMonthlyDay(next, flag);
  }
  return next;
}

}  // namespace

SYSTEMTIME DayOnly(const SYSTEMTIME& time) {
  SYSTEMTIME day = time;
  day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
  day.wDayOfWeek = static_cast<WORD>(platform::DayOfWeek(day.wYear, day.wMonth, day.wDay));
  return day;
}

SYSTEMTIME AddDays(const SYSTEMTIME& day, int days) {
  DATE date = 0;
  SYSTEMTIME midnight = DayOnly(day);
  SystemTimeToVariantTime(&midnight, &date);
  return DayOnly(DayOfDate(date + days));
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

LONG WeekdayBit(const SYSTEMTIME& day) {
  return 1 << platform::DayOfWeek(day.wYear, day.wMonth, day.wDay);
}

LONG CountOccurrencesUntil(const RecurrencePattern& pattern, const SYSTEMTIME& last) {
  platform::RecurrenceData data = RecurrenceDataOf(pattern);
  data.end = platform::RecurrenceEnd::None;
  SYSTEMTIME lastDay = DayOnly(last);
  DATE until = 0;
  SystemTimeToVariantTime(&lastDay, &until);
  // Every occurrence starts at midnight here: those on the last day count.
  return static_cast<LONG>(
      platform::ExpandOccurrences(data, data.patternStartDate, until + 1, platform::kMaxOccurrenceSteps)
          .size());
}

std::optional<SYSTEMTIME> NthOccurrence(const RecurrencePattern& pattern, LONG n) {
  if (n < 1) return std::nullopt;
  platform::RecurrenceData data = RecurrenceDataOf(pattern);
  data.end = platform::RecurrenceEnd::None;
  std::vector<DATE> found =
      platform::ExpandOccurrences(data, data.patternStartDate, kFarFuture, static_cast<size_t>(n));
  if (found.size() < static_cast<size_t>(n)) return std::nullopt;
  return DayOfDate(found.back());
}

SYSTEMTIME SemiMonthlyDay(const SYSTEMTIME& day, LONG flags) {
  SYSTEMTIME flagged = DayOnly(day);
  if (flags & kSemiLast) {
    flagged.wDay = static_cast<WORD>(platform::DaysInMonth(day.wYear, day.wMonth));
  } else if (flags & kSemiFifteenth) {
    flagged.wDay = 15;
  } else {
    flagged.wDay = 1;
  }
  return DayOnly(flagged);
}

SYSTEMTIME SemiMonthlyFirstValid(const SYSTEMTIME& day, LONG flags, LONG weekdayMask) {
  SYSTEMTIME valid = DayOnly(day);
  if (!(weekdayMask & 0x7F)) return valid;
  for (int step = 0; step < kMaxAdjustSteps && !Accepted(valid, weekdayMask); ++step) {
    if (flags & kSemiSkip) {
      valid = NextFlaggedDay(valid, flags);
    } else if (flags & kSemiDayBefore) {
      valid = AddDays(valid, -1);
    } else if (flags & kSemiDayAfter) {
      valid = AddDays(valid, 1);
    } else {
      break;  // kept on its own weekday
    }
  }
  return valid;
}

SYSTEMTIME SemiMonthlyEnd(const SYSTEMTIME& start, LONG flags, LONG weekdayMask) {
  SYSTEMTIME month = DayOnly(start);
  month.wDay = 1;
  if (month.wMonth == 1) {
    month.wMonth = 12;  // a January start ends in December of its own year
  } else {
    --month.wMonth;
    ++month.wYear;
  }
  SYSTEMTIME end = SemiMonthlyDay(month, flags);
  if (flags & (kSemiDayBefore | kSemiDayAfter)) end = SemiMonthlyFirstValid(end, flags, weekdayMask);
  return end;
}

}  // namespace calyra
