#pragma once

#include "store/ItemKind.h"

namespace calyra {

// The kind of an item, from the database that holds its record: None for an oid that is no record,
// or a record of any other database.
ItemKind ItemKindOf(ItemOid oid);

}  // namespace calyra
