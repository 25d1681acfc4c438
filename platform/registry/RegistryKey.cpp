#include "platform/registry/RegistryKey.h"

#include <algorithm>
#include <cstring>

namespace platform {

RegistryKey RegistryKey::Open(HKEY root, const char16_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) key = nullptr;
  return RegistryKey(key);
}

RegistryKey RegistryKey::Create(HKEY root, const char16_t* path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    key = nullptr;
  }
  return RegistryKey(key);
}

RegistryKey::~RegistryKey() {
  if (key_) RegCloseKey(key_);
}

std::optional<DWORD> RegistryKey::Number(const char16_t* name) const {
  DWORD type = 0;
  auto bytes = Bytes(name, sizeof(DWORD) + 1, &type);
  if (!bytes || type != REG_DWORD || bytes->size() != sizeof(DWORD)) return std::nullopt;
  DWORD value = 0;
  std::memcpy(&value, bytes->data(), sizeof(value));
  return value;
}

std::optional<std::vector<BYTE>> RegistryKey::Bytes(const char16_t* name, DWORD limit, DWORD* type) const {
  DWORD size = 0, valueType = 0;
  if (!key_ || RegQueryValueExW(key_, name, nullptr, &valueType, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::vector<BYTE> data(size);
  if (RegQueryValueExW(key_, name, nullptr, &valueType, data.data(), &size) != ERROR_SUCCESS)
    return std::nullopt;
  data.resize(std::min(size, limit));
  if (type) *type = valueType;
  return data;
}

std::optional<std::u16string> RegistryKey::Chars(const char16_t* name, DWORD limitBytes) const {
  auto bytes = Bytes(name, limitBytes);
  if (!bytes) return std::nullopt;
  std::u16string chars(bytes->size() / 2, u'\0');
  std::memcpy(chars.data(), bytes->data(), chars.size() * 2);
  return chars;
}

void RegistryKey::SetNumber(const char16_t* name, DWORD value) const {
  SetBytes(name, REG_DWORD, &value, sizeof(value));
}

void RegistryKey::SetText(const char16_t* name, const std::u16string& text) const {
  SetBytes(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
}

void RegistryKey::SetBytes(const char16_t* name, DWORD type, const void* data, DWORD size) const {
  if (key_) RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size);
}

bool RegistryKey::DeleteValue(const char16_t* name) const {
  return key_ && RegDeleteValueW(key_, name) == ERROR_SUCCESS;
}

}  // namespace platform
