#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/core/SqliteConnection.h"

namespace platform {

// One property value as the store keeps it: integers (every integer type, booleans and FILETIMEs),
// doubles, strings and blobs.
using StoredValue = std::variant<int64_t, double, std::u16string, std::vector<uint8_t>>;

// The bytes a stored value occupies, as counted in record and database sizes.
size_t StoredSize(const StoredValue& value);
void BindStored(SqliteStatement& statement, int index, const StoredValue& value);
StoredValue ColumnStored(const SqliteStatement& statement, int column);

// The properties of one object-store record, one value per property tag in tag order, and the
// bytes its row keeps them in. A record is read and written whole: one row per record makes a
// write one statement, where a row per property made it one per property.
class RecordValues {
 public:
  using Entry = std::pair<uint32_t, StoredValue>;

  const StoredValue* Find(uint32_t tag) const;
  void Set(uint32_t tag, StoredValue value);
  void Erase(uint32_t tag);
  const std::vector<Entry>& Entries() const { return entries_; }
  // The bytes the values count for in the record's size.
  int64_t Size() const;

  std::vector<uint8_t> Encode() const;
  // Nothing when the bytes are not what Encode writes (a damaged store).
  static std::optional<RecordValues> Decode(std::span<const uint8_t> data);

 private:
  std::vector<Entry> entries_;  // ascending tags
};

}  // namespace platform
