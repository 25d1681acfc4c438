#include "store/StoreTransaction.h"

#include "platform/objectstore/ObjectStore.h"

namespace calyra {

StoreTransaction::StoreTransaction(Kind kind) : kind_(kind) {
  if (kind == Kind::Write) alarms_.emplace();
  session_ = CeCreateSession(nullptr);
  if (session_ == INVALID_HANDLE_VALUE) return;
  DWORD level = kind == Kind::Write ? CEDB_ISOLEVEL_SERIALIZABLE : CEDB_ISOLEVEL_REPEATABLEREAD;
  active_ = CeBeginTransaction(session_, level) != FALSE;
}

StoreTransaction::~StoreTransaction() {
  // A read step ends cleanly: rolling it back inside a write step would undo the writer's work.
  if (active_) CeEndTransaction(session_, kind_ == Kind::Read ? TRUE : FALSE);
  if (session_ != INVALID_HANDLE_VALUE) CloseHandle(session_);
}

bool StoreTransaction::Commit() {
  if (!active_) return false;
  active_ = false;
  return CeEndTransaction(session_, TRUE) != FALSE;
}

}  // namespace calyra
