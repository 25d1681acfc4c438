#pragma once

#include "platform/core/PlatformTypes.h"

// The device's registry, kept in its store: keys with case-insensitive names, and REG_SZ, REG_DWORD,
// REG_BINARY (and other types kept as bytes) values. Every write is one durable step, seen at once
// by other processes on the device.

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002));

using REGSAM = DWORD;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
inline constexpr REGSAM KEY_READ = 0x20019;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// The longest key name component and value name, in characters.
inline constexpr size_t kMaxRegistryName = 255;

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM access,
                     void* security, HKEY* result, DWORD* disposition);
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result);
LONG RegCloseKey(HKEY key);
LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegDeleteValueW(HKEY key, LPCWSTR name);
// Deletes the subkey with everything below it.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, DWORD* nameChars, DWORD* reserved, DWORD* type,
                   BYTE* data, DWORD* size);
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* nameChars, DWORD* reserved, LPWSTR keyClass,
                   DWORD* classChars, FILETIME* lastWrite);
LONG RegQueryInfoKeyW(HKEY key, LPWSTR keyClass, DWORD* classChars, DWORD* reserved, DWORD* subKeys,
                      DWORD* maxSubKeyChars, DWORD* maxClassChars, DWORD* values, DWORD* maxValueNameChars,
                      DWORD* maxValueBytes, DWORD* securityDescriptor, FILETIME* lastWrite);
LONG RegFlushKey(HKEY key);
