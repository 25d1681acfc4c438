#include "platform/process/Synchronization.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"

namespace {

using Clock = std::chrono::steady_clock;

// One mutex of the process, shared by every handle opened on its name.
struct MutexCore {
  ~MutexCore() {
    if (fd >= 0) close(fd);
  }
  std::mutex lock;
  std::condition_variable released;
  std::thread::id owner;
  int count = 0;
  int fd = -1;  // the lock file of a named mutex
};

struct MutexObject : platform::KernelObject {
  std::shared_ptr<MutexCore> core;
};

struct NamedMutexes : platform::ProcessState {
  std::mutex lock;
  std::map<std::u16string, std::weak_ptr<MutexCore>> byName;
};

// A file name that stands for the mutex name alone: its case-folded UTF-8 bytes in hexadecimal.
std::string LockFileName(std::u16string_view name) {
  static const char kHex[] = "0123456789abcdef";
  std::string bytes = platform::ToUtf8(platform::FoldCase(name));
  std::string file;
  for (unsigned char c : bytes) {
    file += kHex[c >> 4];
    file += kHex[c & 15];
  }
  return file + ".lock";
}

// Takes the lock file, polling while a deadline allows it.
bool LockFile(int fd, DWORD milliseconds) {
  if (milliseconds == INFINITE) return flock(fd, LOCK_EX) == 0;
  auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

DWORD Acquire(MutexCore& core, DWORD milliseconds) {
  std::unique_lock guard(core.lock);
  auto me = std::this_thread::get_id();
  if (core.owner == me) {
    ++core.count;
    return WAIT_OBJECT_0;
  }
  auto free = [&] { return core.owner == std::thread::id(); };
  if (milliseconds == INFINITE) {
    core.released.wait(guard, free);
  } else if (!core.released.wait_for(guard, std::chrono::milliseconds(milliseconds), free)) {
    return WAIT_TIMEOUT;
  }
  core.owner = me;  // holds off the other threads while this one waits for the other processes
  if (core.fd >= 0) {
    guard.unlock();
    bool locked = LockFile(core.fd, milliseconds);
    guard.lock();
    if (!locked) {
      core.owner = std::thread::id();
      core.released.notify_one();
      return WAIT_TIMEOUT;
    }
  }
  core.count = 1;
  return WAIT_OBJECT_0;
}

std::shared_ptr<MutexCore> OpenNamed(std::u16string_view name, bool* existed) {
  platform::Device* device = platform::CurrentDevice();
  if (device == nullptr) return nullptr;
  auto& named = platform::System::Current().State<NamedMutexes>();
  std::lock_guard guard(named.lock);
  std::u16string key = platform::FoldCase(name);
  if (auto core = named.byName[key].lock()) {
    *existed = true;
    return core;
  }
  auto path = device->MutexesFolder() / LockFileName(name);
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  *existed = fd < 0;
  if (fd < 0) fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  auto core = std::make_shared<MutexCore>();
  core->fd = fd;
  named.byName[key] = core;
  return core;
}

}  // namespace

HANDLE CreateMutexW(void*, BOOL initialOwner, LPCWSTR name) {
  std::u16string_view text = platform::TextView(name, MAX_PATH + 1);
  if (text.size() > MAX_PATH) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  bool existed = false;
  std::shared_ptr<MutexCore> core = text.empty() ? std::make_shared<MutexCore>() : OpenNamed(text, &existed);
  if (!core) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto object = std::make_shared<MutexObject>();
  object->core = core;
  if (initialOwner) Acquire(*core, INFINITE);
  HANDLE handle = platform::System::Current().Handles().Add(object);
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL ReleaseMutex(HANDLE mutex) {
  auto object = platform::System::Current().Handles().Get<MutexObject>(mutex);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  MutexCore& core = *object->core;
  std::lock_guard guard(core.lock);
  if (core.owner != std::this_thread::get_id()) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  if (--core.count == 0) {
    if (core.fd >= 0) flock(core.fd, LOCK_UN);
    core.owner = std::thread::id();
    core.released.notify_one();
  }
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  auto found = platform::System::Current().Handles().Find(handle);
  if (!found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  auto mutex = std::dynamic_pointer_cast<MutexObject>(found);
  if (!mutex) return WAIT_OBJECT_0;  // other waitable objects here (started programs) have ended
  return Acquire(*mutex->core, milliseconds);
}
