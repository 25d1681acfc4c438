#include "platform/objectstore/ObjectStoreInternal.h"

#include <algorithm>

namespace platform::objectstore {

bool IsObjectStoreVolume(const CEGUID* volume) {
  if (volume == nullptr) return true;
  return volume->Data1 == 0xFFFFFFFF && volume->Data2 == 0xFFFFFFFF && volume->Data3 == 0xFFFFFFFF &&
         volume->Data4 == 0xFFFFFFFF;
}

bool CanOpenOn(const CEGUID* volume) {
  if (!IsObjectStoreVolume(volume)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (CurrentDevice() == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return true;
}

namespace {

// The row as the store will hold it once the open transaction's pending touches are written.
DatabaseRow WithPendingTouch(SqliteConnection& db, DatabaseRow row) {
  auto& pending = System::Current().State<PendingTouches>();
  if (db.Transaction() == 0 || pending.transaction != db.Transaction()) return row;
  auto found = pending.touches.find(row.oid);
  if (found == pending.touches.end()) return row;
  const PendingTouches::Touch& touch = found->second;
  row.records = static_cast<DWORD>(std::max<int64_t>(0, int64_t{row.records} + touch.records));
  row.size = static_cast<DWORD>(std::clamp<int64_t>(int64_t{row.size} + touch.size, 0, 0xFFFFFFFF));
  row.modified = touch.modified;
  return row;
}

}  // namespace

std::optional<DatabaseRow> LoadDatabase(SqliteConnection& db, CEOID oid) {
  CatalogCache* cache = UsableCatalogCache(db);
  if (cache) {
    if (auto found = cache->rows.find(oid); found != cache->rows.end())
      return WithPendingTouch(db, found->second);
  }
  auto statement =
      db.Prepare("SELECT name, type, flags, modified, records, size FROM databases WHERE oid = ?");
  statement.Bind(1, static_cast<int64_t>(oid));
  if (!statement.Step()) return std::nullopt;
  DatabaseRow row;
  row.oid = oid;
  row.name = statement.ColumnText16(0);
  row.type = static_cast<DWORD>(statement.ColumnInt64(1));
  row.flags = static_cast<DWORD>(statement.ColumnInt64(2));
  row.modified = statement.ColumnInt64(3);
  row.records = static_cast<DWORD>(statement.ColumnInt64(4));
  row.size = static_cast<DWORD>(std::min<int64_t>(statement.ColumnInt64(5), 0xFFFFFFFF));
  if (cache) cache->rows.emplace(oid, row);
  return WithPendingTouch(db, row);
}

CatalogCache* UsableCatalogCache(SqliteConnection& db) {
  if (db.TransactionDepth() == 0) return nullptr;
  auto& cache = System::Current().State<CatalogCache>();
  uint64_t counter = db.ChangeCounter();
  if (cache.changeCounter != counter) {
    cache.oidsByName.clear();
    cache.rows.clear();
    cache.sortOrders.clear();
    cache.changeCounter = counter;
  }
  return &cache;
}

void ForgetCatalog() {
  ForgetWritten();  // a catalogue write may delete the records of a database
  auto& cache = System::Current().State<CatalogCache>();
  cache.oidsByName.clear();
  cache.rows.clear();
  cache.sortOrders.clear();
}

std::vector<SortOrder> LoadSortOrders(SqliteConnection& db, CEOID database) {
  CatalogCache* cache = UsableCatalogCache(db);
  if (cache) {
    if (auto found = cache->sortOrders.find(database); found != cache->sortOrders.end()) return found->second;
  }
  auto statement = db.Prepare("SELECT slot, propid, flags FROM sortorders WHERE db = ? ORDER BY slot");
  statement.Bind(1, static_cast<int64_t>(database));
  std::vector<SortOrder> orders;
  while (statement.Step()) {
    orders.push_back({static_cast<int>(statement.ColumnInt64(0)),
                      static_cast<CEPROPID>(statement.ColumnInt64(1)),
                      static_cast<DWORD>(statement.ColumnInt64(2))});
  }
  if (cache) cache->sortOrders[database] = orders;
  return orders;
}

Position SortPositionOf(const SortOrder& order, CEOID record, const RecordValues& values) {
  const StoredValue* value = values.Find(order.propid);
  if (value == nullptr) return Position{order.RankOfUnknown(), int64_t{0}, record};
  return Position{order.RankOfKnown(), SortKeyOf(*value, TypeFromPropID(order.propid), order.flags), record};
}

namespace {

void InsertSortKey(SqliteConnection& db, CEOID database, const SortOrder& order, const Position& position) {
  auto insert = db.Prepare("INSERT INTO sortkeys(db, slot, rank, key, record) VALUES(?, ?, ?, ?, ?)");
  insert.Bind(1, static_cast<int64_t>(database))
      .Bind(2, static_cast<int64_t>(order.slot))
      .Bind(3, position.rank);
  BindStored(insert, 4, position.key);
  insert.Bind(5, static_cast<int64_t>(position.record)).Run();
}

// Deletes a record's key of one order by the whole key; a key that was not where its values say it is
// (damaged data, keys made by an older build) is looked for among the order's keys.
void DeleteSortKey(SqliteConnection& db, CEOID database, const SortOrder& order, CEOID record,
                   const std::optional<Position>& position) {
  if (position) {
    auto exact =
        db.Prepare("DELETE FROM sortkeys WHERE db = ? AND slot = ? AND rank = ? AND key = ? AND record = ?");
    exact.Bind(1, static_cast<int64_t>(database))
        .Bind(2, static_cast<int64_t>(order.slot))
        .Bind(3, position->rank);
    BindStored(exact, 4, position->key);
    exact.Bind(5, static_cast<int64_t>(record)).Run();
    if (db.Changes() > 0) return;
  }
  db.Prepare("DELETE FROM sortkeys WHERE db = ? AND slot = ? AND record = ?")
      .Bind(1, static_cast<int64_t>(database))
      .Bind(2, static_cast<int64_t>(order.slot))
      .Bind(3, static_cast<int64_t>(record))
      .Run();
}

}  // namespace

std::vector<Position> SortPositionsOf(const std::vector<SortOrder>& orders, CEOID record,
                                      const RecordValues& values) {
  std::vector<Position> positions;
  positions.reserve(orders.size());
  for (const SortOrder& order : orders) positions.push_back(SortPositionOf(order, record, values));
  return positions;
}

void MoveSortKeys(SqliteConnection& db, CEOID database, const std::vector<SortOrder>& orders,
                  const std::vector<Position>& from, const std::vector<Position>& to) {
  for (size_t i = 0; i < orders.size(); ++i) {
    if (from[i].rank == to[i].rank && from[i].key == to[i].key) continue;
    DeleteSortKey(db, database, orders[i], from[i].record, from[i]);
    InsertSortKey(db, database, orders[i], to[i]);
  }
}

void InsertSortKeys(SqliteConnection& db, CEOID database, CEOID record, const std::vector<SortOrder>& orders,
                    const RecordValues& values) {
  for (const SortOrder& order : orders)
    InsertSortKey(db, database, order, SortPositionOf(order, record, values));
}

void DeleteSortKeys(SqliteConnection& db, CEOID database, CEOID record) {
  std::vector<SortOrder> orders = LoadSortOrders(db, database);
  if (orders.empty()) return;
  std::optional<StoredRecord> stored;
  try {
    stored = LoadRecord(db, record, database);
  } catch (const DamagedRecord&) {
  }
  for (const SortOrder& order : orders) {
    std::optional<Position> position;
    if (stored) position = SortPositionOf(order, record, stored->values);
    DeleteSortKey(db, database, order, record, position);
  }
}

RecordValues DecodeRecord(std::span<const uint8_t> data) {
  std::optional<RecordValues> values = RecordValues::Decode(data);
  if (!values) throw DamagedRecord();
  return std::move(*values);
}

std::optional<StoredRecord> LoadRecord(SqliteConnection& db, CEOID record, CEOID database) {
  auto statement = db.Prepare("SELECT size, data FROM objects WHERE oid = ? AND kind = 4 AND parent = ?");
  statement.Bind(1, static_cast<int64_t>(record)).Bind(2, static_cast<int64_t>(database));
  if (record == 0 || !statement.Step()) return std::nullopt;
  return StoredRecord{statement.ColumnInt64(0), DecodeRecord(statement.ColumnBlobView(1))};
}

namespace {

struct WrittenRecord : ProcessState {
  uint64_t transaction = 0;
  CEOID record = 0;
  CEOID database = 0;
  StoredRecord stored;
};

}  // namespace

void KeepWritten(SqliteConnection& db, CEOID record, CEOID database, StoredRecord stored) {
  auto& written = System::Current().State<WrittenRecord>();
  written.transaction = db.Transaction();
  written.record = record;
  written.database = database;
  written.stored = std::move(stored);
}

std::optional<StoredRecord> TakeWritten(SqliteConnection& db, CEOID record, CEOID database) {
  auto& written = System::Current().State<WrittenRecord>();
  bool kept = written.transaction != 0 && written.transaction == db.Transaction() &&
              written.record == record && written.database == database;
  written.transaction = 0;
  if (!kept) return std::nullopt;
  return std::move(written.stored);
}

void ForgetWritten() {
  System::Current().State<WrittenRecord>().transaction = 0;
}

namespace {

void WriteTouch(SqliteConnection& db, CEOID database, const PendingTouches::Touch& touch) {
  System::Current().State<CatalogCache>().rows.erase(database);
  db.Prepare(
        "UPDATE databases SET records = records + ?, size = max(0, size + ?), modified = ? WHERE oid = ?")
      .Bind(1, touch.records)
      .Bind(2, touch.size)
      .Bind(3, touch.modified)
      .Bind(4, static_cast<int64_t>(database))
      .Run();
}

// The touches of the open transaction; emptied when they belong to an earlier one.
PendingTouches& PendingOf(SqliteConnection& db) {
  auto& pending = System::Current().State<PendingTouches>();
  if (pending.transaction != db.Transaction()) {
    pending.touches.clear();
    pending.transaction = db.Transaction();
  }
  return pending;
}

}  // namespace

void TouchDatabase(SqliteConnection& db, CEOID database, int64_t recordDelta, int64_t sizeDelta) {
  int64_t now = System::Current().DeviceClock().NowUtc();
  if (db.TransactionDepth() <= 1) {
    WriteTouch(db, database, {recordDelta, sizeDelta, now});
    return;
  }
  // A caller's transaction (an import, a save of several records) writes each row once.
  PendingTouches& pending = PendingOf(db);
  if (pending.touches.empty()) db.BeforeCommit([&db] { FlushTouches(db); });
  PendingTouches::Touch& touch = pending.touches[database];
  touch.records += recordDelta;
  touch.size += sizeDelta;
  touch.modified = now;
}

void FlushTouches(SqliteConnection& db) {
  PendingTouches& pending = PendingOf(db);
  for (const auto& [database, touch] : pending.touches) WriteTouch(db, database, touch);
  pending.touches.clear();
}

void RegisterCursor(const std::shared_ptr<DatabaseCursor>& cursor) {
  auto& open = System::Current().State<OpenDatabases>();
  std::lock_guard guard(open.lock);
  std::erase_if(open.cursors, [](const auto& weak) { return weak.expired(); });
  open.cursors.push_back(cursor);
}

void NotifyChange(CEOID database, UINT message, CEOID oid, CEOID parent) {
  auto& open = System::Current().State<OpenDatabases>();
  std::vector<HWND> windows;
  DatabaseChangeSink sink;
  {
    std::lock_guard guard(open.lock);
    if (!open.sink) return;
    sink = open.sink;
    for (const auto& weak : open.cursors) {
      auto cursor = weak.lock();
      if (cursor && cursor->Database() == database && cursor->NotifyWindow() != nullptr) {
        windows.push_back(cursor->NotifyWindow());
      }
    }
  }
  std::sort(windows.begin(), windows.end());
  windows.erase(std::unique(windows.begin(), windows.end()), windows.end());
  for (HWND window : windows) sink(window, message, oid, static_cast<LPARAM>(parent));
}

DWORD ErrorOfSqlite(const SqliteError& error) {
  switch (error.code & 0xFF) {
    case SQLITE_FULL:
      return ERROR_DISK_FULL;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return ERROR_SHARING_VIOLATION;
    case SQLITE_NOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_CONSTRAINT:
      return ERROR_ALREADY_EXISTS;
    default:
      return ERROR_WRITE_FAULT;
  }
}

}  // namespace platform::objectstore

void platform::SetDatabaseChangeSink(DatabaseChangeSink sink) {
  auto& open = System::Current().State<objectstore::OpenDatabases>();
  std::lock_guard guard(open.lock);
  open.sink = std::move(sink);
}
