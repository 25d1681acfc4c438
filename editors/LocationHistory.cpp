#include "editors/LocationHistory.h"

#include <algorithm>

#include "platform/registry/Registry.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"

namespace calyra {

namespace {

std::u16string Cut(std::u16string text, size_t capacity) {
  if (text.size() > capacity) text.resize(capacity);
  return text;
}

// The text of the value at `index`, or nothing when it is not REG_SZ; false when there is none.
bool ReadValue(HKEY key, DWORD index, std::optional<std::u16string>* text) {
  WCHAR name[kMaxRegistryName + 1];
  DWORD nameChars = std::size(name);
  DWORD type = REG_NONE;
  DWORD bytes = 0;
  if (RegEnumValueW(key, index, name, &nameChars, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
    return false;
  text->reset();
  if (type != REG_SZ) return true;
  std::u16string data(bytes / sizeof(char16_t) + 1, u'\0');
  nameChars = std::size(name);
  bytes = static_cast<DWORD>(data.size() * sizeof(char16_t));
  if (RegEnumValueW(key, index, name, &nameChars, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                    &bytes) != ERROR_SUCCESS) {
    return false;
  }
  data.resize(data.find(u'\0'));
  *text = Cut(std::move(data), kLocationTextCapacity);
  return true;
}

std::u16string ComboText(HWND comboBox, int index) {
  LRESULT length = SendMessageW(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(text.find(u'\0'));
  return text;
}

}  // namespace

std::vector<std::u16string> ReadLocationHistory() {
  std::vector<std::u16string> entries;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kLocationHistoryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return entries;
  std::optional<std::u16string> text;
  for (DWORD index = 0; ReadValue(key, index, &text); ++index) {
    if (text) InsertLocation(entries, *text);
  }
  RegCloseKey(key);
  return entries;
}

void WriteLocationHistory(const std::vector<std::u16string>& entries) {
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kLocationHistoryKey);
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kLocationHistoryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  for (size_t index = entries.size(); index-- > 0;) {
    if (entries[index].empty()) continue;
    char16_t name[kLocationValueNameCapacity + 1];
    platform::FormatBounded(name, std::size(name), u"MRU%d", {static_cast<int>(index)});
    std::u16string text = Cut(entries[index], kLocationTextCapacity);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
  }
  RegCloseKey(key);
}

std::optional<size_t> InsertLocation(std::vector<std::u16string>& entries, const std::u16string& text) {
  for (const std::u16string& entry : entries) {
    if (platform::EqualsNoCase(entry, text)) return std::nullopt;
  }
  auto greater = std::find_if(entries.begin(), entries.end(), [&](const std::u16string& entry) {
    return platform::CompareNoCase(entry, text) > 0;
  });
  auto inserted = entries.insert(greater, text);
  return static_cast<size_t>(inserted - entries.begin());
}

void LoadLocationHistory(HWND comboBox) {
  SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& entry : ReadLocationHistory()) {
    SendMessageW(comboBox, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
  }
}

void SaveLocationHistory(HWND comboBox) {
  std::vector<std::u16string> entries;
  auto count = static_cast<int>(SendMessageW(comboBox, CB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) entries.push_back(ComboText(comboBox, index));
  std::u16string field(static_cast<size_t>(GetWindowTextLengthW(comboBox)) + 1, u'\0');
  field.resize(static_cast<size_t>(GetWindowTextW(comboBox, field.data(), static_cast<int>(field.size()))));
  if (field.empty() && entries.empty()) return;
  if (!field.empty()) InsertLocation(entries, Cut(field, kLocationTextCapacity));
  WriteLocationHistory(entries);
}

}  // namespace calyra
