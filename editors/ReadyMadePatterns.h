#pragma once

#include <array>
#include <string>

#include "store/RecurrencePattern.h"

namespace calyra {

// The top list of the recurrence page: a few patterns worded for the pattern's start, then the
// full editor. The entries' values are their indexes.
enum class ReadyMade : int { None = 0, Weekly = 1, Monthly = 2, Yearly = 3, Custom = 4 };
inline constexpr int kReadyMadeCount = 5;

// The locale's names of a weekday (0 Sunday to 6 Saturday) and of a month (1 to 12).
std::u16string WeekdayName(int dayOfWeek);
std::u16string MonthName(int month);

// The five entries' texts for a start, in the wording of the resources' language tag (their
// string "DE", "ES" or any other).
std::array<std::u16string, kReadyMadeCount> ReadyMadeTexts(HINSTANCE resources, const std::u16string& tag,
                                                           const SYSTEMTIME& start);

// The entry a stored pattern shows for a start: weekly, monthly or yearly when it is exactly that
// entry's pattern (no end, every week including the start's weekday, every month on the start's day,
// every year on the start's day and month), otherwise Custom.
ReadyMade ReadyMadeOf(const RecurrencePattern& pattern, const SYSTEMTIME& start);

// The pattern of a ready-made entry (Weekly, Monthly or Yearly) for a start; its end is left to the
// caller.
RecurrencePattern ReadyMadePattern(ReadyMade entry, const SYSTEMTIME& start);

}  // namespace calyra
