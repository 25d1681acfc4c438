#include "platform/ui/ResourceModule.h"

#include "platform/core/HandleTable.h"
#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/gdi/ImageDecoder.h"
#include "platform/text/Text.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WindowManager.h"

namespace {

struct ModuleObject : platform::KernelObject {
  std::shared_ptr<const platform::ResourceModule> module;
  void* library = nullptr;  // the loader's handle; libraries are never unloaded
};

template <class Map, class Key>
auto FindIn(const Map& map, Key key) -> decltype(&map.begin()->second) {
  auto found = map.find(key);
  return found == map.end() ? nullptr : &found->second;
}

bool FillMenu(HMENU menu, const std::vector<platform::MenuTemplateItem>& entries) {
  for (const auto& entry : entries) {
    if (!entry.entries.empty() || (entry.flags & MF_POPUP)) {
      HMENU submenu = CreatePopupMenu();
      if (!submenu || !FillMenu(submenu, entry.entries)) return false;
      AppendMenuW(menu, (entry.flags | MF_POPUP), reinterpret_cast<UINT_PTR>(submenu), entry.text.c_str());
    } else {
      AppendMenuW(menu, entry.flags, entry.id, entry.text.c_str());
    }
  }
  return true;
}

int IdOf(LPCWSTR name) {
  return IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<uintptr_t>(name)) : -1;
}

}  // namespace

namespace platform {

const std::u16string* ResourceModule::String(UINT id) const {
  return FindIn(strings_, id);
}
const DialogTemplate* ResourceModule::Dialog(int id) const {
  return FindIn(dialogs_, id);
}
const std::vector<MenuTemplateItem>* ResourceModule::Menu(int id) const {
  return FindIn(menus_, id);
}
const std::vector<BYTE>* ResourceModule::Bitmap(int id) const {
  return FindIn(bitmaps_, id);
}

HINSTANCE RegisterResourceModule(std::shared_ptr<const ResourceModule> module, void* library) {
  if (!module) return nullptr;
  auto object = std::make_shared<ModuleObject>();
  object->module = std::move(module);
  object->library = library;
  return reinterpret_cast<HINSTANCE>(System::Current().Handles().Add(object));
}

std::shared_ptr<const ResourceModule> ResourceModuleOf(HINSTANCE instance) {
  auto object = System::Current().Handles().Get<ModuleObject>(instance);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return object->module;
}

std::optional<void*> LibraryOf(HINSTANCE instance) {
  auto object = System::Current().Handles().Get<ModuleObject>(instance);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return std::nullopt;
  }
  return object->library;
}

}  // namespace platform

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int chars) {
  auto module = platform::ResourceModuleOf(instance);
  if (!module || !buffer || chars < 0) return 0;
  const std::u16string* text = module->String(id);
  if (!text) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    if (chars > 0) buffer[0] = 0;
    return 0;
  }
  if (chars == 0) {
    *reinterpret_cast<const char16_t**>(buffer) = text->c_str();
    return static_cast<int>(text->size());
  }
  return static_cast<int>(platform::BoundedCopy(buffer, static_cast<size_t>(chars), *text));
}

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) {
  auto module = platform::ResourceModuleOf(instance);
  const auto* entries = module ? module->Menu(IdOf(name)) : nullptr;
  if (!entries) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  HMENU menu = CreateMenu();
  if (menu && !FillMenu(menu, *entries)) {
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  auto module = platform::ResourceModuleOf(instance);
  const auto* image = module ? module->Bitmap(IdOf(name)) : nullptr;
  if (!image) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return platform::DecodeImage(image->data(), image->size());
}

BOOL FreeLibrary(HINSTANCE instance) {
  if (!platform::System::Current().Handles().Get<ModuleObject>(instance)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return platform::System::Current().Handles().Close(instance) ? TRUE : FALSE;
}
