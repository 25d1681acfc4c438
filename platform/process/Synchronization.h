#pragma once

#include "platform/core/HandleTable.h"

// Mutexes, recursive for their owning thread and exclusive across the threads of a process and, when
// named, across every process on the device (a lock file per name in the device's mutexes/ folder).
// A mutex whose owner process died is free again; the next wait returns WAIT_OBJECT_0, as the device
// cannot tell an abandoned mutex apart here.
HANDLE CreateMutexW(void* attributes, BOOL initialOwner, LPCWSTR name);
BOOL ReleaseMutex(HANDLE mutex);
// Waits for a mutex; a program started by CreateProcessW counts as already ended.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
