#pragma once

#include "platform/core/PlatformTypes.h"

// The calling thread's last error, as the platform keeps it.
DWORD GetLastError();
void SetLastError(DWORD error);
