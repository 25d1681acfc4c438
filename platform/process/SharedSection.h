#pragma once

#include "platform/core/HandleTable.h"

// Shared data sections. A named section is a file in the device's sections/ folder, mapped by every
// process that opens the name, so that they see each other's writes; an unnamed one lives in memory.
inline constexpr DWORD PAGE_READONLY = 0x02;
inline constexpr DWORD PAGE_READWRITE = 0x04;
inline constexpr DWORD FILE_MAP_WRITE = 0x0002;
inline constexpr DWORD FILE_MAP_READ = 0x0004;
inline constexpr DWORD FILE_MAP_ALL_ACCESS = 0x000F001F;

// Only sections backed by the paging file (file INVALID_HANDLE_VALUE) are offered.
HANDLE CreateFileMappingW(HANDLE file, void* attributes, DWORD protect, DWORD sizeHigh, DWORD sizeLow,
                          LPCWSTR name);
void* MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, size_t bytes);
BOOL UnmapViewOfFile(const void* view);
