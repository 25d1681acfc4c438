#include "operations/OperationContext.h"

#include "links/LinkStore.h"

namespace calyra {

ItemContext OperationContext::ItemContextFor() const {
  ItemContext context;
  context.owner = owner;
  context.resources = resources;
  context.taskCompleted = [journal = journal, resources = resources](ItemOid task) {
    WriteJournalEntry(task, JournalEntryType::TaskCompleted, journal, resources);
  };
  return context;
}

void OperationContext::Journal(ItemOid item, JournalEntryType type) const {
  WriteJournalEntry(item, type, journal, resources);
}

void OperationContext::RemoveLinksOf(ItemOid item) const {
  LinkStore store(links);
  store.DeleteLinksOfItem(item);
}

}  // namespace calyra
