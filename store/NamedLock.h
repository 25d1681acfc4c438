#pragma once

#include "platform/process/Synchronization.h"

namespace calyra {

// Holds a named mutex, shared by every process on the device, for as long as the object lives, when
// the wait succeeded. A mutex left by a process that died while holding it is held all the same. The
// mutex is recursive for its owning thread.
class NamedLock {
 public:
  explicit NamedLock(LPCWSTR name) : mutex_(CreateMutexW(nullptr, FALSE, name)) {
    DWORD wait = mutex_ ? WaitForSingleObject(mutex_, INFINITE) : WAIT_FAILED;
    held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  }
  ~NamedLock() {
    if (held_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
  }
  NamedLock(const NamedLock&) = delete;
  NamedLock& operator=(const NamedLock&) = delete;
  bool Held() const { return held_; }

 private:
  HANDLE mutex_;
  bool held_ = false;
};

}  // namespace calyra
