#include "store/StoreTransaction.h"

#include "platform/objectstore/ObjectStore.h"

namespace calyra {

namespace {

// The outermost write step open on this thread. Steps inside it join it: the store's transactions
// nest into the outermost anyway, and it holds the update mutex already.
thread_local StoreTransaction* openWriteStep = nullptr;

}  // namespace

StoreTransaction::StoreTransaction(Kind kind) : kind_(kind) {
  if (openWriteStep != nullptr) {
    outer_ = openWriteStep;
    active_ = true;
    return;
  }
  if (kind == Kind::Write) alarms_.emplace();
  session_ = CeCreateSession(nullptr);
  if (session_ == INVALID_HANDLE_VALUE) return;
  DWORD level = kind == Kind::Write ? CEDB_ISOLEVEL_SERIALIZABLE : CEDB_ISOLEVEL_REPEATABLEREAD;
  active_ = CeBeginTransaction(session_, level) != FALSE;
  if (active_ && kind == Kind::Write) openWriteStep = this;
}

StoreTransaction::~StoreTransaction() {
  if (outer_ != nullptr) {
    // An inner write step that was not kept undoes the whole outer step, as a nested rollback does.
    if (active_ && kind_ == Kind::Write) outer_->undone_ = true;
    return;
  }
  if (openWriteStep == this) openWriteStep = nullptr;
  // A read step ends cleanly: rolling it back inside a write step would undo the writer's work.
  if (active_) CeEndTransaction(session_, kind_ == Kind::Read ? TRUE : FALSE);
  if (session_ != INVALID_HANDLE_VALUE) CloseHandle(session_);
}

bool StoreTransaction::Commit() {
  if (!active_) return false;
  active_ = false;
  if (outer_ != nullptr) return true;
  if (openWriteStep == this) openWriteStep = nullptr;
  if (undone_) {
    CeEndTransaction(session_, FALSE);
    return false;
  }
  return CeEndTransaction(session_, TRUE) != FALSE;
}

}  // namespace calyra
