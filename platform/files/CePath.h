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
};

// Checks and resolves a CE path; on failure sets the platform error and returns none. With
// `allowWildcards` the last component may hold * and ?.
std::optional<ResolvedPath> ResolveCePath(LPCWSTR path, bool allowWildcards = false);

// The stored attributes of a file (only the bits the host cannot keep).
DWORD StoredAttributes(const std::u16string& key);
void StoreAttributes(const std::u16string& key, DWORD attributes);
void MoveStoredAttributes(const std::u16string& from, const std::u16string& to);
void ForgetStoredAttributes(const std::u16string& key);

bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name);

}  // namespace platform
