#include "platform/ui/Menu.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/HandleTable.h"
#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"

namespace {

struct MenuEntry {
  UINT flags = 0;  // state and kind bits as GetMenuState reports them
  UINT id = 0;
  std::u16string text;
  HMENU submenu = nullptr;
};

struct MenuObject : platform::KernelObject {
  std::mutex lock;
  std::vector<MenuEntry> entries;
};

constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MFT_RADIOCHECK;

std::shared_ptr<MenuObject> MenuOf(HMENU menu) {
  auto object = platform::System::Current().Handles().Get<MenuObject>(menu);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

// The index of an entry named by position or by command id (searched in submenus too: the menu that
// holds it is returned through `holder`).
std::shared_ptr<MenuObject> Locate(HMENU menu, UINT item, UINT flags, size_t* index) {
  auto object = MenuOf(menu);
  if (!object) return nullptr;
  std::lock_guard guard(object->lock);
  if (flags & MF_BYPOSITION) {
    if (item >= object->entries.size()) return nullptr;
    *index = item;
    return object;
  }
  for (size_t i = 0; i < object->entries.size(); ++i) {
    const MenuEntry& entry = object->entries[i];
    if (!entry.submenu && !(entry.flags & MF_SEPARATOR) && entry.id == item) {
      *index = i;
      return object;
    }
  }
  for (const MenuEntry& entry : object->entries) {
    if (entry.submenu) {
      if (auto inner = Locate(entry.submenu, item, flags, index)) return inner;
    }
  }
  return nullptr;
}

MenuEntry MakeEntry(UINT flags, UINT_PTR id, LPCWSTR text) {
  MenuEntry entry;
  entry.flags = flags & (kStateBits | MF_SEPARATOR | MF_POPUP);
  if (flags & MF_POPUP) {
    entry.submenu = reinterpret_cast<HMENU>(id);
  } else {
    entry.id = static_cast<UINT>(id);
  }
  if (!(flags & MF_SEPARATOR)) entry.text = platform::TextView(text, 4096);
  return entry;
}

HMENU NewMenu() {
  return reinterpret_cast<HMENU>(platform::System::Current().Handles().Add(std::make_shared<MenuObject>()));
}

}  // namespace

HMENU CreateMenu() {
  return NewMenu();
}
HMENU CreatePopupMenu() {
  return NewMenu();
}

BOOL DestroyMenu(HMENU menu) {
  auto object = MenuOf(menu);
  if (!object) return FALSE;
  std::vector<HMENU> submenus;
  {
    std::lock_guard guard(object->lock);
    for (const MenuEntry& entry : object->entries) {
      if (entry.submenu) submenus.push_back(entry.submenu);
    }
  }
  for (HMENU submenu : submenus) DestroyMenu(submenu);
  return platform::System::Current().Handles().Close(menu) ? TRUE : FALSE;
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text) {
  auto object = MenuOf(menu);
  if (!object) return FALSE;
  size_t at = 0;
  if (flags & MF_BYPOSITION) {
    std::lock_guard guard(object->lock);
    at = std::min<size_t>(position, object->entries.size());  // past the end appends
  } else if (position == 0xFFFFFFFF || !Locate(menu, position, MF_BYCOMMAND, &at)) {
    std::lock_guard guard(object->lock);
    at = object->entries.size();
  }
  std::lock_guard guard(object->lock);
  object->entries.insert(object->entries.begin() + static_cast<std::ptrdiff_t>(at),
                         MakeEntry(flags, id, text));
  return TRUE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
  return InsertMenuW(menu, 0xFFFFFFFF, (flags & ~MF_BYPOSITION) | MF_BYPOSITION, id, text);
}

BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text) {
  size_t index = 0;
  auto holder = Locate(menu, position, flags, &index);
  if (!holder) return FALSE;
  std::lock_guard guard(holder->lock);
  holder->entries[index] = MakeEntry(flags, id, text);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  size_t index = 0;
  auto holder = Locate(menu, position, flags, &index);
  if (!holder) return FALSE;
  std::lock_guard guard(holder->lock);
  holder->entries.erase(holder->entries.begin() + static_cast<std::ptrdiff_t>(index));
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  size_t index = 0;
  auto holder = Locate(menu, position, flags, &index);
  if (!holder) return FALSE;
  HMENU submenu = nullptr;
  {
    std::lock_guard guard(holder->lock);
    submenu = holder->entries[index].submenu;
    holder->entries.erase(holder->entries.begin() + static_cast<std::ptrdiff_t>(index));
  }
  if (submenu) DestroyMenu(submenu);
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  auto object = MenuOf(menu);
  if (!object) return -1;
  std::lock_guard guard(object->lock);
  return static_cast<int>(object->entries.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
  auto object = MenuOf(menu);
  if (!object || position < 0) return 0xFFFFFFFF;
  std::lock_guard guard(object->lock);
  if (static_cast<size_t>(position) >= object->entries.size()) return 0xFFFFFFFF;
  const MenuEntry& entry = object->entries[static_cast<size_t>(position)];
  return entry.submenu ? 0xFFFFFFFF : entry.id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  auto object = MenuOf(menu);
  if (!object || position < 0) return nullptr;
  std::lock_guard guard(object->lock);
  if (static_cast<size_t>(position) >= object->entries.size()) return nullptr;
  return object->entries[static_cast<size_t>(position)].submenu;
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int chars, UINT flags) {
  size_t index = 0;
  auto holder = Locate(menu, item, flags, &index);
  if (!holder) return 0;
  std::lock_guard guard(holder->lock);
  const std::u16string& value = holder->entries[index].text;
  if (text == nullptr || chars <= 0) return static_cast<int>(value.size());
  return static_cast<int>(platform::BoundedCopy(text, static_cast<size_t>(chars), value));
}

namespace {

// Replaces the `mask` bits of an entry's state; the previous bits, or 0xFFFFFFFF for no such entry.
DWORD SwapStateBits(HMENU menu, UINT item, UINT flags, UINT mask) {
  size_t index = 0;
  auto holder = Locate(menu, item, flags, &index);
  if (!holder) return 0xFFFFFFFF;
  std::lock_guard guard(holder->lock);
  MenuEntry& entry = holder->entries[index];
  DWORD previous = entry.flags & mask;
  entry.flags = (entry.flags & ~mask) | (flags & mask);
  return previous;
}

}  // namespace

DWORD EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  return SwapStateBits(menu, item, flags, MF_GRAYED | MF_DISABLED);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  return SwapStateBits(menu, item, flags, MF_CHECKED);
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  auto object = MenuOf(menu);
  if (!object) return FALSE;
  size_t from = 0, to = 0, chosen = 0;
  if (!Locate(menu, first, flags, &from) || !Locate(menu, last, flags, &to) ||
      !Locate(menu, check, flags, &chosen) || chosen < from || chosen > to) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard guard(object->lock);
  for (size_t i = from; i <= to && i < object->entries.size(); ++i) {
    MenuEntry& entry = object->entries[i];
    if (entry.flags & MF_SEPARATOR) continue;
    entry.flags &= ~(MF_CHECKED | MFT_RADIOCHECK);
    if (i == chosen) entry.flags |= MF_CHECKED | MFT_RADIOCHECK;
  }
  return TRUE;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  size_t index = 0;
  auto holder = Locate(menu, item, flags, &index);
  if (!holder) return 0xFFFFFFFF;
  std::lock_guard guard(holder->lock);
  const MenuEntry& entry = holder->entries[index];
  return entry.flags | (entry.submenu ? MF_POPUP : 0);
}
