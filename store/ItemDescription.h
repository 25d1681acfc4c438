#pragma once

#include <optional>
#include <string>

#include "store/ItemKind.h"

namespace calyra {

// The text that names an item in lists of links and in the journal, read straight from its record
// and sized for a buffer of `capacity` characters (with its zero): a contact's file-as name, an
// appointment's subject followed by " (" its start date ")" when that fits whole, a task's subject
// or "<?>" when it has none. Nothing for an appointment or task whose record is gone, or any other
// kind; a contact without a file-as name, or without a record, has the empty text.
std::optional<std::u16string> ItemDescription(ItemOid item, ItemKind kind, size_t capacity);

}  // namespace calyra
