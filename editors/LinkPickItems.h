#pragma once

#include <string>
#include <vector>

#include "store/ItemKind.h"

namespace calyra {

// An item the links page offers to link with: its record and the text its pick list shows.
struct LinkPickItem {
  ItemOid oid = 0;
  std::u16string text;
};

// Every contact by FileAs, every task by subject, or every appointment by start (its subject with
// the start's short date), each read in one step and without `except` (the edited item itself).
// Other kinds: none.
std::vector<LinkPickItem> ReadLinkPickItems(ItemKind kind, ItemOid except);

}  // namespace calyra
