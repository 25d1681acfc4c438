#include "platform/core/SqliteConnection.h"

#include <atomic>
#include <cstring>
#include <stdexcept>

namespace platform {

SqliteStatement::SqliteStatement(SqliteConnection* owner, sqlite3_stmt* statement,
                                 std::vector<sqlite3_stmt*>* idle)
    : owner_(owner), statement_(statement), idle_(idle) {}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : owner_(other.owner_), statement_(other.statement_), idle_(other.idle_) {
  other.statement_ = nullptr;
}

SqliteStatement::~SqliteStatement() {
  if (statement_ == nullptr) return;
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  if (idle_) {
    idle_->push_back(statement_);
  } else {
    sqlite3_finalize(statement_);
  }
}

SqliteStatement& SqliteStatement::Bind(int index, int64_t value) {
  if (int rc = sqlite3_bind_int64(statement_, index, value); rc != SQLITE_OK) owner_->Fail(rc);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, double value) {
  if (int rc = sqlite3_bind_double(statement_, index, value); rc != SQLITE_OK) owner_->Fail(rc);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::u16string_view text) {
  // An empty view may have no data pointer; it still binds an empty text, not NULL.
  int rc = sqlite3_bind_text16(statement_, index, text.empty() ? u"" : text.data(),
                               static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) owner_->Fail(rc);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view utf8) {
  int rc = sqlite3_bind_text(statement_, index, utf8.empty() ? "" : utf8.data(),
                             static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) owner_->Fail(rc);
  return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, const void* data, size_t size) {
  // A zero-length blob stays a blob, not NULL.
  static const uint8_t kEmpty = 0;
  int rc =
      sqlite3_bind_blob(statement_, index, size ? data : &kEmpty, static_cast<int>(size), SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) owner_->Fail(rc);
  return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index) {
  if (int rc = sqlite3_bind_null(statement_, index); rc != SQLITE_OK) owner_->Fail(rc);
  return *this;
}

bool SqliteStatement::Step() {
  int rc = sqlite3_step(statement_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  owner_->Fail(rc);
}

void SqliteStatement::Run() {
  while (Step()) {
  }
}

int SqliteStatement::ColumnType(int column) const {
  return sqlite3_column_type(statement_, column);
}
int64_t SqliteStatement::ColumnInt64(int column) const {
  return sqlite3_column_int64(statement_, column);
}
double SqliteStatement::ColumnDouble(int column) const {
  return sqlite3_column_double(statement_, column);
}

std::u16string SqliteStatement::ColumnText16(int column) const {
  auto* text = static_cast<const char16_t*>(sqlite3_column_text16(statement_, column));
  int bytes = sqlite3_column_bytes16(statement_, column);
  return text ? std::u16string(text, static_cast<size_t>(bytes) / 2) : std::u16string();
}

std::string SqliteStatement::ColumnText(int column) const {
  auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  int bytes = sqlite3_column_bytes(statement_, column);
  return text ? std::string(text, static_cast<size_t>(bytes)) : std::string();
}

std::vector<uint8_t> SqliteStatement::ColumnBlob(int column) const {
  auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(statement_, column));
  int bytes = sqlite3_column_bytes(statement_, column);
  return data ? std::vector<uint8_t>(data, data + bytes) : std::vector<uint8_t>();
}

std::span<const uint8_t> SqliteStatement::ColumnBlobView(int column) const {
  auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(statement_, column));
  int bytes = sqlite3_column_bytes(statement_, column);
  return data ? std::span<const uint8_t>(data, static_cast<size_t>(bytes)) : std::span<const uint8_t>();
}

std::unique_ptr<SqliteConnection> SqliteConnection::Open(const std::filesystem::path& file) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(file.c_str(), &db,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = db ? sqlite3_errmsg(db) : "cannot open";
    sqlite3_close(db);
    throw SqliteError(rc, message);
  }
  std::unique_ptr<SqliteConnection> connection(new SqliteConnection(db));
  // Several processes share a device: wait for each other instead of failing, and keep every
  // committed call durable across a crash.
  sqlite3_busy_timeout(db, 60000);
  connection->Execute("PRAGMA journal_mode=WAL");
  connection->Execute("PRAGMA synchronous=FULL");
  connection->Execute("PRAGMA foreign_keys=ON");
  connection->Execute("PRAGMA cache_size=-16384");
  return connection;
}

