#include "platform/objectstore/DatabaseCursor.h"

#include <algorithm>

#include "platform/objectstore/ObjectStoreInternal.h"

namespace platform {

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Queries over the sortkeys index; ASC/DESC and GT/LT are swapped for descending orders, so that a
// descending walk is the same index read backwards.
constexpr const char* kSortedFrom = "SELECT rank, key, record FROM sortkeys WHERE db = ?1 AND slot = ?2";
constexpr const char* kUnsortedFrom =
    "SELECT 0, 0, oid FROM objects WHERE parent = ?1 AND kind = 4 AND ?2 = -1";

}  // namespace

DatabaseCursor::Queries DatabaseCursor::QueriesOf(bool sorted, bool descending) {
  Queries sql;
  if (!sorted) {
    std::string from = kUnsortedFrom;
    sql.first = from + " ORDER BY oid LIMIT 1 OFFSET ?3";
    sql.last = from + " ORDER BY oid DESC LIMIT 1 OFFSET ?3";
    sql.after = from + " AND oid > ?5 ORDER BY oid LIMIT 1 OFFSET ?6";
    sql.before = from + " AND oid < ?5 ORDER BY oid DESC LIMIT 1 OFFSET ?6";
    sql.locate = from + " AND oid = ?3";
    sql.countBefore = "SELECT count(*) FROM objects WHERE parent = ?1 AND kind = 4 AND ?2 = -1 AND oid < ?5";
    sql.afterMany = Replace(sql.after, "LIMIT 1 OFFSET ?6", "LIMIT ?6");
    return sql;
  }
  std::string up = descending ? "DESC" : "ASC";
  std::string down = descending ? "ASC" : "DESC";
  std::string gt = descending ? "<" : ">";
  std::string lt = descending ? ">" : "<";
  auto orderBy = [](const std::string& direction) {
    return " ORDER BY rank " + direction + ", key " + direction + ", record " + direction;
  };
  std::string from = kSortedFrom;
  sql.first = from + orderBy(up) + " LIMIT 1 OFFSET ?3";
  sql.last = from + orderBy(down) + " LIMIT 1 OFFSET ?3";
  sql.after = from + " AND (rank, key, record) " + gt + " (?3, ?4, ?5)" + orderBy(up) + " LIMIT 1 OFFSET ?6";
  sql.before =
      from + " AND (rank, key, record) " + lt + " (?3, ?4, ?5)" + orderBy(down) + " LIMIT 1 OFFSET ?6";
  sql.locate = from + " AND record = ?3";
  sql.equal = from + " AND rank = ?3 AND key = ?4 ORDER BY record " + up + " LIMIT 1";
  sql.greater = from + " AND (rank, key) " + gt + " (?3, ?4)" + orderBy(up) + " LIMIT 1";
  sql.smaller = from + " AND (rank, key) " + lt + " (?3, ?4)" + orderBy(down) + " LIMIT 1";
  sql.countBefore =
      Replace(from, "rank, key, record", "count(*)") + " AND (rank, key, record) " + lt + " (?3, ?4, ?5)";
  sql.afterMany = Replace(sql.after, "LIMIT 1 OFFSET ?6", "LIMIT ?6");
  return sql;
}

// Every cursor of a kind of order shares its texts: an open makes no strings.
const DatabaseCursor::Queries& DatabaseCursor::SharedQueries(const SortOrder& order) {
  static const Queries kUnsorted = QueriesOf(false, false);
  static const Queries kAscending = QueriesOf(true, false);
  static const Queries kDescending = QueriesOf(true, true);
  if (order.slot < 0) return kUnsorted;
  return (order.flags & CEDB_SORT_DESCENDING) ? kDescending : kAscending;
}

DatabaseCursor::DatabaseCursor(CEOID database, SortOrder order, DWORD flags, HWND notifyWindow)
    : database_(database),
      order_(order),
      flags_(flags),
      notifyWindow_(notifyWindow),
      sql_(SharedQueries(order)) {}

SqliteStatement DatabaseCursor::Scoped(SqliteConnection& db, const std::string& sql) const {
  SqliteStatement statement = db.Prepare(sql.c_str());
  statement.Bind(1, static_cast<int64_t>(database_)).Bind(2, static_cast<int64_t>(order_.slot));
  return statement;
}

