#pragma once

#include <cstdio>
#include <string>

#include "platform/time/TimeConversion.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"

namespace calyra::testing {

inline SYSTEMTIME Local(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
  return SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
}

inline std::string Text(const SYSTEMTIME& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond, t.wMilliseconds);
  return text;
}

// Moves the fixed device clock on by a second: identifiers of entries come from the clock, so
// entries made one after another on a stopped clock would share one.
inline void AdvanceClock() {
  platform::AdvanceSystemClock(1);
}

// A record in a Pocket Outlook database, as an item of that kind; its oid.
inline ItemOid AddPimRecord(const char16_t* databaseName, const char16_t* subject) {
  Database database;
  if (!database.Exists(databaseName)) database.Create(databaseName, 0, {});
  if (!database.OpenByName(databaseName)) return 0;
  Record record;
  record.Set(PropertyValue::String(0x0037001F, subject));
  return database.WriteRecord(record) ? record.Oid() : 0;
}

}  // namespace calyra::testing
