#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/objectstore/ObjectStoreTypes.h"

// The records behind Pocket Outlook's items: which database holds which kind, reading a record into
// a property map and writing one back. Every call opens and closes its own handle.
namespace platform::outlook {

enum class ItemKind { None, Appointment, Task, Contact };

// One property as the model keeps it; `absent` writes a deletion.
struct PropValue {
  WORD type = 0;
  bool absent = false;
  uint32_t number = 0;
  int64_t ticks = 0;
  std::u16string text;
  std::vector<uint8_t> blob;
};
using PropertyMap = std::map<CEPROPID, PropValue>;

PropValue NumberValue(uint32_t number);
PropValue TimeValue(int64_t ticks);
// Empty text and empty blobs are stored as absent properties.
PropValue TextValue(std::u16string text);
PropValue BlobValue(std::vector<uint8_t> bytes);

const char16_t* DatabaseNameOf(ItemKind kind);
// The sort order the database is created with: appointments by start, tasks by subject, contacts
// by file-as.
CEPROPID SortPropertyOf(ItemKind kind);

// The kind of the database that holds the record, None when `oid` is not a live record of the three.
ItemKind KindOfRecord(CEOID oid);
// Every property of the record; false when it is not a live record of the database of `kind` (which
// the caller may have found already: `kindKnown`).
bool ReadItemRecord(ItemKind kind, CEOID oid, PropertyMap* properties, bool kindKnown = false);
// Writes the properties (absent ones are deleted) to the record, a new one when `oid` is 0. Answers
// the record's oid, 0 on failure. The database is created on first need.
CEOID WriteItemRecord(ItemKind kind, CEOID oid, const PropertyMap& properties);
bool DeleteItemRecord(ItemKind kind, CEOID oid);
// The records in the database's sort order. Appointment records that stand for a changed occurrence
// of a series are left out.
std::vector<CEOID> ListItemRecords(ItemKind kind);

}  // namespace platform::outlook
