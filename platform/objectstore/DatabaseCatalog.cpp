// The object store's catalogue: creating, opening, describing, changing, deleting and enumerating
// databases, and telling what an object identifier names.
#include <algorithm>

#include "platform/objectstore/ObjectStoreInternal.h"
#include "platform/text/Text.h"

using namespace platform;
using namespace platform::objectstore;

namespace {

bool ValidName(const WCHAR* name, std::u16string_view* out) {
  std::u16string_view text = TextView(name, CEDB_MAXDBASENAMELEN);
  if (text.empty() || text.size() >= static_cast<size_t>(CEDB_MAXDBASENAMELEN)) return false;
  *out = text;
  return true;
}

bool ValidSortOrders(const CEDBASEINFO& info) {
  if (info.wNumSortOrder > CEDB_MAXSORTORDER) return false;
  for (int i = 0; i < info.wNumSortOrder; ++i) {
    const SORTORDERSPEC& spec = info.rgSortSpecs[i];
    if (!IsKnownPropertyType(TypeFromPropID(spec.propid))) return false;
  }
  return true;
}

void WriteSortOrders(SqliteConnection& db, CEOID database, const CEDBASEINFO& info) {
  db.Prepare("DELETE FROM sortorders WHERE db = ?").Bind(1, static_cast<int64_t>(database)).Run();
  db.Prepare("DELETE FROM sortkeys WHERE db = ?").Bind(1, static_cast<int64_t>(database)).Run();
  for (int i = 0; i < info.wNumSortOrder; ++i) {
    db.Prepare("INSERT INTO sortorders(db, slot, propid, flags) VALUES(?, ?, ?, ?)")
        .Bind(1, static_cast<int64_t>(database))
        .Bind(2, int64_t{i})
        .Bind(3, static_cast<int64_t>(info.rgSortSpecs[i].propid))
        .Bind(4, static_cast<int64_t>(info.rgSortSpecs[i].dwFlags))
        .Run();
  }
  std::vector<SortOrder> orders = LoadSortOrders(db, database);
  if (orders.empty()) return;
  auto records = db.Prepare("SELECT oid, data FROM objects WHERE parent = ? AND kind = 4");
  records.Bind(1, static_cast<int64_t>(database));
  std::vector<std::pair<CEOID, RecordValues>> stored;
  while (records.Step())
    stored.emplace_back(static_cast<CEOID>(records.ColumnInt64(0)), DecodeRecord(records.ColumnBlobView(1)));
  for (const auto& [record, values] : stored) InsertSortKeys(db, database, record, orders, values);
}

std::optional<CEOID> FindDatabaseByName(SqliteConnection& db, std::u16string_view name) {
  CatalogCache* cache = UsableCatalogCache(db);
  if (cache) {
    if (auto found = cache->oidsByName.find(name); found != cache->oidsByName.end()) return found->second;
  }
  auto statement = db.Prepare("SELECT oid FROM databases WHERE fold = ?");
  statement.Bind(1, std::u16string_view(FoldCase(name)));
  if (!statement.Step()) return std::nullopt;
  auto oid = static_cast<CEOID>(statement.ColumnInt64(0));
  if (cache) cache->oidsByName.emplace(name, oid);
  return oid;
}

bool IsOpenInProcess(CEOID database) {
  auto& open = System::Current().State<OpenDatabases>();
  std::lock_guard guard(open.lock);
  return std::any_of(open.cursors.begin(), open.cursors.end(), [&](const auto& weak) {
    auto cursor = weak.lock();
    return cursor && cursor->Database() == database;
  });
}

void FillDatabaseInfo(SqliteConnection& db, const DatabaseRow& row, CEDBASEINFO* info) {
  *info = CEDBASEINFO{};
  info->dwFlags =
      CEDB_VALIDNAME | CEDB_VALIDTYPE | CEDB_VALIDSORTSPEC | CEDB_VALIDMODTIME | CEDB_VALIDDBFLAGS;
  BoundedCopy(info->szDbaseName, CEDB_MAXDBASENAMELEN, row.name);
  info->dwDbaseType = row.type;
  info->dwDbaseFlags = row.flags;
  info->dwNumRecords = row.records;
  info->dwSize = row.size;
  info->ftLastModified.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(row.modified));
  info->ftLastModified.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(row.modified) >> 32);
  std::vector<SortOrder> orders = LoadSortOrders(db, row.oid);
  info->wNumSortOrder = static_cast<WORD>(orders.size());
  for (size_t i = 0; i < orders.size() && i < CEDB_MAXSORTORDER; ++i) {
    info->rgSortSpecs[i] = SORTORDERSPEC{orders[i].propid, orders[i].flags};
  }
}

// A database search handle remembers the last oid it returned.
struct DatabaseSearch : KernelObject {
  DWORD type = 0;
  CEOID last = 0;
};

}  // namespace

