#pragma once

#include "platform/core/SqliteConnection.h"

namespace platform {

// Brings a device file written by an earlier version to the current layout, inside the caller's
// transaction: records that kept one row per property get their properties as one value of their
// row. A current file is left as it is.
void UpgradeDevice(SqliteConnection& db);

}  // namespace platform
