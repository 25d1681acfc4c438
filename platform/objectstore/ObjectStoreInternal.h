#pragma once

#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/objectstore/DatabaseCursor.h"
#include "platform/objectstore/ObjectStore.h"

// Shared by the object store's catalogue and record calls.
namespace platform::objectstore {

// The process's open databases, for change notifications, and where the notifications go.
struct OpenDatabases : ProcessState {
  std::mutex lock;
  std::vector<std::weak_ptr<DatabaseCursor>> cursors;
  DatabaseChangeSink sink;
};

struct DatabaseRow {
  CEOID oid = 0;
  std::u16string name;
  DWORD type = 0;
  DWORD flags = 0;
  int64_t modified = 0;
  DWORD records = 0;
  DWORD size = 0;
};

// What the catalogue says of databases: oids by name, rows and sort orders by oid. It is used only
// inside a transaction, and only while the connection's change counter stands where it stood when the
// cache was filled; every catalogue write of this process forgets it at once, and a record write
// forgets the row of its database (whose counts it changes).
struct CatalogCache : ProcessState {
  uint64_t changeCounter = 0;
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view name) const { return std::hash<std::u16string_view>()(name); }
  };
  // Names as callers spelled them, looked up without copying the caller's.
  std::unordered_map<std::u16string, CEOID, NameHash, std::equal_to<>> oidsByName;
  std::unordered_map<CEOID, DatabaseRow> rows;
  std::unordered_map<CEOID, std::vector<SortOrder>> sortOrders;
};
// What record writes inside the open transaction have added to their databases' rows, not yet written.
struct PendingTouches : ProcessState {
  struct Touch {
    int64_t records = 0;
    int64_t size = 0;
    int64_t modified = 0;
  };
  uint64_t transaction = 0;  // the transaction they belong to
  std::unordered_map<CEOID, Touch> touches;
};
// The cache when it may be used now (emptied first when the store changed); null outside a
// transaction.
CatalogCache* UsableCatalogCache(SqliteConnection& db);
void ForgetCatalog();

bool IsObjectStoreVolume(const CEGUID* volume);
// A handle may be made for `volume`: the object store of an attached device. Otherwise false with the
// error set (ERROR_INVALID_PARAMETER for another volume, ERROR_INVALID_HANDLE without a device).
bool CanOpenOn(const CEGUID* volume);
std::optional<DatabaseRow> LoadDatabase(SqliteConnection& db, CEOID oid);
std::vector<SortOrder> LoadSortOrders(SqliteConnection& db, CEOID database);
// Where a record with these values stands in `order`, and in each of `orders`.
Position SortPositionOf(const SortOrder& order, CEOID record, const RecordValues& values);
std::vector<Position> SortPositionsOf(const std::vector<SortOrder>& orders, CEOID record,
                                      const RecordValues& values);
// Moves a record's keys in `orders` from the positions its values gave to those they give now.
void MoveSortKeys(SqliteConnection& db, CEOID database, const std::vector<SortOrder>& orders,
                  const std::vector<Position>& from, const std::vector<Position>& to);
// The sort keys of a record just made, or of one whose keys were all deleted.
void InsertSortKeys(SqliteConnection& db, CEOID database, CEOID record, const std::vector<SortOrder>& orders,
                    const RecordValues& values);
// Deletes every sort key of a record about to be deleted; they are found from its values.
void DeleteSortKeys(SqliteConnection& db, CEOID database, CEOID record);
struct StoredRecord {
  int64_t size = 0;  // as the record's last write counted it
  RecordValues values;
};
// Thrown for a record whose stored data cannot be read; the call fails with ERROR_INVALID_DATA.
struct DamagedRecord : std::runtime_error {
  DamagedRecord() : std::runtime_error("a record's stored data is damaged") {}
};
// A record of `database` as stored; nothing when it is no such record. Damaged data throws.
std::optional<StoredRecord> LoadRecord(SqliteConnection& db, CEOID record, CEOID database);
// The record this process wrote last, kept while its transaction lasts: a save writes an item's record
// and then its raw properties, and the second write then need not read back what the first wrote.
// TakeWritten hands it over (and forgets it) when it is `record` of `database` in the open
// transaction; every other write or delete of records goes through the calls that keep or forget it.
void KeepWritten(SqliteConnection& db, CEOID record, CEOID database, StoredRecord stored);
std::optional<StoredRecord> TakeWritten(SqliteConnection& db, CEOID record, CEOID database);
void ForgetWritten();
// The values of a record from its data column; damaged data throws.
RecordValues DecodeRecord(std::span<const uint8_t> data);
// Counts a record write in its database's row: record count, size and last-modified time. Inside a
// caller's transaction the counts add up in memory and are written once, before it commits
// (LoadDatabase answers with them meanwhile); FlushTouches writes them sooner, before a catalogue
// write.
void TouchDatabase(SqliteConnection& db, CEOID database, int64_t recordDelta, int64_t sizeDelta);
void FlushTouches(SqliteConnection& db);
// Posts `message` to every window that asked for changes of `database`.
void NotifyChange(CEOID database, UINT message, CEOID oid, CEOID parent);
void RegisterCursor(const std::shared_ptr<DatabaseCursor>& cursor);

DWORD ErrorOfSqlite(const SqliteError& error);

// Runs `body` with the device locked; a missing device or a store failure gives `failure` and an error.
template <class R, class F>
R WithDevice(R failure, F&& body) {
  Device* device = CurrentDevice();
  if (device == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return failure;
  }
  try {
    std::lock_guard guard(device->Lock());
    return body(device->Db());
  } catch (const SqliteError& error) {
    SetLastError(ErrorOfSqlite(error));
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  } catch (const std::exception&) {
    SetLastError(ERROR_INVALID_DATA);
  }
  return failure;
}

}  // namespace platform::objectstore
