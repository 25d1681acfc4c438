#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class SqliteConnection;

// A prepared statement borrowed from the connection's cache; reset and unbound when it goes out of scope.
class SqliteStatement {
 public:
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement& operator=(SqliteStatement&&) = delete;
  ~SqliteStatement();

  SqliteStatement& Bind(int index, int64_t value);
  SqliteStatement& Bind(int index, double value);
  SqliteStatement& Bind(int index, std::u16string_view text);
  SqliteStatement& Bind(int index, std::string_view utf8);
  SqliteStatement& BindBlob(int index, const void* data, size_t size);
  SqliteStatement& BindNull(int index);

  // Steps once: true when a row is ready. Throws SqliteError on failure.
  bool Step();
  // Steps to completion, for statements that return no rows.
  void Run();

  int ColumnType(int column) const;
  bool IsNull(int column) const { return ColumnType(column) == SQLITE_NULL; }
  int64_t ColumnInt64(int column) const;
  double ColumnDouble(int column) const;
  std::u16string ColumnText16(int column) const;
  std::string ColumnText(int column) const;
  std::vector<uint8_t> ColumnBlob(int column) const;
  // The column's bytes without a copy, valid until the statement steps again or ends.
  std::span<const uint8_t> ColumnBlobView(int column) const;

 private:
  friend class SqliteConnection;
  SqliteStatement(SqliteConnection* owner, sqlite3_stmt* statement, std::vector<sqlite3_stmt*>* idle);
  SqliteConnection* owner_;
  sqlite3_stmt* statement_;
  std::vector<sqlite3_stmt*>* idle_;  // where the statement goes back to, ready for its text's next use
};

struct SqliteError : std::runtime_error {
  SqliteError(int code, const std::string& message) : std::runtime_error(message), code(code) {}
  int code;
};

// One connection to a device's SQLite file. Not thread-safe by itself: the Device serialises its use.
class SqliteConnection {
 public:
  static std::unique_ptr<SqliteConnection> Open(const std::filesystem::path& file);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  void Execute(const char* sql);
  SqliteStatement Prepare(const char* sql);
  int64_t LastInsertRowId() const;
  int Changes() const;
  sqlite3* Raw() const { return db_; }

  // Nested transactions fold into the outermost. A write transaction takes the write lock at once
  // (IMMEDIATE) so that two processes never deadlock upgrading a read lock; a read transaction reads
  // one snapshot and takes the file locks once instead of per statement. A write nested in an outer
  // read transaction is refused: the snapshot could not be upgraded safely.
  void Begin(bool write = true);
  void Commit();
  void Rollback();
  int TransactionDepth() const { return depth_; }
  // The outermost read transaction now open, numbered; 0 outside one and inside a write transaction.
  // Within one read transaction the store does not change, so what was read stays true.
  uint64_t ReadTransaction() const { return depth_ > 0 && !writing_ ? transaction_ : 0; }
  // The outermost transaction now open, numbered; 0 outside one.
  uint64_t Transaction() const { return depth_ > 0 ? transaction_ : 0; }
  // Runs `work` inside the outermost transaction, just before it commits; a throw rolls it back.
  // Nothing runs when it rolls back.
  void BeforeCommit(std::function<void()> work);
  // Changes whenever the store may have changed since: a commit by this or another connection, or a
  // rollback. Inside a transaction it cannot change behind the caller's back; outside one it tells
  // what this connection saw at its last read, so another process's later commit shows at the next.
  uint64_t ChangeCounter() const;

 private:
  friend class SqliteStatement;
  explicit SqliteConnection(sqlite3* db) : db_(db) {}
  void RollbackNow();
  [[noreturn]] void Fail(int code) const;

  sqlite3* db_;
  // Looked up by the statement's text without making a string of it: a lookup per statement run.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  using IdleStatements =
      std::unordered_map<std::string, std::vector<sqlite3_stmt*>, TextHash, std::equal_to<>>;
  IdleStatements idle_;
  static constexpr size_t kMaxAddresses = 4096;
  // Most texts are literals, prepared again and again from the same address: found by address, and
  // checked against the text, before the text is hashed.
  std::unordered_map<const char*, IdleStatements::value_type*> idleByAddress_;
  int depth_ = 0;
  bool rollbackOnly_ = false;
  bool writing_ = false;
  uint64_t rollbacks_ = 0;
  uint64_t transaction_ = 0;  // the number of the outermost transaction begun last
  std::vector<std::function<void()>> beforeCommit_;
};

// Scoped transaction: commits with Commit(), rolls back if left without it.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteConnection& connection) : connection_(connection) { connection_.Begin(); }
  ~SqliteTransaction() {
    if (!done_) connection_.Rollback();
  }
  void Commit() {
    connection_.Commit();
    done_ = true;
  }

 private:
  SqliteConnection& connection_;
  bool done_ = false;
};

}  // namespace platform
