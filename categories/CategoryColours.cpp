#include "categories/CategoryColours.h"

#include <string>

#include "categories/CategoryFiles.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

constexpr DWORD kColourBytes = 4;

std::u16string ValueName(std::u16string_view nameOrKey) {
  return u"CatColor." + std::u16string(nameOrKey);
}

constexpr std::u16string_view kValuePrefix = u"CatColor.";
constexpr DWORD kLongestValueName = 16384;

COLORREF FromBytes(const BYTE* bytes) {
  return static_cast<COLORREF>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16));
}

}  // namespace

CategoryColourTable CategoryColourTable::Read() {
  CategoryColourTable table;
  auto key = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kCategorySettingsKey);
  if (!key.Get()) return table;
  std::u16string name(kLongestValueName, u'\0');
  for (DWORD index = 0;; ++index) {
    DWORD nameChars = kLongestValueName;
    BYTE data[kColourBytes] = {};
    DWORD size = kColourBytes;
    LONG result = RegEnumValueW(key.Get(), index, name.data(), &nameChars, nullptr, nullptr, data, &size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || size != kColourBytes) continue;  // longer values are no colours
    std::u16string_view found(name.data(), nameChars);
    if (found.size() <= kValuePrefix.size() ||
        !platform::EqualsNoCase(found.substr(0, kValuePrefix.size()), kValuePrefix))
      continue;
    table.colours_[platform::FoldCase(found.substr(kValuePrefix.size()))] = FromBytes(data);
  }
  return table;
}

std::optional<COLORREF> CategoryColourTable::Of(std::u16string_view nameOrKey) const {
  auto found = colours_.find(platform::FoldCase(nameOrKey));
  if (found == colours_.end()) return std::nullopt;
  return found->second;
}

std::optional<COLORREF> CategoryColour(std::u16string_view nameOrKey) {
  auto key = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kCategorySettingsKey);
  auto bytes = key.Bytes(ValueName(nameOrKey).c_str(), kColourBytes + 1);
  if (!bytes || bytes->size() != kColourBytes) return std::nullopt;
  return static_cast<COLORREF>((*bytes)[0] | ((*bytes)[1] << 8) | ((*bytes)[2] << 16));
}

void SetCategoryColour(std::u16string_view nameOrKey, std::optional<COLORREF> colour) {
  auto key = platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, kCategorySettingsKey);
  std::u16string name = ValueName(nameOrKey);
  if (!colour) {
    key.DeleteValue(name.c_str());
    return;
  }
  const BYTE bytes[kColourBytes] = {static_cast<BYTE>(*colour & 0xFF),
                                    static_cast<BYTE>((*colour >> 8) & 0xFF),
                                    static_cast<BYTE>((*colour >> 16) & 0xFF), 0};
  key.SetBytes(name.c_str(), REG_BINARY, bytes, kColourBytes);
}

void MoveCategoryColour(std::u16string_view from, std::u16string_view to) {
  std::optional<COLORREF> colour = CategoryColour(from);
  SetCategoryColour(from, std::nullopt);
  SetCategoryColour(to, colour);
}

}  // namespace calyra
