#include "platform/core/DeviceUpgrade.h"

#include <map>

#include "platform/core/RecordValues.h"

namespace platform {

namespace {

bool HasColumn(SqliteConnection& db, const char* table, std::string_view column) {
  auto columns = db.Prepare("SELECT name FROM pragma_table_info(?)");
  columns.Bind(1, std::string_view(table));
  while (columns.Step()) {
    if (columns.ColumnText(0) == column) return true;
  }
  return false;
}

bool HasTable(SqliteConnection& db, std::string_view table) {
  auto found = db.Prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
  found.Bind(1, table);
  return found.Step();
}

}  // namespace

void UpgradeDevice(SqliteConnection& db) {
  if (!HasColumn(db, "objects", "data")) db.Execute("ALTER TABLE objects ADD COLUMN data BLOB");
  if (!HasTable(db, "props")) return;
  std::map<int64_t, RecordValues> records;
  auto rows = db.Prepare("SELECT record, propid, value FROM props");
  while (rows.Step()) {
    records[rows.ColumnInt64(0)].Set(static_cast<uint32_t>(rows.ColumnInt64(1)), ColumnStored(rows, 2));
  }
  for (const auto& [record, values] : records) {
    std::vector<uint8_t> data = values.Encode();
    db.Prepare("UPDATE objects SET data = ? WHERE oid = ?")
        .BindBlob(1, data.data(), data.size())
        .Bind(2, record)
        .Run();
  }
  db.Execute("DROP TABLE props");
}

}  // namespace platform
