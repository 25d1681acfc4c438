#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/core/PlatformTypes.h"

namespace platform {

// Anything a HANDLE can name: an open database, a file, a registry key, a mutex, a search.
class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// The process's handle table. Handle values are never reused, so a stale handle stays invalid.
class HandleTable {
 public:
  HANDLE Add(std::shared_ptr<KernelObject> object);
  // The object behind `handle` when it is of type T; null (and ERROR_INVALID_HANDLE) otherwise.
  template <class T>
  std::shared_ptr<T> Get(HANDLE handle) const {
    return std::dynamic_pointer_cast<T>(Find(handle));
  }
  std::shared_ptr<KernelObject> Find(HANDLE handle) const;
  // Removes the handle; false when it was not open.
  bool Close(HANDLE handle);
  void CloseAll();
  size_t Count() const;

 private:
  mutable std::mutex lock_;
  std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects_;
  uintptr_t next_ = 0x1000;
};

}  // namespace platform

// Closes any handle of the process; FALSE with ERROR_INVALID_HANDLE when it is not open.
BOOL CloseHandle(HANDLE handle);
