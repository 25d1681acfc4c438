#pragma once

#include "store/NamedLock.h"

namespace calyra {

// The named mutex that serialises every direct write to "DB_notify_queue" among the processes that
// load the component (and the alarm notes).
inline constexpr const char16_t* kUpdateAlarmMutexName = u"CalyraUpdateAlarmDBMtx";

// Holds the update mutex; a save that holds it may take it again for each notification write.
class UpdateAlarmLock : public NamedLock {
 public:
  UpdateAlarmLock() : NamedLock(kUpdateAlarmMutexName) {}
};

}  // namespace calyra
