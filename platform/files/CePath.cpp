#include "platform/files/CePath.h"

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"

namespace platform {

namespace {

bool ValidComponent(std::u16string_view part, bool wildcards) {
  if (part.empty() || part == u"." || part == u"..") return false;
  for (char16_t c : part) {
    if (c < 0x20 || c == u'<' || c == u'>' || c == u':' || c == u'"' || c == u'|') return false;
    if (!wildcards && (c == u'*' || c == u'?')) return false;
  }
  return true;
}

// The entry of `folder` named `name` without regard to case; the name itself when there is none.
std::u16string FindEntry(const std::filesystem::path& folder, const std::u16string& name) {
  std::error_code ec;
  if (std::filesystem::exists(folder / ToUtf8(name), ec)) return name;
  std::u16string folded = FoldCase(name);
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    std::u16string candidate = FromUtf8(entry.path().filename().string());
    if (FoldCase(candidate) == folded) return candidate;
  }
  return name;
}

}  // namespace

std::optional<ResolvedPath> ResolveCePath(LPCWSTR path, bool allowWildcards) {
  Device* device = CurrentDevice();
  if (device == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return std::nullopt;
  }
  std::u16string_view text = TextView(path, MAX_PATH + 1);
  if (text.size() >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return std::nullopt;
  }
  std::vector<std::u16string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(u"\\/", start);
    if (end == std::u16string_view::npos) end = text.size();
    if (end > start) parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  for (size_t i = 0; i < parts.size(); ++i) {
    if (!ValidComponent(parts[i], allowWildcards && i + 1 == parts.size())) {
      SetLastError(ERROR_INVALID_NAME);
      return std::nullopt;
    }
  }
  ResolvedPath resolved;
  resolved.host = device->FileSystemRoot();
  resolved.parentExists = true;
  std::error_code ec;
  for (size_t i = 0; i < parts.size(); ++i) {
    std::u16string name = resolved.parentExists ? FindEntry(resolved.host, parts[i]) : parts[i];
    resolved.host /= ToUtf8(name);
    resolved.components.push_back(name);
    resolved.key += u"\\" + FoldCase(name);
    if (i + 1 < parts.size() && !std::filesystem::is_directory(resolved.host, ec))
      resolved.parentExists = false;
  }
  if (resolved.key.empty()) resolved.key = u"\\";
  return resolved;
}

namespace {
template <class F>
auto WithStore(F&& body) {
  Device* device = CurrentDevice();
  using R = decltype(body(device->Db()));
  if (device == nullptr) return R{};
  try {
    std::lock_guard guard(device->Lock());
    return body(device->Db());
  } catch (const std::exception&) {
    return R{};
  }
}
}  // namespace

DWORD StoredAttributes(const std::u16string& key) {
  return WithStore([&](SqliteConnection& db) -> DWORD {
    auto statement = db.Prepare("SELECT attributes FROM fileattrs WHERE path = ?");
    statement.Bind(1, std::u16string_view(key));
    return statement.Step() ? static_cast<DWORD>(statement.ColumnInt64(0)) : 0;
  });
}

void StoreAttributes(const std::u16string& key, DWORD attributes) {
  WithStore([&](SqliteConnection& db) -> int {
    if (attributes == 0) {
      db.Prepare("DELETE FROM fileattrs WHERE path = ?").Bind(1, std::u16string_view(key)).Run();
    } else {
      db.Prepare("INSERT OR REPLACE INTO fileattrs(path, attributes) VALUES(?, ?)")
          .Bind(1, std::u16string_view(key))
          .Bind(2, static_cast<int64_t>(attributes))
          .Run();
    }
    return 0;
  });
}

void MoveStoredAttributes(const std::u16string& from, const std::u16string& to) {
  WithStore([&](SqliteConnection& db) -> int {
    // The file itself, and everything below it when it is a folder.
    db.Prepare(
          "UPDATE fileattrs SET path = ?1 || substr(path, length(?2) + 1) "
          "WHERE path = ?2 OR substr(path, 1, length(?2) + 1) = ?2 || '\\'")
        .Bind(1, std::u16string_view(to))
        .Bind(2, std::u16string_view(from))
        .Run();
    return 0;
  });
}

void ForgetStoredAttributes(const std::u16string& key) {
  StoreAttributes(key, 0);
}

bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name) {
  if (pattern == u"*.*") return true;
  std::u16string p = FoldCase(pattern), n = FoldCase(name);
  size_t pi = 0, ni = 0, star = std::u16string::npos, resume = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == u'?' || p[pi] == n[ni])) {
      ++pi, ++ni;
    } else if (pi < p.size() && p[pi] == u'*') {
      star = pi++;
      resume = ni;
    } else if (star != std::u16string::npos) {
      pi = star + 1;
      ni = ++resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == u'*') ++pi;
  return pi == p.size();
}

}  // namespace platform
