#include "platform/core/LastError.h"

namespace {
// Per-thread state of the emulated kernel, like the platform's own thread-local slot.
thread_local DWORD lastError = ERROR_SUCCESS;
}  // namespace

DWORD GetLastError() {
  return lastError;
}
void SetLastError(DWORD error) {
  lastError = error;
}