SqliteConnection::~SqliteConnection() {
  for (auto& [sql, statements] : idle_) {
    for (sqlite3_stmt* statement : statements) sqlite3_finalize(statement);
  }
  sqlite3_close(db_);
}

void SqliteConnection::Execute(const char* sql) {
  char* error = nullptr;
  int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errstr(rc);
    sqlite3_free(error);
    throw SqliteError(rc, message);
  }
}

SqliteStatement SqliteConnection::Prepare(const char* sql) {
  IdleStatements::value_type* entry = nullptr;
  if (auto known = idleByAddress_.find(sql);
      known != idleByAddress_.end() && std::strcmp(known->second->first.c_str(), sql) == 0) {
    entry = known->second;
  } else {
    auto found = idle_.find(std::string_view(sql));
    if (found == idle_.end()) found = idle_.emplace(std::string(sql), std::vector<sqlite3_stmt*>()).first;
    entry = &*found;
    if (idleByAddress_.size() >= kMaxAddresses) idleByAddress_.clear();  // texts built at run time
    idleByAddress_[sql] = entry;
  }
  std::vector<sqlite3_stmt*>& idle = entry->second;
  if (!idle.empty()) {
    sqlite3_stmt* statement = idle.back();
    idle.pop_back();
    return SqliteStatement(this, statement, &idle);
  }
  sqlite3_stmt* statement = nullptr;
  int rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
  if (rc != SQLITE_OK) Fail(rc);
  return SqliteStatement(this, statement, &idle);
}

int64_t SqliteConnection::LastInsertRowId() const {
  return sqlite3_last_insert_rowid(db_);
}
int SqliteConnection::Changes() const {
  return sqlite3_changes(db_);
}

void SqliteConnection::Begin(bool write) {
  if (depth_ > 0) {
    if (write && !writing_) throw SqliteError(SQLITE_READONLY, "a write inside a read transaction");
    ++depth_;
    return;
  }
  Prepare(write ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED")
      .Run();  // prepared once: parsing costs more than the step
  depth_ = 1;
  rollbackOnly_ = false;
  writing_ = write;
  beforeCommit_.clear();
  // Numbered across every connection of the process, so that no two transactions share a number.
  static std::atomic<uint64_t> begun{0};
  transaction_ = ++begun;
}

void SqliteConnection::Commit() {
  if (depth_ == 0) return;
  if (depth_ > 1) {
    --depth_;
    return;
  }
  if (rollbackOnly_) {
    depth_ = 0;
    ++rollbacks_;
    RollbackNow();
    throw SqliteError(SQLITE_ABORT, "an inner transaction was rolled back");
  }
  try {
    // The work runs while the transaction is still open to it.
    std::vector<std::function<void()>> work;
    work.swap(beforeCommit_);
    for (const auto& step : work) step();
    depth_ = 0;
    Prepare("COMMIT").Run();
  } catch (...) {
    depth_ = 0;
    ++rollbacks_;
    RollbackNow();
    throw;
  }
}

void SqliteConnection::Rollback() {
  if (depth_ == 0) return;
  if (writing_) ++rollbacks_;  // a read transaction has nothing to undo
  if (--depth_ > 0) {
    rollbackOnly_ = true;
    return;
  }
  RollbackNow();
}

void SqliteConnection::BeforeCommit(std::function<void()> work) {
  if (depth_ > 0) beforeCommit_.push_back(std::move(work));
}

void SqliteConnection::RollbackNow() {
  beforeCommit_.clear();
  try {
    Prepare("ROLLBACK").Run();
  } catch (const SqliteError&) {
    // The transaction is gone already (SQLite rolled it back itself).
  }
}

uint64_t SqliteConnection::ChangeCounter() const {
  unsigned int version = 0;
  sqlite3_file_control(db_, "main", SQLITE_FCNTL_DATA_VERSION, &version);
  return (rollbacks_ << 32) | version;
}

void SqliteConnection::Fail(int code) const {
  throw SqliteError(code, sqlite3_errmsg(db_));
}

}  // namespace platform
