#include "platform/process/SharedSection.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"

namespace {

// The largest section offered: the device's sections are small tables, not files.
constexpr size_t kMaxSectionBytes = 64 * 1024 * 1024;

struct SectionObject : platform::KernelObject {
  ~SectionObject() override {
    if (fd >= 0) close(fd);
  }
  int fd = -1;
  size_t size = 0;
};

struct MappedViews : platform::ProcessState {
  ~MappedViews() override {
    for (auto& [address, size] : views) munmap(address, size);
  }
  std::mutex lock;
  std::map<void*, size_t> views;
};

std::string SectionFileName(std::u16string_view name) {
  static const char kHex[] = "0123456789abcdef";
  std::string file;
  for (unsigned char c : platform::ToUtf8(name)) {
    file += kHex[c >> 4];
    file += kHex[c & 15];
  }
  return file + ".section";
}

int OpenBacking(std::u16string_view name, size_t size, bool* existed) {
  *existed = false;
  if (name.empty()) return memfd_create("section", MFD_CLOEXEC);
  platform::Device* device = platform::CurrentDevice();
  if (device == nullptr) return -1;
  auto path = device->SectionsFolder() / SectionFileName(name);
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    *existed = true;
    fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
  }
  (void)size;
  return fd;
}

}  // namespace

HANDLE CreateFileMappingW(HANDLE file, void*, DWORD protect, DWORD sizeHigh, DWORD sizeLow, LPCWSTR name) {
  std::u16string_view text = platform::TextView(name, MAX_PATH + 1);
  if (file != INVALID_HANDLE_VALUE || sizeHigh != 0 || sizeLow == 0 || sizeLow > kMaxSectionBytes ||
      text.size() > MAX_PATH || (protect != PAGE_READWRITE && protect != PAGE_READONLY)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  bool existed = false;
  int fd = OpenBacking(text, sizeLow, &existed);
  struct stat info {};
  if (fd < 0 || fstat(fd, &info) != 0) {
    if (fd >= 0) close(fd);
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // Growing never loses what another process wrote: the new bytes read as zero.
  if (static_cast<size_t>(info.st_size) < sizeLow && ftruncate(fd, static_cast<off_t>(sizeLow)) != 0) {
    close(fd);
    SetLastError(ERROR_DISK_FULL);
    return nullptr;
  }
  auto section = std::make_shared<SectionObject>();
  section->fd = fd;
  section->size = std::max<size_t>(sizeLow, static_cast<size_t>(info.st_size));
  HANDLE handle = platform::System::Current().Handles().Add(section);
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

void* MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, size_t bytes) {
  auto section = platform::System::Current().Handles().Get<SectionObject>(mapping);
  if (!section) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (offsetHigh != 0 || offsetLow != 0 || bytes > section->size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  size_t size = bytes ? bytes : section->size;
  int protection = (access & FILE_MAP_WRITE) ? PROT_READ | PROT_WRITE : PROT_READ;
  void* view = mmap(nullptr, size, protection, MAP_SHARED, section->fd, 0);
  if (view == MAP_FAILED) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto& views = platform::System::Current().State<MappedViews>();
  std::lock_guard guard(views.lock);
  views.views[view] = size;
  return view;
}

BOOL UnmapViewOfFile(const void* view) {
  auto& views = platform::System::Current().State<MappedViews>();
  std::lock_guard guard(views.lock);
  auto found = views.views.find(const_cast<void*>(view));
  if (found == views.views.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  munmap(found->first, found->second);
  views.views.erase(found);
  return TRUE;
}