std::optional<Position> DatabaseCursor::Fetch(SqliteStatement& statement) const {
  if (!statement.Step()) return std::nullopt;
  return Position{statement.ColumnInt64(0), ColumnStored(statement, 1),
                  static_cast<CEOID>(statement.ColumnInt64(2))};
}

void DatabaseCursor::BindPosition(SqliteStatement& statement, const Position& position) const {
  statement.Bind(3, position.rank);
  BindStored(statement, 4, position.key);
  statement.Bind(5, static_cast<int64_t>(position.record));
}

std::optional<Position> DatabaseCursor::First(SqliteConnection& db, int64_t offset) const {
  auto statement = Scoped(db, sql_.first);
  statement.Bind(3, offset);
  return Fetch(statement);
}

std::optional<Position> DatabaseCursor::FirstOfBefore(SqliteConnection& db) const {
  std::optional<Position> first = First(db, 0);
  auto made = [&](CEOID record) {
    return std::find(madeSinceOpen_.begin(), madeSinceOpen_.end(), record) != madeSinceOpen_.end();
  };
  while (first && made(first->record)) first = Step(db, *first, 1, true);
  return first;
}

std::optional<Position> DatabaseCursor::Last(SqliteConnection& db, int64_t offset) const {
  auto statement = Scoped(db, sql_.last);
  statement.Bind(3, offset);
  return Fetch(statement);
}

std::optional<Position> DatabaseCursor::Step(SqliteConnection& db, const Position& from, int64_t count,
                                             bool forward) const {
  if (forward && count == 1 && db.ReadTransaction() != 0) return StepAhead(db, from);
  auto statement = Scoped(db, forward ? sql_.after : sql_.before);
  BindPosition(statement, from);
  statement.Bind(6, count - 1);
  return Fetch(statement);
}

std::optional<Position> DatabaseCursor::StepAhead(SqliteConnection& db, const Position& from) const {
  static constexpr int64_t kBatch = 64;
  ReadAhead& ahead = ahead_;
  bool valid = ahead.transaction == db.ReadTransaction() && ahead.after == from.record;
  if (!valid || ahead.next == ahead.positions.size()) {
    auto statement = Scoped(db, sql_.afterMany);
    BindPosition(statement, from);
    statement.Bind(6, kBatch);
    ahead.positions.clear();
    ahead.next = 0;
    ahead.transaction = db.ReadTransaction();
    while (std::optional<Position> position = Fetch(statement))
      ahead.positions.push_back(std::move(*position));
  }
  if (ahead.next == ahead.positions.size()) {
    ahead.after = 0;
    return std::nullopt;
  }
  const Position& next = ahead.positions[ahead.next++];
  ahead.after = next.record;
  return next;
}

// A record's place in a sort order follows from its values; only a damaged record's key is searched for.
std::optional<Position> DatabaseCursor::Locate(SqliteConnection& db, CEOID record) const {
  if (order_.slot >= 0) {
    try {
      std::optional<objectstore::StoredRecord> stored = objectstore::LoadRecord(db, record, database_);
      if (!stored) return std::nullopt;
      return objectstore::SortPositionOf(order_, record, stored->values);
    } catch (const objectstore::DamagedRecord&) {
    }
  }
  auto statement = Scoped(db, sql_.locate);
  statement.Bind(3, static_cast<int64_t>(record));
  return Fetch(statement);
}

std::optional<Position> DatabaseCursor::FirstEqual(SqliteConnection& db, const StoredValue& key) const {
  auto statement = Scoped(db, sql_.equal);
  statement.Bind(3, order_.RankOfKnown());
  BindStored(statement, 4, key);
  return Fetch(statement);
}

std::optional<Position> DatabaseCursor::Greater(SqliteConnection& db, const StoredValue& key) const {
  auto statement = Scoped(db, sql_.greater);
  statement.Bind(3, order_.RankOfKnown());
  BindStored(statement, 4, key);
  return Fetch(statement);
}

std::optional<Position> DatabaseCursor::Smaller(SqliteConnection& db, const StoredValue& key) const {
  auto statement = Scoped(db, sql_.smaller);
  statement.Bind(3, order_.RankOfKnown());
  BindStored(statement, 4, key);
  return Fetch(statement);
}

DWORD DatabaseCursor::IndexOf(SqliteConnection& db, const Position& position) const {
  auto statement = Scoped(db, sql_.countBefore);
  BindPosition(statement, position);
  return statement.Step() ? static_cast<DWORD>(statement.ColumnInt64(0)) : 0;
}

}  // namespace platform
