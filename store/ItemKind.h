#pragma once

#include "platform/core/PlatformTypes.h"

namespace calyra {

// The object-store identifier of a Pocket Outlook record: the one identity of an item. 0 is none.
using ItemOid = CEOID;

// The kind of an item, found from the database that holds its record. The values are also the
// Pocket Outlook item types used to create items.
enum class ItemKind : int {
  None = 0,
  Appointment = 1,
  Contact = 2,
  Task = 3,
};

}  // namespace calyra
