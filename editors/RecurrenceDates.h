#pragma once

#include <optional>

#include "store/RecurrencePattern.h"

namespace calyra {

// Dates the recurrence page works out. Occurrences always come from the recurrence engine, so the
// page, the stored item and its expansion agree on every date.

// A day at midnight, and the same day moved by whole days.
SYSTEMTIME DayOnly(const SYSTEMTIME& time);
SYSTEMTIME AddDays(const SYSTEMTIME& day, int days);
bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b);
// The weekday bit of a date (1 Sunday ... 64 Saturday).
LONG WeekdayBit(const SYSTEMTIME& day);

// The number of occurrences from the pattern start up to and including `last`, whatever end the
// pattern has.
LONG CountOccurrencesUntil(const RecurrencePattern& pattern, const SYSTEMTIME& last);
// The day of the nth (from 1) occurrence, whatever end the pattern has; nothing when there is none.
std::optional<SYSTEMTIME> NthOccurrence(const RecurrencePattern& pattern, LONG n);

// The semi-monthly kind: its day flags, adjustments and dates.
inline constexpr LONG kSemiFirst = 1;
inline constexpr LONG kSemiFifteenth = 2;
inline constexpr LONG kSemiLast = 4;
inline constexpr LONG kSemiDayFlags = kSemiFirst | kSemiFifteenth | kSemiLast;
inline constexpr LONG kSemiDefaultDays = kSemiFifteenth | kSemiLast;
inline constexpr LONG kSemiDefaultWeekdays = 62;  // Monday to Friday
inline constexpr LONG kSemiKeep = 4096;           // a date on another weekday stays
inline constexpr LONG kSemiSkip = 8192;           // ... is left out
inline constexpr LONG kSemiDayBefore = 16384;     // ... moves to the nearest weekday before
inline constexpr LONG kSemiDayAfter = 32768;      // ... moves to the nearest weekday after
inline constexpr LONG kSemiAdjustments = kSemiKeep | kSemiSkip | kSemiDayBefore | kSemiDayAfter;

// The flagged day of the month of `day`: the last day when flag 4 is set, else the 15th when flag 2
// is, else the 1st.
SYSTEMTIME SemiMonthlyDay(const SYSTEMTIME& day, LONG flags);
// The first date from the flagged `day` on that the adjustment and weekday mask accept.
SYSTEMTIME SemiMonthlyFirstValid(const SYSTEMTIME& day, LONG flags, LONG weekdayMask);
// The end of a semi-monthly series without a chosen end: the flagged day of the month before the
// start's month a year later, moved as the adjustment moves dates.
SYSTEMTIME SemiMonthlyEnd(const SYSTEMTIME& start, LONG flags, LONG weekdayMask);

}  // namespace calyra
