#include "platform/files/CePath.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

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

std::optional<std::vector<std::u16string_view>> SplitCePath(LPCWSTR path, bool allowWildcards) {
  std::u16string_view text = TextView(path, MAX_PATH + 1);
  if (text.size() >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return std::nullopt;
  }
  std::vector<std::u16string_view> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(u"\\/", start);
    if (end == std::u16string_view::npos) end = text.size();
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  for (size_t i = 0; i < parts.size(); ++i) {
    if (!ValidComponent(parts[i], allowWildcards && i + 1 == parts.size())) {
      SetLastError(ERROR_INVALID_NAME);
      return std::nullopt;
    }
  }
  return parts;
}

std::string RelativeHostPath(const std::vector<std::u16string_view>& parts) {
  std::string relative;
  for (std::u16string_view part : parts) {
    if (!relative.empty()) relative += '/';
    relative += ToUtf8(part);
  }
  return relative;
}

std::u16string FoldedCePath(const std::vector<std::u16string_view>& parts) {
  if (parts.empty()) return u"\\";
  std::u16string joined;
  for (std::u16string_view part : parts) {
    joined += u'\\';
    joined += part;
  }
  return FoldCase(joined);  // folding goes character by character, so the separators stay
}

std::optional<ResolvedPath> ResolveCePath(LPCWSTR path, bool allowWildcards) {
  Device* device = CurrentDevice();
  if (device == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return std::nullopt;
  }
  auto parts = SplitCePath(path, allowWildcards);
  if (!parts) return std::nullopt;
  ResolvedPath resolved;
  resolved.parentExists = true;
  std::error_code ec;
  // Most paths are spelled as they are stored: when the whole path exists as written, every
  // component is found with its own spelling, and one look at the file system is enough.
  std::string hostText = device->FileSystemRoot().native();
  if (!parts->empty()) hostText += '/' + RelativeHostPath(*parts);
  std::filesystem::path written(std::move(hostText));
  if (auto status = std::filesystem::status(written, ec); std::filesystem::exists(status)) {
    resolved.host = std::move(written);
    resolved.status = status;
    resolved.key = FoldedCePath(*parts);
    resolved.components.assign(parts->begin(), parts->end());
    return resolved;
  }
  resolved.host = device->FileSystemRoot();
  for (size_t i = 0; i < parts->size(); ++i) {
    std::u16string part((*parts)[i]);
    std::u16string name = resolved.parentExists ? FindEntry(resolved.host, part) : part;
    resolved.host /= ToUtf8(name);
    resolved.components.push_back(name);
    resolved.key += u"\\" + FoldCase(name);
    if (i + 1 < parts->size() && !std::filesystem::is_directory(resolved.host, ec))
      resolved.parentExists = false;
  }
  if (resolved.key.empty()) resolved.key = u"\\";
  if (resolved.parentExists) resolved.status = std::filesystem::status(resolved.host, ec);
  return resolved;
}

namespace {

// The device's file system folder, held open for the calls that take a path from it.
struct FileSystemFolder : ProcessState {
  FileSystemFolder() {
    if (Device* device = CurrentDevice())
      fd = open(device->FileSystemRoot().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  }
  ~FileSystemFolder() override {
    if (fd >= 0) close(fd);
  }
  int fd = -1;
};

}  // namespace

int FileSystemRootFd() {
  return System::Current().State<FileSystemFolder>().fd;
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

namespace {

namespace fs = std::filesystem;

constexpr fs::perms kWritePermissions =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

void SetHostWritable(const fs::path& host, bool writable) {
  std::error_code ec;
  if (!fs::is_regular_file(host, ec)) return;
  fs::permissions(host, writable ? fs::perms::owner_write : kWritePermissions,
                  writable ? fs::perm_options::add : fs::perm_options::remove, ec);
}

// A device may hold read-only files from before their host permission followed the table: the first
// question of a process about a file takes the write permission from each of them.
struct ReadOnlyFilesMarked : ProcessState {
  std::once_flag once;
  std::atomic<bool> done{false};
};

// False when the marks were not in place before the call: a permission seen before it says nothing.
bool MarkReadOnlyFiles() {
  auto& marks = System::Current().State<ReadOnlyFilesMarked>();
  if (marks.done.load(std::memory_order_acquire)) return true;
  std::call_once(marks.once, [&marks] {
    auto keys = WithStore([](SqliteConnection& db) {
      std::vector<std::u16string> found;
      auto statement = db.Prepare("SELECT path FROM fileattrs WHERE attributes & 1");
      while (statement.Step()) found.push_back(statement.ColumnText16(0));
      return found;
    });
    for (const std::u16string& key : keys) {
      if (auto path = ResolveCePath(key.c_str())) SetHostWritable(path->host, false);
    }
    marks.done.store(true, std::memory_order_release);
  });
  return false;
}

}  // namespace

void WriteAttributes(const ResolvedPath& path, DWORD attributes) {
  bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
  if (readOnly) SetHostWritable(path.host, false);
  StoreAttributes(path.key, attributes);
  if (!readOnly) SetHostWritable(path.host, true);
}

bool IsReadOnlyFile(const std::u16string& key, bool hostWritableFile) {
  if (MarkReadOnlyFiles() && hostWritableFile) return false;
  return StoredAttributes(key) & FILE_ATTRIBUTE_READONLY;
}

bool IsReadOnlyFile(const ResolvedPath& path) {
  return IsReadOnlyFile(path.key,
                        fs::is_regular_file(path.status) &&
                            (path.status.permissions() & fs::perms::owner_write) != fs::perms::none);
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
