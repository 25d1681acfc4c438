// Seeking, reading, writing and deleting the records of an open database.
#include <algorithm>
#include <cstring>

#include "platform/core/LocalMemory.h"
#include "platform/objectstore/ObjectStoreInternal.h"

using namespace platform;
using namespace platform::objectstore;

namespace {

std::shared_ptr<DatabaseCursor> CursorOf(HANDLE handle) {
  auto cursor = System::Current().Handles().Get<DatabaseCursor>(handle);
  if (!cursor) SetLastError(ERROR_INVALID_HANDLE);
  return cursor;
}

// The size kept for a record of `database`; nothing when it is no such record.
std::optional<int64_t> SizeOf(SqliteConnection& db, CEOID record, CEOID database) {
  auto statement = db.Prepare("SELECT size FROM objects WHERE oid = ? AND kind = 4 AND parent = ?");
  statement.Bind(1, static_cast<int64_t>(record)).Bind(2, static_cast<int64_t>(database));
  if (record == 0 || !statement.Step()) return std::nullopt;
  return statement.ColumnInt64(0);
}

std::optional<Position> SeekByValue(SqliteConnection& db, DatabaseCursor& cursor, DWORD seekType,
                                    const CEPROPVAL* value, bool* invalid) {
  StoredValue stored;
  const SortOrder& order = cursor.Order();
  if (order.slot < 0 || value == nullptr || value->propid != order.propid ||
      !ToStoredValue(*value, &stored)) {
    *invalid = true;
    return std::nullopt;
  }
  StoredValue key = SortKeyOf(stored, TypeFromPropID(order.propid), order.flags);
  switch (seekType) {
    case CEDB_SEEK_VALUESMALLER:
      return cursor.Smaller(db, key);
    case CEDB_SEEK_VALUEFIRSTEQUAL:
      return cursor.FirstEqual(db, key);
    case CEDB_SEEK_VALUEGREATER:
      return cursor.Greater(db, key);
    default: {  // CEDB_SEEK_VALUENEXTEQUAL: the record after the current one, when it is equal
      if (!cursor.Current(db)) return std::nullopt;
      auto next = cursor.Step(db, *cursor.Current(db), 1, true);
      if (next && next->rank == order.RankOfKnown() && next->key == key) return next;
      return std::nullopt;
    }
  }
}

std::optional<Position> SeekRelative(SqliteConnection& db, DatabaseCursor& cursor, LONG offset) {
  if (!cursor.Current(db)) return std::nullopt;
  if (offset == 0) return cursor.Locate(db, cursor.Current(db)->record);
  bool forward = offset > 0;
  int64_t count = forward ? int64_t{offset} : -int64_t{offset};
  return cursor.Step(db, *cursor.Current(db), count, forward);
}

// The properties to read, in the order the caller asked for them (every stored one when none named).
std::vector<std::pair<CEPROPID, std::optional<StoredValue>>> Requested(const RecordValues& stored, WORD count,
                                                                       const CEPROPID* ids) {
  std::vector<std::pair<CEPROPID, std::optional<StoredValue>>> properties;
  if (ids == nullptr) {
    for (auto& [propid, value] : stored.Entries()) properties.emplace_back(propid, value);
    return properties;
  }
  for (WORD i = 0; i < count; ++i) {
    const StoredValue* found = stored.Find(ids[i]);
    properties.emplace_back(ids[i], found ? std::optional<StoredValue>(*found) : std::nullopt);
  }
  return properties;
}

// Lays the values out as the platform does: the CEPROPVAL array, then the string and blob data.
bool FillBuffer(const std::vector<std::pair<CEPROPID, std::optional<StoredValue>>>& properties, DWORD flags,
                LPBYTE* buffer, DWORD* bufferSize) {
  size_t needed = properties.size() * sizeof(CEPROPVAL);
  for (const auto& [propid, value] : properties) {
    if (value) needed += BufferBytes(*value, TypeFromPropID(propid));
  }
  if (needed > 0xFFFFFFFF) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return false;
  }
  if (*buffer == nullptr || *bufferSize < needed) {
    if (!(flags & CEDB_ALLOWREALLOC)) {
      *bufferSize = static_cast<DWORD>(needed);
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return false;
    }
    size_t size = needed ? needed : 1;
    LPBYTE grown = static_cast<LPBYTE>(*buffer == nullptr ? LocalAlloc(LMEM_FIXED, size)
                                                          : LocalReAlloc(*buffer, size, LMEM_MOVEABLE));
    if (grown == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return false;
    }
    *buffer = grown;
    *bufferSize = static_cast<DWORD>(size);
  }
  auto* values = reinterpret_cast<CEPROPVAL*>(*buffer);
  BYTE* data = *buffer + properties.size() * sizeof(CEPROPVAL);
  for (size_t i = 0; i < properties.size(); ++i) {
    const auto& [propid, value] = properties[i];
    if (!value) {
      values[i] = CEPROPVAL{};
      values[i].propid = propid;
      values[i].wFlags = CEDB_PROPNOTFOUND;
      continue;
    }
    data += FillPropVal(propid, *value, &values[i], data);
  }
  return true;
}

