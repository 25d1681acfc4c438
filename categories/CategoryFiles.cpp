#include "categories/CategoryFiles.h"

#include <algorithm>

#include "categories/SampleIcons.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/Formatter.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

constexpr size_t kLongestFileName = 250;
constexpr std::u16string_view kUnsafeCharacters = u"\\/:*?\"<>|";
constexpr const char16_t* kIconFolderValue = u"Core.Categories";
constexpr const char16_t* kPaletteValue = u"SourceIconLocation";
constexpr const char16_t* kAlternativeValue = u"AltIconSet1";
constexpr const char16_t* kDefaultIconFolder = u"\\My Documents\\Category Icons";
constexpr const char16_t* kSampleFolderName = u"\\Calyra Sample Icons";

std::u16string Setting(const char16_t* name) {
  auto key = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kCategorySettingsKey);
  std::u16string text = key.Chars(name, kFolderSettingChars * 2).value_or(u"");
  text.resize(std::min(text.find(u'\0'), text.size()));
  return text;
}

std::u16string HostFolder() {
  WCHAR path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::u16string folder(path);
  size_t slash = folder.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : folder.substr(0, slash);
}

bool IsFolder(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::u16string WithoutTrailingSlash(std::u16string_view path) {
  while (path.size() > 1 && path.back() == u'\\') path.remove_suffix(1);
  return std::u16string(path);
}

// The names `pattern` finds whose directory bit is `folders`.
std::vector<std::u16string> Find(const std::u16string& pattern, bool folders) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder == folders) names.emplace_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

}  // namespace

std::optional<std::u16string> CategoryFileName(std::u16string_view name) {
  if (name.empty() || name.size() > kLongestFileName) return std::nullopt;
  std::u16string file(name);
  for (size_t i = 0; i < file.size() && file[i] == u' '; ++i) file[i] = u'_';
  for (char16_t& c : file) {
    if (kUnsafeCharacters.find(c) != std::u16string_view::npos) c = u'_';
  }
  return file;
}

std::u16string CategoryIconFolder() {
  std::u16string folder = WithoutTrailingSlash(Setting(kIconFolderValue));
  return folder.empty() ? std::u16string(kDefaultIconFolder) : folder;
}

std::optional<std::u16string> CategoryIconPath(std::u16string_view nameOrKey) {
  std::optional<std::u16string> file = CategoryFileName(nameOrKey);
  if (!file) return std::nullopt;
  std::u16string path = platform::FormatText(u"%s\\%s.bmp", {CategoryIconFolder(), *file});
  if (path.size() >= MAX_PATH) return std::nullopt;
  return path;
}

std::u16string PaletteFolder(HINSTANCE resources) {
  std::u16string folder = WithoutTrailingSlash(Setting(kPaletteValue));
  if (!folder.empty()) return folder;
  folder = HostFolder() + kSampleFolderName;
  if (!IsFolder(folder) && MakeFolders(folder)) WriteSampleIcons(resources, folder);
  return folder;
}

// A value that already holds the folder is left as it is: the same result without a durable write.
void SavePaletteFolder(const std::u16string& folder) {
  std::u16string text = folder.substr(0, kFolderSettingChars - 1);
  if (Setting(kPaletteValue) == text) return;
  platform::RegistryKey::Create(HKEY_LOCAL_MACHINE, kCategorySettingsKey).SetText(kPaletteValue, text);
}

std::u16string AlternativeIconRoot() {
  return WithoutTrailingSlash(Setting(kAlternativeValue));
}

std::vector<std::u16string> Subfolders(const std::u16string& folder) {
  if (folder.empty()) return {};
  return Find(folder + u"\\*", true);
}

std::vector<std::u16string> BitmapFiles(const std::u16string& folder) {
  std::vector<std::u16string> files = Find(folder + u"\\*.bmp", false);
  std::sort(files.begin(), files.end(),
            [](const auto& a, const auto& b) { return platform::CompareNoCase(a, b) < 0; });
  return files;
}

bool SameFolder(std::u16string_view a, std::u16string_view b) {
  return platform::EqualsNoCase(WithoutTrailingSlash(a), WithoutTrailingSlash(b));
}

bool MakeFolders(const std::u16string& folder) {
  for (size_t slash = folder.find(u'\\', 1); slash != std::u16string::npos;
       slash = folder.find(u'\\', slash + 1))
    CreateDirectoryW(folder.substr(0, slash).c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  return IsFolder(folder);
}

bool DeleteIconFile(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return DeleteFileW(path.c_str());
}

}  // namespace calyra
