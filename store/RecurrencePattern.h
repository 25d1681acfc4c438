#pragma once

#include "platform/outlook/PocketOutlook.h"
#include "platform/outlook/Recurrence.h"

namespace calyra {

// The recurrence of an appointment or task as the item objects keep it: Pocket Outlook's kinds 0
// daily, 1 weekly, 2 monthly, 3 monthly on the nth weekday, 5 yearly, 6 yearly on the nth weekday,
// and the component's own semi-monthly kind 4 (appointments only). Dates are local.
struct RecurrencePattern {
  static constexpr LONG kSemiMonthly = 4;

  LONG type = olRecursDaily;
  LONG interval = 1;     // daily: 0 = every weekday
  LONG weekdayMask = 0;  // olSunday 1 ... olSaturday 64
  LONG dayOfMonth = 0;
  LONG instance = 0;  // 1 to 4, 5 = last
  LONG monthOfYear = 0;
  SYSTEMTIME patternStart{};
  bool noEndDate = true;
  SYSTEMTIME patternEnd{};
  LONG occurrences = 0;
  // The semi-monthly kind: Pocket Outlook keeps it as daily every 7 days from its first date; these
  // three fields say which days of the month it means, and travel in a property of their own.
  struct SemiMonthly {
    bool present = false;
    LONG flags = 0;  // day flags 1 (1st), 2 (15th), 4 (last day) ORed with one adjustment
    LONG weekdayMask = 0;
    bool operator==(const SemiMonthly&) const = default;
  };
  SemiMonthly semiMonthly{};

  bool operator==(const RecurrencePattern& other) const;
};

// Reads the fields that the pattern's type uses; false when the pattern cannot be read. A weekly
// interval above 999 counts minutes (whole days are kept) and a weekly mask of 0 becomes Sunday.
bool ReadRecurrencePattern(IRecurrencePattern* source, RecurrencePattern* pattern);
// Writes the type first, then the fields the type uses; false on any failed write.
bool WriteRecurrencePattern(IRecurrencePattern* target, const RecurrencePattern& pattern);

// The pattern as the recurrence engine expands it. Its end is the pattern's: none, after its
// occurrences when it has a count, else by its end date.
platform::RecurrenceData RecurrenceDataOf(const RecurrencePattern& pattern);

// Automation dates of the object model and the SYSTEMTIMEs of the item objects; the no-date value
// maps to 1 January 4501 both ways.
SYSTEMTIME SystemTimeOfDate(DATE date);
DATE DateOfSystemTime(const SYSTEMTIME& time);

}  // namespace calyra