bool ValidateWrite(WORD count, const CEPROPVAL* values,
                   std::vector<std::pair<CEPROPID, std::optional<StoredValue>>>* out) {
  if (count > 0 && values == nullptr) return false;
  for (WORD i = 0; i < count; ++i) {
    if (!IsKnownPropertyType(TypeFromPropID(values[i].propid))) return false;
    if (values[i].wFlags & CEDB_PROPDELETE) {
      out->emplace_back(values[i].propid, std::nullopt);
      continue;
    }
    StoredValue stored;
    if (!ToStoredValue(values[i], &stored)) return false;
    out->emplace_back(values[i].propid, std::move(stored));
  }
  return true;
}

}  // namespace

CEOID CeSeekDatabase(HANDLE database, DWORD seekType, uintptr_t value, DWORD* index) {
  auto cursor = CursorOf(database);
  if (!cursor) return 0;
  return WithDevice<CEOID>(0, [&](SqliteConnection& db) -> CEOID {
    std::optional<Position> found;
    bool invalid = false;
    switch (seekType) {
      case CEDB_SEEK_CEOID:
        found = cursor->Locate(db, static_cast<CEOID>(value));
        break;
      case CEDB_SEEK_BEGINNING:
        found = cursor->First(db, static_cast<int64_t>(static_cast<DWORD>(value)));
        break;
      case CEDB_SEEK_END:
        found = cursor->Last(db, static_cast<int64_t>(static_cast<DWORD>(value)));
        break;
      case CEDB_SEEK_CURRENT:
        found = SeekRelative(db, *cursor, static_cast<LONG>(static_cast<DWORD>(value)));
        break;
      case CEDB_SEEK_VALUESMALLER:
      case CEDB_SEEK_VALUEFIRSTEQUAL:
      case CEDB_SEEK_VALUENEXTEQUAL:
      case CEDB_SEEK_VALUEGREATER:
        found = SeekByValue(db, *cursor, seekType, reinterpret_cast<const CEPROPVAL*>(value), &invalid);
        break;
      default:
        invalid = true;
    }
    if (invalid) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    if (!found) {
      // A failed seek leaves the position where it was.
      SetLastError(ERROR_HANDLE_EOF);
      return 0;
    }
    cursor->SetCurrent(found);
    if (index) *index = cursor->IndexOf(db, *found);
    return found->record;
  });
}

