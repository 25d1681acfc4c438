#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/WindowTypes.h"

// Resource modules: the strings, dialog templates, menus and bitmaps of a program or library, loaded
// by an HINSTANCE handle. A module is built in memory (the default English module of the component,
// or a small one in a test) and registered with the process.

inline LPCWSTR MAKEINTRESOURCEW(uintptr_t id) {
  return reinterpret_cast<LPCWSTR>(id);
}
inline bool IS_INTRESOURCE(LPCWSTR name) {
  return (reinterpret_cast<uintptr_t>(name) >> 16) == 0;
}

namespace platform {

// One control of a dialog template; the rectangle is in dialog units (x, y, width, height).
struct DialogItemTemplate {
  std::u16string className;
  int id = 0;
  std::u16string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};  // dialog units: x, y, width, height
  std::u16string caption;
  std::vector<DialogItemTemplate> items;
};

// One entry of a menu template: a command (id), a separator (MF_SEPARATOR) or a popup with entries.
struct MenuTemplateItem {
  std::u16string text;
  UINT id = 0;
  UINT flags = 0;
  std::vector<MenuTemplateItem> entries;
};

class ResourceModule {
 public:
  void AddString(UINT id, std::u16string text) { strings_[id] = std::move(text); }
  void AddDialog(int id, DialogTemplate dialog) { dialogs_[id] = std::move(dialog); }
  void AddMenu(int id, std::vector<MenuTemplateItem> menu) { menus_[id] = std::move(menu); }
  // An encoded image (BMP, PNG, GIF or JPEG), decoded when it is loaded.
  void AddBitmap(int id, std::vector<BYTE> image) { bitmaps_[id] = std::move(image); }

  const std::u16string* String(UINT id) const;
  const DialogTemplate* Dialog(int id) const;
  const std::vector<MenuTemplateItem>* Menu(int id) const;
  const std::vector<BYTE>* Bitmap(int id) const;
  size_t StringCount() const { return strings_.size(); }
  const std::map<UINT, std::u16string>& Strings() const { return strings_; }

 private:
  std::map<UINT, std::u16string> strings_;
  std::map<int, DialogTemplate> dialogs_;
  std::map<int, std::vector<MenuTemplateItem>> menus_;
  std::map<int, std::vector<BYTE>> bitmaps_;
};

// Makes `module` loadable through the returned handle (closed with FreeLibrary). `library` is the loader's
// handle of the shared library the module came from, whose entry points GetProcAddressW finds; null for
// a module built in memory.
HINSTANCE RegisterResourceModule(std::shared_ptr<const ResourceModule> module, void* library = nullptr);
// The module behind a handle; null (ERROR_INVALID_HANDLE) for anything else.
std::shared_ptr<const ResourceModule> ResourceModuleOf(HINSTANCE instance);
// The loader's handle of the library behind a module handle: null inside for a module built in memory;
// nothing (ERROR_INVALID_HANDLE) when the handle is no module.
std::optional<void*> LibraryOf(HINSTANCE instance);

}  // namespace platform

// Copies string `id` into `buffer` (cut to `chars` with its zero) and returns its length; with `chars`
// 0, stores a read-only pointer to the string in `buffer` instead. 0 when there is no such string.
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int chars);
HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name);
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);
BOOL FreeLibrary(HINSTANCE instance);
