#pragma once

#include <optional>

#include "platform/core/PlatformTypes.h"
#include "store/UpdateAlarmLock.h"

namespace calyra {

// One atomic, durable step of the device's store: every object store, Pocket Outlook and notification
// write between the start and Commit() is kept together or not at all (a rollback, a failed commit or
// a crash of the process drops all of it). A read step sees one snapshot of the store and takes its
// locks once. Steps nest into the outermost one: inside a write step of the same thread, a step
// joins it, and an inner write step that is not kept makes the outer one's Commit() fail. A write step waits
// for other processes' writes when it starts, so nothing that waits for the person may run inside one. A
// write step takes the update mutex of the notification queue before the store's write lock: with that one
// order everywhere, a process holding the mutex never waits for a write lock that waits for the mutex.
class StoreTransaction {
 public:
  enum class Kind { Read, Write };

  explicit StoreTransaction(Kind kind);
  // A write step rolls back unless committed.
  ~StoreTransaction();
  StoreTransaction(const StoreTransaction&) = delete;
  StoreTransaction& operator=(const StoreTransaction&) = delete;

  // False when the step could not start; nothing inside it then can be kept.
  bool Active() const { return active_; }
  // Keeps the step's writes; false (and nothing kept) when it was not active or the commit failed.
  bool Commit();

 private:
  std::optional<UpdateAlarmLock> alarms_;
  HANDLE session_ = INVALID_HANDLE_VALUE;  // none for a step that joined another
  Kind kind_;
  bool active_ = false;
  StoreTransaction* outer_ = nullptr;  // the write step this one joined
  bool undone_ = false;                // an inner write step ended without being kept
};

}  // namespace calyra
