#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/core/HandleTable.h"

// The device's file system: CE paths ("\My Documents\x.pwi", rooted at "\", backslashes; slashes are
// accepted) live in the device's fs/ folder. Names are found without regard to case, as on the device;
// a new name keeps the case it was given. The read-only and hidden attributes are kept in the device's
// store, because the host runs as root and would ignore file modes.

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
inline constexpr DWORD ERROR_NEGATIVE_SEEK = 131;
inline constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD share, void* security, DWORD disposition, DWORD flags,
                   HANDLE templateFile);
BOOL ReadFile(HANDLE file, void* buffer, DWORD bytes, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytes, DWORD* written, void* overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
BOOL SetEndOfFile(HANDLE file);
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);
BOOL FlushFileBuffers(HANDLE file);
BOOL GetFileTime(HANDLE file, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite);
BOOL DeleteFileW(LPCWSTR name);
BOOL MoveFileW(LPCWSTR from, LPCWSTR to);
BOOL CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists);
DWORD GetFileAttributesW(LPCWSTR name);
BOOL SetFileAttributesW(LPCWSTR name, DWORD attributes);
BOOL CreateDirectoryW(LPCWSTR name, void* security);
BOOL RemoveDirectoryW(LPCWSTR name);

struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwOID;
  WCHAR cFileName[MAX_PATH];
};

// Wildcards * and ? in the last component, matched without regard to case; "*.*" matches every name.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data);
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE search);

inline constexpr int CSIDL_PROGRAMS = 0x02;
inline constexpr int CSIDL_PERSONAL = 0x05;
inline constexpr int CSIDL_STARTUP = 0x07;
inline constexpr int CSIDL_WINDOWS = 0x24;
inline constexpr int CSIDL_PROGRAM_FILES = 0x26;

// `buffer` holds MAX_PATH characters.
BOOL SHGetSpecialFolderPath(HWND owner, LPWSTR buffer, int folder, BOOL create);
// The host executable's path; cut to `size` characters (with the zero) as the platform does.
DWORD GetModuleFileNameW(HINSTANCE module, LPWSTR buffer, DWORD size);

namespace platform {

// The module path GetModuleFileNameW gives this process ("\Program Files\Calyra\Calyra.exe" by default).
void SetModuleFileName(std::u16string_view cePath);

// Where a CE path lives on the host, following existing names without regard to case; none for an
// invalid path or without a device.
std::optional<std::filesystem::path> HostPathOf(std::u16string_view cePath);

}  // namespace platform
