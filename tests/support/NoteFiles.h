#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/text/Formatter.h"

namespace calyra::testing {

// The bytes of a file on the device, or "(missing)".
inline std::string FileBytes(const std::u16string& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(missing)";
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes;
}

// The names of the files in a folder (with its backslash), sorted.
inline std::vector<std::u16string> FileNamesIn(const std::u16string& folder) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + u"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// The name of an alarm note whose notification is `handle`.
inline std::u16string AlarmNoteName(std::u16string_view stamp, DWORD handle, std::u16string_view title) {
  return platform::FormatText(u"%s]%08X]%s.pwi", {stamp, handle, title});
}

}  // namespace calyra::testing
