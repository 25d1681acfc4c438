#pragma once

#include <vector>

#include "platform/objectstore/ObjectStoreTypes.h"
#include "store/ItemKind.h"

// Direct access to the three Pocket Outlook databases, one property at a time. Each call opens and
// closes its database: no handle outlives the call.
namespace calyra {

// Opens the database of `kind` positioned at its first record; INVALID_HANDLE_VALUE for any kind
// but appointment, contact and task, or when the open fails. `databaseOid` receives its oid.
HANDLE OpenPimDatabase(ItemKind kind, CEPROPID sortProperty, bool autoIncrement, CEOID* databaseOid);

// The data of a present, non-empty BLOB property of a record; false when the record, the
// property or its data is missing.
bool ReadPimProperty(ItemOid record, ItemKind kind, CEPROPID tag, std::vector<BYTE>* data);

// Writes one BLOB or string property of a record (a string is `size` bytes of UTF-16 text, without
// its zero); true when exactly that record was written.
bool WritePimProperty(ItemOid record, ItemKind kind, CEPROPID tag, const void* data, DWORD size);

// The number of records of a database, from the object store's information about it.
DWORD DatabaseRecordCount(CEOID database);

}  // namespace calyra
