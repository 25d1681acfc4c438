#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/core/RecordValues.h"
#include "platform/core/SqliteConnection.h"
#include "platform/objectstore/ObjectStoreTypes.h"

namespace platform {

bool IsKnownPropertyType(WORD type);
// The stored form of a property value; false when its type is unknown or its data too large.
bool ToStoredValue(const CEPROPVAL& value, StoredValue* stored);

// The sort key of a value under a sort order's flags: strings folded for case-insensitive orders,
// FILETIMEs shifted so that SQLite's signed order is their unsigned order.
StoredValue SortKeyOf(const StoredValue& value, WORD type, DWORD sortFlags);

// Bytes a value needs in a read buffer after the CEPROPVAL array (strings with their zero).
size_t BufferBytes(const StoredValue& value, WORD type);
// Fills `out` from a stored value, copying string or blob data to `data`; returns the bytes used there.
size_t FillPropVal(CEPROPID propid, const StoredValue& value, CEPROPVAL* out, BYTE* data);

}  // namespace platform
