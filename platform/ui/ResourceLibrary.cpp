#include "platform/ui/ResourceLibrary.h"

#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "platform/core/LastError.h"
#include "platform/text/Text.h"
#include "platform/ui/Menu.h"

namespace {

std::u16string Text(const char16_t* text) {
  return text ? std::u16string(text) : std::u16string();
}

bool EndsWithNoCase(std::u16string_view text, std::u16string_view end) {
  return text.size() >= end.size() && platform::EqualsNoCase(text.substr(text.size() - end.size()), end);
}

// Entries from `index` on whose depth is at least `depth`; deeper entries go into the popup of the
// entry before them.
std::vector<platform::MenuTemplateItem> MenuLevel(const CalyraResourceMenu& menu, uint32_t& index,
                                                  uint32_t depth) {
  std::vector<platform::MenuTemplateItem> items;
  while (index < menu.entryCount) {
    const CalyraResourceMenuEntry& entry = menu.entries[index];
    if (entry.depth < depth) break;
    if (entry.depth > depth && !items.empty()) {
      auto entries = MenuLevel(menu, index, depth + 1);
      auto& popup = items.back();
      popup.flags |= MF_POPUP;
      popup.entries.insert(popup.entries.end(), entries.begin(), entries.end());
      continue;
    }
    items.push_back({Text(entry.text), entry.command, entry.flags, {}});
    ++index;
  }
  return items;
}

// The file name a library name maps to, or nothing when the name cannot name a library.
std::optional<std::string> LibraryFileName(std::u16string_view name) {
  size_t slash = name.find_last_of(u"\\/");
  std::u16string file(slash == std::u16string_view::npos ? name : name.substr(slash + 1));
  if (file.find(u'.') == std::u16string::npos) file += u".dll";
  if (file.front() == u'.') return std::nullopt;  // no name before the extension
  if (EndsWithNoCase(file, u".dll")) return "lib" + platform::ToUtf8(file.substr(0, file.size() - 4)) + ".so";
  if (EndsWithNoCase(file, u".so")) return platform::ToUtf8(file);
  return std::nullopt;
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : executable.parent_path();
}

// The file `file` in `folder`, its name matched ignoring case as on the device; empty when there is none.
std::filesystem::path FindInFolder(const std::filesystem::path& folder, const std::string& file) {
  std::error_code error;
  if (std::filesystem::exists(folder / file, error)) return folder / file;
  std::u16string wanted = platform::FromUtf8(file);
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (platform::EqualsNoCase(platform::FromUtf8(it->path().filename().string()), wanted)) return it->path();
  }
  return {};
}

void* OpenLibrary(std::u16string_view name, const std::string& file) {
  if (!name.empty() && name.front() == u'/') {
    std::filesystem::path path(platform::ToUtf8(name));
    return dlopen((path.parent_path() / file).c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  std::filesystem::path folder = ExecutableFolder();
  if (!folder.empty()) {
    std::filesystem::path beside = FindInFolder(folder, file);
    if (!beside.empty()) {
      if (void* library = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return library;
    }
  }
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

// Whether `symbol` lies in `library` itself: dlsym also finds what the libraries it uses export, the
// device's GetProcAddress only what the module exports.
bool DefinedIn(void* library, void* symbol) {
  link_map* own = nullptr;
  link_map* found = nullptr;
  Dl_info info{};
  return dlinfo(library, RTLD_DI_LINKMAP, &own) == 0 &&
         dladdr1(symbol, &info, reinterpret_cast<void**>(&found), RTLD_DL_LINKMAP) != 0 && found == own;
}

}  // namespace

namespace platform {

std::shared_ptr<ResourceModule> ResourceModuleFromTable(const CalyraResourceTable* table) {
  if (!table || table->version != CALYRA_RESOURCES_VERSION) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  auto module = std::make_shared<ResourceModule>();
  for (uint32_t i = 0; table->strings && i < table->stringCount; ++i) {
    if (table->strings[i].text) module->AddString(table->strings[i].id, table->strings[i].text);
  }
  for (uint32_t i = 0; table->dialogs && i < table->dialogCount; ++i) {
    const CalyraResourceDialog& source = table->dialogs[i];
    DialogTemplate dialog;
    dialog.style = source.style;
    dialog.exStyle = source.exStyle;
    dialog.rect = {source.x, source.y, source.cx, source.cy};
    dialog.caption = Text(source.caption);
    for (uint32_t j = 0; source.items && j < source.itemCount; ++j) {
      const CalyraResourceDialogItem& item = source.items[j];
      dialog.items.push_back({Text(item.className),
                              item.id,
                              Text(item.text),
                              item.style,
                              item.exStyle,
                              {item.x, item.y, item.cx, item.cy}});
    }
    module->AddDialog(source.id, std::move(dialog));
  }
  for (uint32_t i = 0; table->menus && i < table->menuCount; ++i) {
    const CalyraResourceMenu& menu = table->menus[i];
    uint32_t index = 0;
    std::vector<MenuTemplateItem> entries;
    if (menu.entries) entries = MenuLevel(menu, index, 0);
    module->AddMenu(menu.id, std::move(entries));
  }
  for (uint32_t i = 0; table->bitmaps && i < table->bitmapCount; ++i) {
    const CalyraResourceBitmap& bitmap = table->bitmaps[i];
    std::vector<BYTE> bytes;
    if (bitmap.bytes) bytes.assign(bitmap.bytes, bitmap.bytes + bitmap.size);
    module->AddBitmap(bitmap.id, std::move(bytes));
  }
  return module;
}

}  // namespace platform

HINSTANCE LoadLibraryW(LPCWSTR name) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::u16string_view text = platform::TextView(name);
  std::optional<std::string> file = LibraryFileName(text);
  void* library = file ? OpenLibrary(text, *file) : nullptr;
  if (!library) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  // A library that loads is never closed: hosts keep pointers into a table and to entry points, and a second
  // load of the same library only counts up the loader's reference.
  auto entry = reinterpret_cast<CalyraResourcesTableFunction>(dlsym(library, CALYRA_RESOURCES_ENTRY));
  if (!entry || !DefinedIn(library, reinterpret_cast<void*>(entry))) {
    return platform::RegisterResourceModule(std::make_shared<platform::ResourceModule>(), library);
  }
  auto module = platform::ResourceModuleFromTable(entry());
  if (!module) {
    dlclose(library);
    return nullptr;
  }
  return platform::RegisterResourceModule(std::move(module), library);
}

FARPROC GetProcAddressW(HINSTANCE module, LPCWSTR name) {
  std::optional<void*> library = platform::LibraryOf(module);
  if (!library) return nullptr;
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* symbol = nullptr;
  if (*library && !IS_INTRESOURCE(name)) {
    symbol = dlsym(*library, platform::ToUtf8(platform::TextView(name)).c_str());
  }
  if (!symbol || !DefinedIn(*library, symbol)) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}
