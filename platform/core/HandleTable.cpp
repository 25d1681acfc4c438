#include "platform/core/HandleTable.h"

#include "platform/core/LastError.h"
#include "platform/core/System.h"

namespace platform {

HANDLE HandleTable::Add(std::shared_ptr<KernelObject> object) {
  std::lock_guard guard(lock_);
  uintptr_t value = next_;
  next_ += 4;
  objects_.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> HandleTable::Find(HANDLE handle) const {
  std::lock_guard guard(lock_);
  auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
  if (found == objects_.end()) return nullptr;
  return found->second;
}

bool HandleTable::Close(HANDLE handle) {
  std::shared_ptr<KernelObject> object;  // destroyed outside the lock: it may close other handles
  {
    std::lock_guard guard(lock_);
    auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
    if (found == objects_.end()) return false;
    object = std::move(found->second);
    objects_.erase(found);
  }
  return true;
}

void HandleTable::CloseAll() {
  std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  {
    std::lock_guard guard(lock_);
    objects.swap(objects_);
  }
}

size_t HandleTable::Count() const {
  std::lock_guard guard(lock_);
  return objects_.size();
}

}  // namespace platform

BOOL CloseHandle(HANDLE handle) {
  if (!platform::System::Current().Handles().Close(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
