#include "host/ComponentSettings.h"

#include <cstring>
#include <limits>

#include "categories/CategoryColours.h"
#include "host/PlatformTests.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

constexpr size_t kSignatureChars = 1024;

platform::RegistryKey SettingsKey() {
  return platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Velmora\\Calyra");
}

// A string value, cut at its zero and at `maxChars` with the zero.
std::optional<std::u16string> Text(const platform::RegistryKey& key, const std::u16string& name,
                                   size_t maxChars) {
  DWORD type = 0;
  auto bytes = key.Bytes(name.c_str(), std::numeric_limits<DWORD>::max(), &type);
  if (!bytes || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  std::u16string text(bytes->size() / 2, u'\0');
  std::memcpy(text.data(), bytes->data(), text.size() * 2);
  return std::u16string(platform::TextView(text.c_str(), maxChars - 1));
}

// A value of exactly sizeof(T) bytes.
template <class T>
std::optional<T> Fixed(const platform::RegistryKey& key, const std::u16string& name) {
  auto bytes = key.Bytes(name.c_str());
  if (!bytes || bytes->size() != sizeof(T)) return std::nullopt;
  T value;
  std::memcpy(&value, bytes->data(), sizeof(T));
  return value;
}

}  // namespace

LONG EmailSignatureNumber() {
  return Fixed<LONG>(SettingsKey(), u"EmailSig").value_or(0);
}

std::u16string EmailSignatureText(LONG number) {
  if (number <= 0) return {};
  return Text(SettingsKey(), platform::FormatText(u"EmailSig.%d", {number}), kSignatureChars).value_or(u"");
}

DWORD CategoryColor(std::u16string_view category) {
  return CategoryColour(category).value_or(kNoCategoryColour);
}

void SetCategoryColor(std::u16string_view category, std::optional<DWORD> color) {
  SetCategoryColour(category, color);
}

std::vector<std::u16string> FormatStrings() {
  auto key = SettingsKey();
  std::vector<std::u16string> formats;
  for (int i = 1;; ++i) {
    auto text = Text(key, platform::FormatText(u"FormatInternal%d", {i}), kSignatureChars);
    if (!text) break;
    formats.push_back(*text);
  }
  return formats;
}

void SaveFormatStrings(const std::vector<std::u16string>& formats) {
  auto key = SettingsKey();
  for (int i = 1; key.DeleteValue(platform::FormatText(u"FormatInternal%d", {i}).c_str()); ++i) {
  }
  for (size_t i = 0; i < formats.size(); ++i) {
    key.SetText(platform::FormatText(u"FormatInternal%d", {static_cast<int>(i + 1)}).c_str(), formats[i]);
  }
}

std::optional<Palette> CustomPalette() {
  return Fixed<Palette>(SettingsKey(), u"CustomPalette.Colors");
}

void SaveCustomPalette(const Palette& palette) {
  SettingsKey().SetBytes(u"CustomPalette.Colors", REG_BINARY, palette.data(), sizeof(Palette));
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
