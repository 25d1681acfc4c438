#include "platform/files/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/files/CePath.h"
#include "platform/text/Text.h"

using namespace platform;

namespace {

namespace fs = std::filesystem;

constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kUnixEpochTicks = 116'444'736'000'000'000;

struct FileObject : KernelObject {
  ~FileObject() override {
    if (fd < 0) return;
    // A file written here carries the device's time, not the host's. When the device's clock is the
    // host's, the time the host gave the file at its last write already is that time.
    if (written && !System::Current().DeviceClock().IsHostTime()) {
      int64_t ticks = System::Current().DeviceClock().NowUtc() - kUnixEpochTicks;
      timespec times[2];
      times[0].tv_sec = times[1].tv_sec = ticks / kTicksPerSecond;
      times[0].tv_nsec = times[1].tv_nsec = (ticks % kTicksPerSecond) * 100;
      futimens(fd, times);
    }
    close(fd);
  }
  int fd = -1;
  bool canRead = false;
  bool canWrite = false;
  bool written = false;
  // The file pointer belongs to the handle, as the device's kernel keeps it: reads and writes go to
  // it by position, so moving it costs no call to the host.
  std::mutex lock;
  off_t position = 0;
};

struct FileSearch : KernelObject {
  std::vector<fs::path> matches;
  size_t next = 0;
};

struct ModulePath : ProcessState {
  std::mutex lock;
  std::u16string path = u"\\Program Files\\Calyra\\Calyra.exe";
};

std::shared_ptr<FileObject> FileOf(HANDLE handle) {
  auto file = System::Current().Handles().Get<FileObject>(handle);
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  return file;
}

FILETIME FileTimeOfHost(const struct timespec& time) {
  auto ticks = static_cast<uint64_t>(kUnixEpochTicks + time.tv_sec * kTicksPerSecond + time.tv_nsec / 100);
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// The last component of a CE path as the caller spelled it.
std::u16string_view LastComponent(LPCWSTR path) {
  std::u16string_view text = TextView(path, MAX_PATH);
  size_t slash = text.find_last_of(u"\\/");
  return slash == std::u16string_view::npos ? text : text.substr(slash + 1);
}

bool Fail(DWORD error) {
  SetLastError(error);
  return false;
}

DWORD AttributesOf(const fs::path& host, const std::u16string& key) {
  std::error_code ec;
  auto status = fs::status(host, ec);
  if (ec || !fs::exists(status)) return INVALID_FILE_ATTRIBUTES;
  DWORD stored =
      StoredAttributes(key) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  if (fs::is_directory(status)) return stored | FILE_ATTRIBUTE_DIRECTORY;
  return stored ? stored | FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_ARCHIVE;
}

void FillFindData(const fs::path& host, const std::u16string& key, WIN32_FIND_DATAW* data) {
  *data = WIN32_FIND_DATAW{};
  data->dwFileAttributes = AttributesOf(host, key);
  struct stat info {};
  if (stat(host.c_str(), &info) == 0) {
    data->ftCreationTime = data->ftLastAccessTime = data->ftLastWriteTime = FileTimeOfHost(info.st_mtim);
    if (!S_ISDIR(info.st_mode)) {
      data->nFileSizeLow = static_cast<DWORD>(info.st_size);
      data->nFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
    }
  }
  BoundedCopy(data->cFileName, MAX_PATH, FromUtf8(host.filename().string()));
}

}  // namespace

namespace {

int OpenMode(DWORD access) {
  return (access & GENERIC_WRITE) ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
}

HANDLE AddFile(int fd, DWORD access, bool written) {
  auto file = std::make_shared<FileObject>();
  file->fd = fd;
  file->canRead = (access & GENERIC_READ) != 0;
  file->canWrite = (access & GENERIC_WRITE) != 0;
  file->written = written;
  return System::Current().Handles().Add(file);
}

// An existing file named as it is stored, opened without truncating: the open finds it and the open
// file tells what it is, without a look at the path first. None when the path needs the full way
// (another spelling, a missing file, a folder, an invalid path), which then also sets the errors.
std::optional<HANDLE> OpenStoredFile(LPCWSTR name, DWORD access, DWORD disposition) {
  if (disposition != OPEN_EXISTING && disposition != OPEN_ALWAYS) return std::nullopt;
  int root = FileSystemRootFd();
  if (root < 0) return std::nullopt;
  auto parts = SplitCePath(name);
  if (!parts || parts->empty()) return std::nullopt;
  int fd = openat(root, RelativeHostPath(*parts).c_str(), OpenMode(access) | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  if ((access & GENERIC_WRITE) && IsReadOnlyFile(FoldedCePath(*parts), (info.st_mode & S_IWUSR) != 0)) {
    close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE handle = AddFile(fd, access, false);
  SetLastError(disposition == OPEN_ALWAYS ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

}  // namespace

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD, void*, DWORD disposition, DWORD flags, HANDLE) {
  if (auto opened = OpenStoredFile(name, access, disposition)) return *opened;
  auto path = ResolveCePath(name);
  if (!path) return INVALID_HANDLE_VALUE;
  if (path->components.empty() || disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (!path->parentExists) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  bool exists = fs::exists(path->status);
  if (fs::is_directory(path->status)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  bool truncates = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
  if (exists && IsReadOnlyFile(*path) && ((access & GENERIC_WRITE) || truncates)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  if (exists && disposition == CREATE_NEW) {
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
  }
  if (!exists && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  int mode = OpenMode(access);
  if (!exists) mode |= O_CREAT;
  if (exists && truncates) mode |= O_TRUNC;
  if (!exists && !(access & GENERIC_WRITE)) mode = O_RDONLY | O_CREAT;
  int fd = open(path->host.c_str(), mode | O_CLOEXEC, 0644);
  if (fd < 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  if (!exists) WriteAttributes(*path, flags & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  HANDLE handle = AddFile(fd, access, !exists || truncates);
  SetLastError(exists && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                      : ERROR_SUCCESS);
  return handle;
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD bytes, DWORD* read, void*) {
  auto file = FileOf(handle);
  if (read) *read = 0;
  if (!file) return FALSE;
  if (!file->canRead) return Fail(ERROR_ACCESS_DENIED);
  if (buffer == nullptr && bytes > 0) return Fail(ERROR_INVALID_PARAMETER);
  std::lock_guard guard(file->lock);
  ssize_t done = ::pread(file->fd, buffer, bytes, file->position);
  if (done < 0) return Fail(ERROR_READ_FAULT);
  file->position += done;
  if (read) *read = static_cast<DWORD>(done);
  return TRUE;
}

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD bytes, DWORD* written, void*) {
  auto file = FileOf(handle);
  if (written) *written = 0;
  if (!file) return FALSE;
  if (!file->canWrite) return Fail(ERROR_ACCESS_DENIED);
  if (buffer == nullptr && bytes > 0) return Fail(ERROR_INVALID_PARAMETER);
  std::lock_guard guard(file->lock);
  size_t total = 0;
  while (total < bytes) {
    ssize_t done = ::pwrite(file->fd, static_cast<const char*>(buffer) + total, bytes - total,
                            file->position + static_cast<off_t>(total));
    if (done < 0) {
      file->position += static_cast<off_t>(total);
      return Fail(errno == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
    }
    total += static_cast<size_t>(done);
  }
  file->position += static_cast<off_t>(total);
  file->written = true;
  if (written) *written = static_cast<DWORD>(total);
  return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD method) {
  auto file = FileOf(handle);
  if (!file) return INVALID_SET_FILE_POINTER;
  int64_t offset =
      distanceHigh ? (static_cast<int64_t>(*distanceHigh) << 32) | static_cast<DWORD>(distance) : distance;
  if (method != FILE_BEGIN && method != FILE_CURRENT && method != FILE_END) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  std::lock_guard guard(file->lock);
  int64_t base = 0;
  if (method == FILE_CURRENT) base = file->position;
  if (method == FILE_END) {
    struct stat info {};
    if (fstat(file->fd, &info) != 0) {
      SetLastError(ERROR_INVALID_HANDLE);
      return INVALID_SET_FILE_POINTER;
    }
    base = info.st_size;
  }
  if (base + offset < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  file->position = base + offset;
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(file->position) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(file->position);
}

BOOL SetEndOfFile(HANDLE handle) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!file->canWrite) return Fail(ERROR_ACCESS_DENIED);
  std::lock_guard guard(file->lock);
  if (ftruncate(file->fd, file->position) != 0) return Fail(ERROR_WRITE_FAULT);
  file->written = true;
  return TRUE;
}

DWORD GetFileSize(HANDLE handle, DWORD* sizeHigh) {
  auto file = FileOf(handle);
  struct stat info {};
  if (!file || fstat(file->fd, &info) != 0) return 0xFFFFFFFF;
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(static_cast<uint64_t>(info.st_size) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(info.st_size);
}

BOOL FlushFileBuffers(HANDLE handle) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  return fsync(file->fd) == 0 ? TRUE : Fail(ERROR_WRITE_FAULT);
}

BOOL GetFileTime(HANDLE handle, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite) {
  auto file = FileOf(handle);
  struct stat info {};
  if (!file || fstat(file->fd, &info) != 0) return FALSE;
  FILETIME time = FileTimeOfHost(info.st_mtim);
  if (creation) *creation = time;
  if (lastAccess) *lastAccess = time;
  if (lastWrite) *lastWrite = time;
  return TRUE;
}

BOOL DeleteFileW(LPCWSTR name) {
  auto path = ResolveCePath(name);
  if (!path) return FALSE;
  std::error_code ec;
  if (!fs::exists(path->host, ec))
    return Fail(path->parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  if (fs::is_directory(path->host, ec) || IsReadOnlyFile(*path)) return Fail(ERROR_ACCESS_DENIED);
  if (!fs::remove(path->host, ec)) return Fail(ERROR_ACCESS_DENIED);
  ForgetStoredAttributes(path->key);
  return TRUE;
}

BOOL MoveFileW(LPCWSTR from, LPCWSTR to) {
  auto source = ResolveCePath(from);
  auto target = ResolveCePath(to);
  if (!source || !target) return FALSE;
  std::error_code ec;
  if (!fs::exists(source->host, ec)) return Fail(ERROR_FILE_NOT_FOUND);
  if (!target->parentExists) return Fail(ERROR_PATH_NOT_FOUND);
  // Renaming to another case of the same name is allowed.
  if (fs::exists(target->host, ec) && target->key != source->key) return Fail(ERROR_ALREADY_EXISTS);
  fs::path destination = target->host.parent_path() / ToUtf8(LastComponent(to));
  fs::rename(source->host, destination, ec);
  if (ec) return Fail(ERROR_ACCESS_DENIED);
  MoveStoredAttributes(source->key, target->key);
  return TRUE;
}

BOOL CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists) {
  auto source = ResolveCePath(from);
  auto target = ResolveCePath(to);
  if (!source || !target) return FALSE;
  std::error_code ec;
  if (!fs::is_regular_file(source->host, ec)) return Fail(ERROR_FILE_NOT_FOUND);
  if (!target->parentExists) return Fail(ERROR_PATH_NOT_FOUND);
  bool exists = fs::exists(target->host, ec);
  if (exists && failIfExists) return Fail(ERROR_FILE_EXISTS);
  if (exists && IsReadOnlyFile(*target)) return Fail(ERROR_ACCESS_DENIED);
  fs::copy_file(source->host, target->host, fs::copy_options::overwrite_existing, ec);
  if (ec) return Fail(ERROR_ACCESS_DENIED);
  WriteAttributes(*target, StoredAttributes(source->key));
  return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR name) {
  auto path = ResolveCePath(name);
  if (!path) return INVALID_FILE_ATTRIBUTES;
  DWORD attributes = AttributesOf(path->host, path->key);
  if (attributes == INVALID_FILE_ATTRIBUTES)
    SetLastError(path->parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  return attributes;
}

BOOL SetFileAttributesW(LPCWSTR name, DWORD attributes) {
  auto path = ResolveCePath(name);
  if (!path) return FALSE;
  std::error_code ec;
  if (!fs::exists(path->host, ec)) return Fail(ERROR_FILE_NOT_FOUND);
  WriteAttributes(*path,
                  attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR name, void*) {
  auto path = ResolveCePath(name);
  if (!path) return FALSE;
  if (path->components.empty()) return Fail(ERROR_ALREADY_EXISTS);
  if (!path->parentExists) return Fail(ERROR_PATH_NOT_FOUND);
  std::error_code ec;
  if (fs::exists(path->host, ec)) return Fail(ERROR_ALREADY_EXISTS);
  return fs::create_directory(path->host, ec) ? TRUE : Fail(ERROR_ACCESS_DENIED);
}

BOOL RemoveDirectoryW(LPCWSTR name) {
  auto path = ResolveCePath(name);
  if (!path) return FALSE;
  std::error_code ec;
  if (path->components.empty() || !fs::is_directory(path->host, ec)) return Fail(ERROR_PATH_NOT_FOUND);
  if (!fs::is_empty(path->host, ec)) return Fail(ERROR_DIR_NOT_EMPTY);
  fs::remove(path->host, ec);
  if (ec) return Fail(ERROR_ACCESS_DENIED);
  ForgetStoredAttributes(path->key);
  return TRUE;
}

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
  auto path = ResolveCePath(pattern, true);
  if (!path) return INVALID_HANDLE_VALUE;
  if (data == nullptr || path->components.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::u16string wildcard(LastComponent(pattern));
  auto search = std::make_shared<FileSearch>();
  std::error_code ec;
  fs::path folder = path->host.parent_path();
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (MatchesWildcard(wildcard, FromUtf8(entry.path().filename().string())))
      search->matches.push_back(entry.path());
  }
  std::sort(search->matches.begin(), search->matches.end());
  if (search->matches.empty()) {
    SetLastError(path->parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE handle = System::Current().Handles().Add(search);
  FindNextFileW(handle, data);
  return handle;
}

BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* data) {
  auto search = System::Current().Handles().Get<FileSearch>(handle);
  if (!search) return Fail(ERROR_INVALID_HANDLE);
  if (data == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  if (search->next >= search->matches.size()) return Fail(ERROR_NO_MORE_FILES);
  const fs::path& host = search->matches[search->next++];
  // The attribute key of an entry: the folded CE path of its folder plus its own folded name.
  fs::path root = CurrentDevice() ? CurrentDevice()->FileSystemRoot() : fs::path();
  std::u16string key;
  for (const auto& part : host.lexically_relative(root)) key += u"\\" + FoldCase(FromUtf8(part.string()));
  FillFindData(host, key, data);
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  if (!System::Current().Handles().Get<FileSearch>(handle)) return Fail(ERROR_INVALID_HANDLE);
  return CloseHandle(handle);
}

BOOL SHGetSpecialFolderPath(HWND, LPWSTR buffer, int folder, BOOL create) {
  const char16_t* path = nullptr;
  switch (folder) {
    case CSIDL_PROGRAMS:
      path = u"\\Windows\\Start Menu\\Programs";
      break;
    case CSIDL_PERSONAL:
      path = u"\\My Documents";
      break;
    case CSIDL_STARTUP:
      path = u"\\Windows\\StartUp";
      break;
    case CSIDL_WINDOWS:
      path = u"\\Windows";
      break;
    case CSIDL_PROGRAM_FILES:
      path = u"\\Program Files";
      break;
    default:
      return Fail(ERROR_INVALID_PARAMETER);
  }
  if (buffer == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  BoundedCopy(buffer, MAX_PATH, path);
  if (create) {
    if (auto resolved = ResolveCePath(path)) {
      std::error_code ec;
      fs::create_directories(resolved->host, ec);
    }
  }
  return TRUE;
}

DWORD GetModuleFileNameW(HINSTANCE, LPWSTR buffer, DWORD size) {
  auto& module = System::Current().State<ModulePath>();
  std::lock_guard guard(module.lock);
  if (buffer == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  size_t copied = BoundedCopy(buffer, size, module.path);
  if (copied < module.path.size()) SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return static_cast<DWORD>(copied);
}

namespace platform {

void SetModuleFileName(std::u16string_view cePath) {
  auto& module = System::Current().State<ModulePath>();
  std::lock_guard guard(module.lock);
  module.path = std::u16string(cePath);
}

std::optional<fs::path> HostPathOf(std::u16string_view cePath) {
  std::u16string text(cePath);
  auto resolved = ResolveCePath(text.c_str());
  if (!resolved) return std::nullopt;
  return resolved->host;
}

}  // namespace platform
