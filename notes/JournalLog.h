#pragma once

#include <string>

#include "platform/core/PlatformTypes.h"
#include "store/ItemKind.h"

namespace calyra {

// The journal entry types written for items.
enum class JournalEntryType : DWORD {
  Custom = 0,
  ItemDeleted = 1,
  TaskCompleted = 2,
  Contact = 3,
  Appointment = 4,
  Task = 5,
};

// What the host's journal options say.
struct JournalSettings {
  DWORD flags = 0;  // bit 0: journal on; bits 1 to 5: which entries are written
  std::u16string path;
};

// Appends the journal entry of `type` about `item`, when the journal is on and its flag bit lets the
// type through: the current local time and the type's resource string (deleted, completed or noted)
// formatted with the item's description. True when an entry was appended.
bool WriteJournalEntry(ItemOid item, JournalEntryType type, const JournalSettings& settings,
                       HINSTANCE resources);

}  // namespace calyra
