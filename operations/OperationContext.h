#pragma once

#include "links/LinkCache.h"
#include "notes/JournalLog.h"
#include "store/PimItem.h"

namespace calyra {

// What an item operation needs of the component: the window that owns its questions, the resource
// module, the journal settings and the process's link cache (kept in step with the link database).
struct OperationContext {
  HWND owner = nullptr;
  HINSTANCE resources = nullptr;
  JournalSettings journal;
  LinkCache* links = nullptr;

  // The context of an item's load and save: a task that has just been completed gets its journal
  // entry.
  ItemContext ItemContextFor() const;
  // Appends the journal entry of `type` about `item` when the journal settings let it through.
  void Journal(ItemOid item, JournalEntryType type) const;
  // Removes every link that involves `item`, both halves of its item links.
  void RemoveLinksOf(ItemOid item) const;
};

}  // namespace calyra
