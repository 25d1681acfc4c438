#pragma once

#include <string>

#include "hosts/calyra/OutlookItems.h"

namespace calyra::ics {

// Writes the appointments or tasks of `items` (already open) as one iCalendar 2.0 text: a VEVENT or
// VTODO per item with the properties the reader maps, times in UTC (all-day events and task dates as
// dates), lines folded at 75 octets and ended by CR LF. The reader reads it back to the same items.
std::string ExportCalendar(host::OutlookItems& items, host::ItemKind kind);

}  // namespace calyra::ics
