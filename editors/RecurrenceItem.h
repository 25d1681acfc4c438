#pragma once

#include <optional>

#include "store/PimItem.h"
#include "store/RecurrencePattern.h"

namespace calyra {

// What the recurrence page reads and writes of its item, an appointment or a task alike.

// The day the item starts on (a task's start, else its due date); nothing without one.
std::optional<SYSTEMTIME> ItemStartDay(const PimItem& item);
// The pattern start the item asks for: its occurrence date, else its start day, else today.
SYSTEMTIME ItemPatternStart(const PimItem& item);
void SetItemOccurrenceDay(PimItem& item, const SYSTEMTIME& day);
// The item's pattern, or null when it does not recur.
const RecurrencePattern* ItemRecurrence(const PimItem& item);
// Makes the item recur by `pattern` (null: not at all). A recurring item moves onto the pattern's
// start day keeping its times and length, since Pocket Outlook anchors a series at the item; a task
// without dates gets the start day as start and due date.
void SetItemRecurrence(PimItem& item, const RecurrencePattern* pattern);

}  // namespace calyra
