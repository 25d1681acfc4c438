// Sessions and their transactions: every object store call of this process between the begin and
// the end of a session's transaction is one atomic, durable step of the device's store. The process
// has one connection to the store, so transactions of several sessions nest into the outermost.
#include "platform/objectstore/ObjectStoreInternal.h"

using namespace platform;
using namespace platform::objectstore;

namespace {

class Session : public KernelObject {
 public:
  ~Session() override { End(false); }

  bool Begin(Device& device, bool write) {
    std::unique_lock lock(device.Lock());
    device.Db().Begin(write);
    device_ = &device;
    lock_ = std::move(lock);
    return true;
  }

  // Ends the open transaction; a commit that fails rolls back and throws.
  void End(bool commit) {
    if (device_ == nullptr) return;
    Device* device = device_;
    device_ = nullptr;
    auto lock = std::move(lock_);
    if (CurrentDevice() != device) return;  // the device went with its connection
    if (commit) {
      device->Db().Commit();
    } else {
      device->Db().Rollback();
    }
  }

  bool InTransaction() const { return device_ != nullptr; }

 private:
  Device* device_ = nullptr;
  std::unique_lock<std::recursive_mutex> lock_;
};

bool IsKnownIsolation(DWORD level) {
  return level == CEDB_ISOLEVEL_READCOMMITTED || level == CEDB_ISOLEVEL_REPEATABLEREAD ||
         level == CEDB_ISOLEVEL_SERIALIZABLE;
}

}  // namespace

HANDLE CeCreateSession(PCEGUID volume) {
  if (!CanOpenOn(volume)) return INVALID_HANDLE_VALUE;
  return System::Current().Handles().Add(std::make_shared<Session>());
}

BOOL CeBeginTransaction(HANDLE handle, DWORD isolationLevel) {
  auto session = System::Current().Handles().Get<Session>(handle);
  if (!session || !IsKnownIsolation(isolationLevel) || session->InTransaction()) {
    SetLastError(!session ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Device* device = CurrentDevice();
  if (device == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  try {
    return session->Begin(*device, isolationLevel == CEDB_ISOLEVEL_SERIALIZABLE) ? TRUE : FALSE;
  } catch (const SqliteError& error) {
    SetLastError(ErrorOfSqlite(error));
    return FALSE;
  }
}

BOOL CeEndTransaction(HANDLE handle, BOOL commit) {
  auto session = System::Current().Handles().Get<Session>(handle);
  if (!session || !session->InTransaction()) {
    SetLastError(!session ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  try {
    session->End(commit != FALSE);
    return TRUE;
  } catch (const SqliteError& error) {
    SetLastError(ErrorOfSqlite(error));
    return FALSE;
  }
}
