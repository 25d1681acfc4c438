#pragma once

#include "platform/core/PlatformTypes.h"

// Menus: popup menus and menu bars as the window system keeps them, with entries by position or by
// command id, texts, enabled and checked states. Handles are HMENU values of the process.

using UINT_PTR = uintptr_t;

inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MFT_RADIOCHECK = 0x0200;
inline constexpr UINT MF_SEPARATOR = 0x0800;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and the submenus it holds.
BOOL DestroyMenu(HMENU menu);
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text);
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text);
BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR text);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
// -1 for an invalid menu.
int GetMenuItemCount(HMENU menu);
// The command id at a position; 0xFFFFFFFF for a submenu or a position past the end.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// Copies the text (cut to `chars` with its zero); returns the characters copied.
int GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int chars, UINT flags);
// The previous state (MF_ENABLED, MF_GRAYED or MF_DISABLED), or 0xFFFFFFFF for no such entry.
DWORD EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
// Checks `check` with a radio mark and clears the other entries from `first` to `last`.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP and MFT_RADIOCHECK bits, or 0xFFFFFFFF.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
