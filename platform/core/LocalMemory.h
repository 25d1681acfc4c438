#pragma once

#include "platform/core/PlatformTypes.h"

// The platform's local heap. Buffers that platform calls allocate for their caller (a record read
// with reallocation allowed, an expanded phrase) come from here and go back with LocalFree.
inline constexpr UINT LMEM_FIXED = 0x0000;
inline constexpr UINT LMEM_MOVEABLE = 0x0002;
inline constexpr UINT LMEM_ZEROINIT = 0x0040;
inline constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;

using HLOCAL = void*;

HLOCAL LocalAlloc(UINT flags, size_t bytes);
HLOCAL LocalReAlloc(HLOCAL memory, size_t bytes, UINT flags);
size_t LocalSize(HLOCAL memory);
HLOCAL LocalFree(HLOCAL memory);  // returns null on success, as the platform does