CEOID CeCreateDatabaseEx(PCEGUID volume, CEDBASEINFO* info) {
  std::u16string_view name;
  if (!IsObjectStoreVolume(volume) || info == nullptr || !(info->dwFlags & CEDB_VALIDNAME) ||
      !ValidName(info->szDbaseName, &name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  CEDBASEINFO spec = *info;
  if (!(spec.dwFlags & CEDB_VALIDSORTSPEC)) spec.wNumSortOrder = 0;
  if (!ValidSortOrders(spec)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return WithDevice<CEOID>(0, [&](SqliteConnection& db) -> CEOID {
    SqliteTransaction transaction(db);
    ForgetCatalog();
    if (FindDatabaseByName(db, name)) {
      SetLastError(ERROR_ALREADY_EXISTS);
      return 0;
    }
    db.Prepare("INSERT INTO objects(kind, parent) VALUES(3, 0)").Run();
    auto oid = static_cast<CEOID>(db.LastInsertRowId());
    db.Prepare("INSERT INTO databases(oid, name, fold, type, flags, modified) VALUES(?, ?, ?, ?, ?, ?)")
        .Bind(1, static_cast<int64_t>(oid))
        .Bind(2, name)
        .Bind(3, std::u16string_view(FoldCase(name)))
        .Bind(4, static_cast<int64_t>((spec.dwFlags & CEDB_VALIDTYPE) ? spec.dwDbaseType : 0))
        .Bind(5, static_cast<int64_t>((spec.dwFlags & CEDB_VALIDDBFLAGS) ? spec.dwDbaseFlags : 0))
        .Bind(6, System::Current().DeviceClock().NowUtc())
        .Run();
    WriteSortOrders(db, oid, spec);
    ForgetCatalog();  // again: reads inside this transaction may have kept the old rows
    transaction.Commit();
    return oid;
  });
}

HANDLE CeOpenDatabaseEx(PCEGUID volume, PCEOID oid, LPCWSTR name, CEPROPID sortProperty, DWORD flags,
                        CENOTIFYREQUEST* notify) {
  if (!IsObjectStoreVolume(volume) || oid == nullptr || (*oid == 0 && TextView(name).empty())) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  return WithDevice<HANDLE>(INVALID_HANDLE_VALUE, [&](SqliteConnection& db) -> HANDLE {
    CEOID database = *oid;
    if (database == 0) {
      auto found = FindDatabaseByName(db, TextView(name, CEDB_MAXDBASENAMELEN + 1));
      if (!found) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
      }
      database = *found;
    } else if (!LoadDatabase(db, database)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_HANDLE_VALUE;
    }
    SortOrder order;
    if (sortProperty != 0) {
      std::vector<SortOrder> orders = LoadSortOrders(db, database);
      auto match =
          std::find_if(orders.begin(), orders.end(), [&](const auto& o) { return o.propid == sortProperty; });
      if (match == orders.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
      }
      order = *match;
    }
    auto cursor = std::make_shared<DatabaseCursor>(database, order, flags, notify ? notify->hwnd : nullptr);
    cursor->SetAtFirst();
    *oid = database;
    RegisterCursor(cursor);
    return System::Current().Handles().Add(cursor);
  });
}

BOOL CeOidGetInfoEx(PCEGUID volume, CEOID oid, CEOIDINFO* info) {
  if (!IsObjectStoreVolume(volume) || info == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return WithDevice<BOOL>(FALSE, [&](SqliteConnection& db) -> BOOL {
    if (CatalogCache* cache = UsableCatalogCache(db); cache && cache->rows.count(oid)) {
      *info = CEOIDINFO{};
      info->wObjType = OBJTYPE_DATABASE;
      FillDatabaseInfo(db, *LoadDatabase(db, oid), &info->infDatabase);
      return TRUE;
    }
    auto statement = db.Prepare("SELECT kind, parent FROM objects WHERE oid = ?");
    statement.Bind(1, static_cast<int64_t>(oid));
    if (oid == 0 || !statement.Step()) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    auto kind = static_cast<WORD>(statement.ColumnInt64(0));
    auto parent = static_cast<CEOID>(statement.ColumnInt64(1));
    *info = CEOIDINFO{};
    info->wObjType = kind;
    if (kind == OBJTYPE_RECORD) {
      info->infRecord.oidParent = parent;
    } else if (kind == OBJTYPE_DATABASE) {
      auto row = LoadDatabase(db, oid);
      if (!row) return FALSE;
      FillDatabaseInfo(db, *row, &info->infDatabase);
    }
    return TRUE;
  });
}

BOOL CeOidGetInfo(CEOID oid, CEOIDINFO* info) {
  return CeOidGetInfoEx(nullptr, oid, info);
}

BOOL CeSetDatabaseInfoEx(PCEGUID volume, CEOID database, CEDBASEINFO* info) {
  std::u16string_view name;
  if (!IsObjectStoreVolume(volume) || info == nullptr ||
      ((info->dwFlags & CEDB_VALIDNAME) && !ValidName(info->szDbaseName, &name)) ||
      ((info->dwFlags & CEDB_VALIDSORTSPEC) && !ValidSortOrders(*info))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return WithDevice<BOOL>(FALSE, [&](SqliteConnection& db) -> BOOL {
    SqliteTransaction transaction(db);
    FlushTouches(db);  // a modified time set here is not overwritten by earlier record writes
    ForgetCatalog();
    if (!LoadDatabase(db, database)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    if (info->dwFlags & CEDB_VALIDNAME) {
      auto existing = FindDatabaseByName(db, name);
      if (existing && *existing != database) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
      }
      db.Prepare("UPDATE databases SET name = ?, fold = ? WHERE oid = ?")
          .Bind(1, name)
          .Bind(2, std::u16string_view(FoldCase(name)))
          .Bind(3, static_cast<int64_t>(database))
          .Run();
    }
    auto set = [&](const char* sql, int64_t value) {
      db.Prepare(sql).Bind(1, value).Bind(2, static_cast<int64_t>(database)).Run();
    };
    if (info->dwFlags & CEDB_VALIDTYPE) set("UPDATE databases SET type = ? WHERE oid = ?", info->dwDbaseType);
    if (info->dwFlags & CEDB_VALIDDBFLAGS)
      set("UPDATE databases SET flags = ? WHERE oid = ?", info->dwDbaseFlags);
    if (info->dwFlags & CEDB_VALIDMODTIME) {
      uint64_t ticks = (static_cast<uint64_t>(info->ftLastModified.dwHighDateTime) << 32) |
                       info->ftLastModified.dwLowDateTime;
      set("UPDATE databases SET modified = ? WHERE oid = ?", static_cast<int64_t>(ticks));
    }
    if (info->dwFlags & CEDB_VALIDSORTSPEC) WriteSortOrders(db, database, *info);
    ForgetCatalog();  // again: reads inside this transaction may have kept the old rows
    transaction.Commit();
    return TRUE;
  });
}

BOOL CeDeleteDatabaseEx(PCEGUID volume, CEOID database) {
  if (!IsObjectStoreVolume(volume)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BOOL deleted = WithDevice<BOOL>(FALSE, [&](SqliteConnection& db) -> BOOL {
    if (!LoadDatabase(db, database)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    if (IsOpenInProcess(database)) {
      SetLastError(ERROR_SHARING_VIOLATION);
      return FALSE;
    }
    SqliteTransaction transaction(db);
    FlushTouches(db);
    ForgetCatalog();
    auto id = static_cast<int64_t>(database);
    db.Prepare("DELETE FROM sortkeys WHERE db = ?").Bind(1, id).Run();
    db.Prepare("DELETE FROM sortorders WHERE db = ?").Bind(1, id).Run();
    db.Prepare("DELETE FROM objects WHERE parent = ? AND kind = 4").Bind(1, id).Run();
    db.Prepare("DELETE FROM databases WHERE oid = ?").Bind(1, id).Run();
    db.Prepare("DELETE FROM objects WHERE oid = ?").Bind(1, id).Run();
    ForgetCatalog();  // again: reads inside this transaction may have kept the old rows
    transaction.Commit();
    return TRUE;
  });
  if (deleted) NotifyChange(database, DB_CEOID_DATABASE_DELETED, database, 0);
  return deleted;
}

BOOL CeDeleteDatabase(CEOID database) {
  return CeDeleteDatabaseEx(nullptr, database);
}

HANDLE CeFindFirstDatabaseEx(PCEGUID volume, DWORD databaseType) {
  if (!CanOpenOn(volume)) return INVALID_HANDLE_VALUE;
  auto search = std::make_shared<DatabaseSearch>();
  search->type = databaseType;
  return System::Current().Handles().Add(search);
}

CEOID CeFindNextDatabaseEx(HANDLE handle, PCEGUID volume) {
  auto search = System::Current().Handles().Get<DatabaseSearch>(handle);
  if (!search || !IsObjectStoreVolume(volume)) {
    SetLastError(search ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return 0;
  }
  return WithDevice<CEOID>(0, [&](SqliteConnection& db) -> CEOID {
    auto statement =
        search->type == 0
            ? db.Prepare("SELECT oid FROM databases WHERE oid > ?1 AND ?2 = 0 ORDER BY oid LIMIT 1")
            : db.Prepare("SELECT oid FROM databases WHERE type = ?2 AND oid > ?1 ORDER BY oid LIMIT 1");
    statement.Bind(1, static_cast<int64_t>(search->last)).Bind(2, static_cast<int64_t>(search->type));
    if (!statement.Step()) {
      SetLastError(ERROR_NO_MORE_ITEMS);
      return 0;
    }
    search->last = static_cast<CEOID>(statement.ColumnInt64(0));
    return search->last;
  });
}
