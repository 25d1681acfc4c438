#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"

namespace platform {

// A CE path taken apart and found on the host.
struct ResolvedPath {
  std::vector<std::u16string> components;  // as found on the device (existing names keep their case)
  std::filesystem::path host;
  std::u16string key;  // the case-folded CE path: the name of the file in the attribute table
  bool parentExists = false;
  // What `host` was when the path was resolved: not_found when it is missing.
  std::filesystem::file_status status{std::filesystem::file_type::not_found};
};

// Checks and resolves a CE path; on failure sets the platform error and returns none. With
// `allowWildcards` the last component may hold * and ?.
std::optional<ResolvedPath> ResolveCePath(LPCWSTR path, bool allowWildcards = false);
// The checks alone: the components of the path as written (views into it), or none with the error set.
std::optional<std::vector<std::u16string_view>> SplitCePath(LPCWSTR path, bool allowWildcards = false);
// Components as written, joined into a host path below the device's file system folder.
std::string RelativeHostPath(const std::vector<std::u16string_view>& parts);
// Components as written, joined into the attribute table's name of the file.
std::u16string FoldedCePath(const std::vector<std::u16string_view>& parts);
// The device's file system folder, open (O_PATH) for the calls that name a file relative to it; -1
// without a device.
int FileSystemRootFd();

// The stored attributes of a file (only the bits the host cannot keep).
DWORD StoredAttributes(const std::u16string& key);
void StoreAttributes(const std::u16string& key, DWORD attributes);
void MoveStoredAttributes(const std::u16string& from, const std::u16string& to);
void ForgetStoredAttributes(const std::u16string& key);
// Stores the attributes of the file at `path`. A read-only regular file also loses its write
// permission on the host (taken before the row is written, given back after the row is gone), so the
// table never holds a read-only file that the host lets its owner write.
void WriteAttributes(const ResolvedPath& path, DWORD attributes);
// Whether the file at `path` is read-only. A regular file that the host lets its owner write is not
// (see WriteAttributes), which answers the common case without a look at the table.
bool IsReadOnlyFile(const ResolvedPath& path);
// The same for the file named `key` in the table, when the caller has seen whether it is a regular
// file that the host lets its owner write.
bool IsReadOnlyFile(const std::u16string& key, bool hostWritableFile);

bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name);

}  // namespace platform
