#include "host/ComponentSettings.h"

#include "host/PlatformTests.h"
#include "platform/registry/Registry.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

constexpr size_t kSignatureChars = 1024;

// The component's key, opened with create for the length of one operation.
class SettingsKey {
 public:
  SettingsKey() {
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key_, nullptr);
  }
  ~SettingsKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY Get() const { return key_; }

  std::optional<std::vector<BYTE>> Bytes(const std::u16string& name, DWORD* type = nullptr) const {
    DWORD size = 0, valueType = 0;
    if (!key_ || RegQueryValueExW(key_, name.c_str(), nullptr, &valueType, nullptr, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::vector<BYTE> data(size);
    if (RegQueryValueExW(key_, name.c_str(), nullptr, &valueType, data.data(), &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    if (type) *type = valueType;
    return data;
  }
  std::optional<std::u16string> Text(const std::u16string& name, size_t maxChars) const {
    DWORD type = 0;
    auto bytes = Bytes(name, &type);
    if (!bytes || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    std::u16string text(bytes->size() / 2, u'\0');
    std::copy(bytes->begin(), bytes->begin() + static_cast<std::ptrdiff_t>(text.size() * 2),
              reinterpret_cast<BYTE*>(text.data()));
    std::u16string_view cut = platform::TextView(text.c_str(), maxChars - 1);
    return std::u16string(cut);
  }
  void SetText(const std::u16string& name, const std::u16string& text) const {
    if (key_) {
      RegSetValueExW(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * 2));
    }
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

LONG EmailSignatureNumber() {
  SettingsKey key;
  auto bytes = key.Bytes(u"EmailSig");
  if (!bytes || bytes->size() != sizeof(LONG)) return 0;
  LONG number = 0;
  std::copy(bytes->begin(), bytes->end(), reinterpret_cast<BYTE*>(&number));
  return number;
}

std::u16string EmailSignatureText(LONG number) {
  if (number <= 0) return {};
  SettingsKey key;
  return key.Text(platform::FormatText(u"EmailSig.%d", {number}), kSignatureChars).value_or(u"");
}

DWORD CategoryColor(std::u16string_view category) {
  SettingsKey key;
  auto bytes = key.Bytes(u"CatColor." + std::u16string(category));
  if (!bytes || bytes->size() != sizeof(DWORD)) return 0xFFFFFF;
  DWORD color = 0;
  std::copy(bytes->begin(), bytes->end(), reinterpret_cast<BYTE*>(&color));
  return color;
}

void SetCategoryColor(std::u16string_view category, std::optional<DWORD> color) {
  SettingsKey key;
  std::u16string name = u"CatColor." + std::u16string(category);
  if (!key.Get()) return;
  if (color) {
    RegSetValueExW(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*color),
                   sizeof(DWORD));
  } else {
    RegDeleteValueW(key.Get(), name.c_str());
  }
}

std::vector<std::u16string> FormatStrings() {
  SettingsKey key;
  std::vector<std::u16string> formats;
  for (int i = 1;; ++i) {
    auto text = key.Text(platform::FormatText(u"FormatInternal%d", {i}), kSignatureChars);
    if (!text) break;
    formats.push_back(*text);
  }
  return formats;
}

void SaveFormatStrings(const std::vector<std::u16string>& formats) {
  SettingsKey key;
  if (!key.Get()) return;
  for (int i = 1;; ++i) {
    if (RegDeleteValueW(key.Get(), platform::FormatText(u"FormatInternal%d", {i}).c_str()) != ERROR_SUCCESS)
      break;
  }
  for (size_t i = 0; i < formats.size(); ++i) {
    key.SetText(platform::FormatText(u"FormatInternal%d", {static_cast<int>(i + 1)}), formats[i]);
  }
}

std::optional<Palette> CustomPalette() {
  SettingsKey key;
  auto bytes = key.Bytes(u"CustomPalette.Colors");
  if (!bytes || bytes->size() != sizeof(Palette)) return std::nullopt;
  Palette palette{};
  std::copy(bytes->begin(), bytes->end(), reinterpret_cast<BYTE*>(palette.data()));
  return palette;
}

void SaveCustomPalette(const Palette& palette) {
  SettingsKey key;
  if (key.Get()) {
    RegSetValueExW(key.Get(), u"CustomPalette.Colors", 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(palette.data()), sizeof(Palette));
  }
}

MailCommand BuildMailCommand(std::u16string_view address) {
  MailCommand command;
  command.program = IsPocketPc3OrLater() ? u"tmail.exe" : u"pmail.exe";
  std::u16string signature = EmailSignatureText(EmailSignatureNumber());
  command.arguments = signature.empty()
                          ? platform::FormatText(u"-to \"%s\"", {address})
                          : platform::FormatText(u"-to \"%s\" -body \"%s\"", {address, signature});
  return command;
}

}  // namespace calyra
