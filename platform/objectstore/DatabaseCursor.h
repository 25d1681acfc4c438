#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/HandleTable.h"
#include "platform/core/SqliteConnection.h"
#include "platform/objectstore/StoredValue.h"

namespace platform {

// A sort order of a database: one property, its flags, and the slot that keys its rows.
struct SortOrder {
  int slot = -1;  // -1: no sort order, records in creation order
  CEPROPID propid = 0;
  DWORD flags = 0;

  // Records without the property sort first or last; descending orders are walked backwards.
  int64_t RankOfKnown() const { return 1 - RankOfUnknown(); }
  int64_t RankOfUnknown() const {
    bool first = (flags & CEDB_SORT_UNKNOWNFIRST) != 0;
    bool descending = (flags & CEDB_SORT_DESCENDING) != 0;
    return (first != descending) ? 0 : 1;
  }
};

// Where a record stands in a sort order.
struct Position {
  int64_t rank = 0;
  StoredValue key = int64_t{0};
  CEOID record = 0;
};

// An open database: the handle's sort order, seek position and open flags. Every movement is one
// indexed query, so seeking costs the same on a large database as on a small one.
class DatabaseCursor : public KernelObject {
 public:
  DatabaseCursor(CEOID database, SortOrder order, DWORD flags, HWND notifyWindow);

  CEOID Database() const { return database_; }
  const SortOrder& Order() const { return order_; }
  bool AutoIncrement() const { return (flags_ & CEDB_AUTOINCREMENT) != 0; }
  HWND NotifyWindow() const { return notifyWindow_; }

  // The current record, or none when the position is past either end. An opened database stands on
  // its first record, found when first needed: most opens seek at once.
  const std::optional<Position>& Current(SqliteConnection& db) {
    if (atFirst_) SetCurrent(FirstOfBefore(db));
    return current_;
  }
  void SetCurrent(std::optional<Position> position) {
    current_ = std::move(position);
    atFirst_ = false;
    madeSinceOpen_.clear();
  }
  void SetAtFirst() {
    atFirst_ = true;
    madeSinceOpen_.clear();
  }
  // A record this handle made while it still stood, unlooked-at, on its first record: the handle
  // stays on the record that was first before, found when first needed (most handles that write
  // are closed without looking).
  void NoteMade(CEOID record) {
    if (atFirst_) madeSinceOpen_.push_back(record);
  }

  std::optional<Position> First(SqliteConnection& db, int64_t offset) const;
  std::optional<Position> Last(SqliteConnection& db, int64_t offset) const;
  // `count` records on from `from` (count >= 1), or back when `forward` is false.
  std::optional<Position> Step(SqliteConnection& db, const Position& from, int64_t count, bool forward) const;
  std::optional<Position> Locate(SqliteConnection& db, CEOID record) const;
  std::optional<Position> FirstEqual(SqliteConnection& db, const StoredValue& key) const;
  std::optional<Position> Greater(SqliteConnection& db, const StoredValue& key) const;
  std::optional<Position> Smaller(SqliteConnection& db, const StoredValue& key) const;
  DWORD IndexOf(SqliteConnection& db, const Position& position) const;

 private:
  SqliteStatement Scoped(SqliteConnection& db, const std::string& sql) const;
  std::optional<Position> Fetch(SqliteStatement& statement) const;
  void BindPosition(SqliteStatement& statement, const Position& position) const;

  CEOID database_;
  SortOrder order_;
  DWORD flags_;
  HWND notifyWindow_;
  std::optional<Position> FirstOfBefore(SqliteConnection& db) const;

  std::optional<Position> current_;
  bool atFirst_ = false;
  std::vector<CEOID> madeSinceOpen_;

  // The query texts of the three kinds of order (none, ascending, descending), made once.
  struct Queries {
    std::string first, last, after, afterMany, before, locate, equal, greater, smaller, countBefore;
  };
  static Queries QueriesOf(bool sorted, bool descending);
  static const Queries& SharedQueries(const SortOrder& order);
  const Queries& sql_;

  // Inside a read transaction, a step forward by one reads the next positions ahead in one query and
  // hands them out while the same transaction lasts: a loop that reads a database from start to end
  // costs one query per batch, not one per record.
  std::optional<Position> StepAhead(SqliteConnection& db, const Position& from) const;
  struct ReadAhead {
    uint64_t transaction = 0;
    CEOID after = 0;  // the record the next position follows
    std::vector<Position> positions;
    size_t next = 0;
  };
  mutable ReadAhead ahead_;
};

}  // namespace platform
