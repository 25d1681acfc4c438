#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"

namespace platform {

// An open registry key for the length of one operation, with the reads and writes the component
// makes of it. A key that could not be opened reads as empty and ignores writes.
class RegistryKey {
 public:
  static RegistryKey Open(HKEY root, const char16_t* path);
  // Opens the key, creating it when missing.
  static RegistryKey Create(HKEY root, const char16_t* path);
  RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  RegistryKey& operator=(RegistryKey&&) = delete;
  ~RegistryKey();

  HKEY Get() const { return key_; }
  // A REG_DWORD value; none when missing or of another type.
  std::optional<DWORD> Number(const char16_t* name) const;
  // The bytes of a value, at most `limit` of them.
  std::optional<std::vector<BYTE>> Bytes(const char16_t* name,
                                         DWORD limit = std::numeric_limits<DWORD>::max(),
                                         DWORD* type = nullptr) const;
  // The bytes of a value as UTF-16 code units (at most `limitBytes` bytes), zeros included.
  std::optional<std::u16string> Chars(const char16_t* name, DWORD limitBytes) const;
  void SetNumber(const char16_t* name, DWORD value) const;
  void SetText(const char16_t* name, const std::u16string& text) const;
  void SetBytes(const char16_t* name, DWORD type, const void* data, DWORD size) const;
  bool DeleteValue(const char16_t* name) const;

 private:
  explicit RegistryKey(HKEY key) : key_(key) {}
  HKEY key_ = nullptr;
};

}  // namespace platform
