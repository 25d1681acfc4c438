#pragma once

#include "platform/process/Synchronization.h"

namespace calyra {

// The named mutex that serialises every direct write to "DB_notify_queue" among the processes that
// load the component (and the alarm notes).
inline constexpr const char16_t* kUpdateAlarmMutexName = u"CalyraUpdateAlarmDBMtx";

// Holds the update mutex for as long as the object lives, when the wait succeeded. A mutex left by a
// process that died while holding it is held all the same. The mutex is recursive: a save that holds
// it may take it again for each notification write.
class UpdateAlarmLock {
 public:
  UpdateAlarmLock() : mutex_(CreateMutexW(nullptr, FALSE, kUpdateAlarmMutexName)) {
    DWORD wait = mutex_ ? WaitForSingleObject(mutex_, INFINITE) : WAIT_FAILED;
    held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  }
  ~UpdateAlarmLock() {
    if (held_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
  }
  UpdateAlarmLock(const UpdateAlarmLock&) = delete;
  UpdateAlarmLock& operator=(const UpdateAlarmLock&) = delete;
  bool Held() const { return held_; }

 private:
  HANDLE mutex_;
  bool held_ = false;
};

}  // namespace calyra