CEOID CeReadRecordPropsEx(HANDLE database, DWORD flags, WORD* propertyCount, const CEPROPID* properties,
                          LPBYTE* buffer, DWORD* bufferSize, HANDLE /*heap*/) {
  auto cursor = CursorOf(database);
  if (!cursor) return 0;
  if (propertyCount == nullptr || buffer == nullptr || bufferSize == nullptr ||
      (properties != nullptr && *propertyCount == 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return WithDevice<CEOID>(0, [&](SqliteConnection& db) -> CEOID {
    if (!cursor->Current(db)) {
      SetLastError(ERROR_HANDLE_EOF);
      return 0;
    }
    CEOID record = cursor->Current(db)->record;
    // The current record may have been deleted through another handle.
    std::optional<StoredRecord> stored = LoadRecord(db, record, cursor->Database());
    if (!stored) {
      SetLastError(ERROR_HANDLE_EOF);
      return 0;
    }
    auto values = Requested(stored->values, *propertyCount, properties);
    if (!FillBuffer(values, flags, buffer, bufferSize)) return 0;
    *propertyCount = static_cast<WORD>(values.size());
    if (cursor->AutoIncrement()) cursor->SetCurrent(cursor->Step(db, *cursor->Current(db), 1, true));
    return record;
  });
}

CEOID CeReadRecordProps(HANDLE database, DWORD flags, WORD* propertyCount, const CEPROPID* properties,
                        LPBYTE* buffer, DWORD* bufferSize) {
  return CeReadRecordPropsEx(database, flags, propertyCount, properties, buffer, bufferSize, nullptr);
}

CEOID CeWriteRecordProps(HANDLE database, CEOID record, WORD propertyCount, const CEPROPVAL* values) {
  auto cursor = CursorOf(database);
  if (!cursor) return 0;
  std::vector<std::pair<CEPROPID, std::optional<StoredValue>>> writes;
  if (!ValidateWrite(propertyCount, values, &writes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  bool created = record == 0;
  CEOID written = WithDevice<CEOID>(0, [&](SqliteConnection& db) -> CEOID {
    CEOID parent = cursor->Database();
    // An open that has not moved stays where it stood before an update that may move records in its
    // order (a new record is passed over when the handle first looks).
    const SortOrder& own = cursor->Order();
    bool movesOwnOrder =
        std::any_of(writes.begin(), writes.end(), [&](const auto& w) { return w.first == own.propid; });
    if (!created && own.slot >= 0 && movesOwnOrder) cursor->Current(db);
    SqliteTransaction transaction(db);
    StoredRecord stored;
    if (!created) {
      std::optional<StoredRecord> found = TakeWritten(db, record, parent);
      if (!found) found = LoadRecord(db, record, parent);
      if (!found) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      stored = std::move(*found);
    }
    // An update moves the keys of the orders whose property it writes.
    std::vector<SortOrder> orders = LoadSortOrders(db, parent);
    if (!created) {
      std::erase_if(orders, [&](const SortOrder& order) {
        return std::none_of(writes.begin(), writes.end(),
                            [&](const auto& w) { return w.first == order.propid; });
      });
    }
    std::vector<Position> was =
        created ? std::vector<Position>{} : SortPositionsOf(orders, record, stored.values);
    // A later write of a property replaces an earlier one, and a deletion of what is not there
    // deletes nothing.
    for (auto& [propid, value] : writes) {
      if (value) {
        stored.values.Set(propid, std::move(*value));
      } else {
        stored.values.Erase(propid);
      }
    }
    int64_t newSize = stored.values.Size();
    if (static_cast<size_t>(newSize) > kMaxRecordBytes) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    std::vector<uint8_t> data = stored.values.Encode();
    CEOID target = record;
    if (created) {
      db.Prepare("INSERT INTO objects(kind, parent, size, data) VALUES(4, ?, ?, ?)")
          .Bind(1, static_cast<int64_t>(parent))
          .Bind(2, newSize)
          .BindBlob(3, data.data(), data.size())
          .Run();
      target = static_cast<CEOID>(db.LastInsertRowId());
      cursor->NoteMade(target);
    } else {
      db.Prepare("UPDATE objects SET size = ?, data = ? WHERE oid = ?")
          .Bind(1, newSize)
          .BindBlob(2, data.data(), data.size())
          .Bind(3, static_cast<int64_t>(target))
          .Run();
    }
    if (created) {
      InsertSortKeys(db, parent, target, orders, stored.values);
    } else {
      MoveSortKeys(db, parent, orders, was, SortPositionsOf(orders, target, stored.values));
    }
    TouchDatabase(db, parent, created ? 1 : 0, newSize - stored.size);
    transaction.Commit();
    stored.size = newSize;
    KeepWritten(db, target, parent, std::move(stored));
    return target;
  });
  if (written)
    NotifyChange(cursor->Database(), created ? DB_CEOID_CREATED : DB_CEOID_CHANGED, written,
                 cursor->Database());
  return written;
}

BOOL CeDeleteRecord(HANDLE database, CEOID record) {
  auto cursor = CursorOf(database);
  if (!cursor) return FALSE;
  BOOL deleted = WithDevice<BOOL>(FALSE, [&](SqliteConnection& db) -> BOOL {
    CEOID parent = cursor->Database();
    std::optional<int64_t> size = SizeOf(db, record, parent);
    if (!size) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    // Deleting the current record moves the position on to the record after it.
    bool wasCurrent = cursor->Current(db) && cursor->Current(db)->record == record;
    std::optional<Position> next =
        wasCurrent ? cursor->Step(db, *cursor->Current(db), 1, true) : std::nullopt;
    SqliteTransaction transaction(db);
    auto id = static_cast<int64_t>(record);
    ForgetWritten();
    DeleteSortKeys(db, parent, record);
    db.Prepare("DELETE FROM objects WHERE oid = ?").Bind(1, id).Run();
    TouchDatabase(db, parent, -1, -*size);
    transaction.Commit();
    if (wasCurrent) cursor->SetCurrent(next);
    return TRUE;
  });
  if (deleted) NotifyChange(cursor->Database(), DB_CEOID_RECORD_DELETED, record, cursor->Database());
  return deleted;
}
