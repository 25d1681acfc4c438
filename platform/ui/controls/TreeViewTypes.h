#pragma once

#include "platform/gdi/Gdi.h"
#include "platform/ui/Message.h"
#include "platform/ui/WindowTypes.h"

// The tree view: class name, styles, records, messages, notifications and the TreeView_* helpers,
// with the device SDK's names and values. Items are HTREEITEM handles that are never reused.

inline constexpr const char16_t* WC_TREEVIEWW = u"SysTreeView32";

using HTREEITEM = struct _TREEITEM*;

// Styles.
inline constexpr DWORD TVS_HASBUTTONS = 0x0001;
inline constexpr DWORD TVS_HASLINES = 0x0002;
inline constexpr DWORD TVS_LINESATROOT = 0x0004;
inline constexpr DWORD TVS_EDITLABELS = 0x0008;
inline constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
inline constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
inline constexpr DWORD TVS_CHECKBOXES = 0x0100;
inline constexpr DWORD TVS_SINGLEEXPAND = 0x0400;

// Item fields and states.
inline constexpr UINT TVIF_TEXT = 0x0001;
inline constexpr UINT TVIF_IMAGE = 0x0002;
inline constexpr UINT TVIF_PARAM = 0x0004;
inline constexpr UINT TVIF_STATE = 0x0008;
inline constexpr UINT TVIF_HANDLE = 0x0010;
inline constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
inline constexpr UINT TVIF_CHILDREN = 0x0040;
inline constexpr UINT TVIS_SELECTED = 0x0002;
inline constexpr UINT TVIS_CUT = 0x0004;
inline constexpr UINT TVIS_DROPHILITED = 0x0008;
inline constexpr UINT TVIS_BOLD = 0x0010;
inline constexpr UINT TVIS_EXPANDED = 0x0020;
inline constexpr UINT TVIS_EXPANDEDONCE = 0x0040;
inline constexpr UINT TVIS_OVERLAYMASK = 0x0F00;
inline constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
inline constexpr UINT TVIS_USERMASK = 0xF000;

inline HTREEITEM const TVI_ROOT = reinterpret_cast<HTREEITEM>(-static_cast<intptr_t>(0x10000));
inline HTREEITEM const TVI_FIRST = reinterpret_cast<HTREEITEM>(-static_cast<intptr_t>(0x0FFFF));
inline HTREEITEM const TVI_LAST = reinterpret_cast<HTREEITEM>(-static_cast<intptr_t>(0x0FFFE));
inline HTREEITEM const TVI_SORT = reinterpret_cast<HTREEITEM>(-static_cast<intptr_t>(0x0FFFD));

struct TVITEMW {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
};
using TV_ITEMW = TVITEMW;

struct TVITEMEXW {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
  int iIntegral;
};

struct TVINSERTSTRUCTW {
  HTREEITEM hParent;
  HTREEITEM hInsertAfter;
  union {
    TVITEMEXW itemex;
    TVITEMW item;
  };
};
using TV_INSERTSTRUCTW = TVINSERTSTRUCTW;

// TVM_GETNEXTITEM and TVM_SELECTITEM.
inline constexpr UINT TVGN_ROOT = 0x0000;
inline constexpr UINT TVGN_NEXT = 0x0001;
inline constexpr UINT TVGN_PREVIOUS = 0x0002;
inline constexpr UINT TVGN_PARENT = 0x0003;
inline constexpr UINT TVGN_CHILD = 0x0004;
inline constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
inline constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
inline constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
inline constexpr UINT TVGN_DROPHILITE = 0x0008;
inline constexpr UINT TVGN_CARET = 0x0009;

// TVM_EXPAND.
inline constexpr UINT TVE_COLLAPSE = 0x0001;
inline constexpr UINT TVE_EXPAND = 0x0002;
inline constexpr UINT TVE_TOGGLE = 0x0003;
inline constexpr UINT TVE_ACTIONMASK = 0x0003;
inline constexpr UINT TVE_COLLAPSERESET = 0x8000;

inline constexpr int TVSIL_NORMAL = 0;
inline constexpr int TVSIL_STATE = 2;

// How a selection came about (NMTREEVIEWW action).
inline constexpr UINT TVC_UNKNOWN = 0x0000;
inline constexpr UINT TVC_BYMOUSE = 0x0001;
inline constexpr UINT TVC_BYKEYBOARD = 0x0002;

// Messages.
inline constexpr UINT TV_FIRST = 0x1100;
inline constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
inline constexpr UINT TVM_EXPAND = TV_FIRST + 2;
inline constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
inline constexpr UINT TVM_GETINDENT = TV_FIRST + 6;
inline constexpr UINT TVM_SETINDENT = TV_FIRST + 7;
inline constexpr UINT TVM_GETIMAGELIST = TV_FIRST + 8;
inline constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;
inline constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
inline constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
inline constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;
inline constexpr UINT TVM_GETITEMSTATE = TV_FIRST + 39;
inline constexpr UINT TVM_INSERTITEMW = TV_FIRST + 50;
inline constexpr UINT TVM_GETITEMW = TV_FIRST + 62;
inline constexpr UINT TVM_SETITEMW = TV_FIRST + 63;

// Notifications (WM_NOTIFY).
inline constexpr UINT TVN_FIRST = 0U - 400U;
inline constexpr UINT TVN_SELCHANGINGW = TVN_FIRST - 50;
inline constexpr UINT TVN_SELCHANGEDW = TVN_FIRST - 51;
inline constexpr UINT TVN_GETDISPINFOW = TVN_FIRST - 52;
inline constexpr UINT TVN_SETDISPINFOW = TVN_FIRST - 53;
inline constexpr UINT TVN_ITEMEXPANDINGW = TVN_FIRST - 54;
inline constexpr UINT TVN_ITEMEXPANDEDW = TVN_FIRST - 55;
inline constexpr UINT TVN_BEGINDRAGW = TVN_FIRST - 56;
inline constexpr UINT TVN_DELETEITEMW = TVN_FIRST - 58;
inline constexpr UINT TVN_BEGINLABELEDITW = TVN_FIRST - 59;
inline constexpr UINT TVN_ENDLABELEDITW = TVN_FIRST - 60;
inline constexpr UINT TVN_KEYDOWN = TVN_FIRST - 12;

struct NMTREEVIEWW {
  NMHDR hdr;
  UINT action;
  TVITEMW itemOld;
  TVITEMW itemNew;
  POINT ptDrag;
};
using NM_TREEVIEWW = NMTREEVIEWW;
using LPNMTREEVIEWW = NMTREEVIEWW*;

inline HTREEITEM TreeView_InsertItem(HWND tree, const TVINSERTSTRUCTW* insert) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(insert)));
}
inline BOOL TreeView_DeleteItem(HWND tree, HTREEITEM item) {
  return static_cast<BOOL>(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
}
inline BOOL TreeView_DeleteAllItems(HWND tree) {
  return TreeView_DeleteItem(tree, TVI_ROOT);
}
inline BOOL TreeView_Expand(HWND tree, HTREEITEM item, UINT code) {
  return static_cast<BOOL>(SendMessageW(tree, TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
}
inline UINT TreeView_GetCount(HWND tree) {
  return static_cast<UINT>(SendMessageW(tree, TVM_GETCOUNT, 0, 0));
}
inline HIMAGELIST TreeView_SetImageList(HWND tree, HIMAGELIST images, int kind) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessageW(tree, TVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images)));
}
inline HIMAGELIST TreeView_GetImageList(HWND tree, int kind) {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(tree, TVM_GETIMAGELIST, static_cast<WPARAM>(kind), 0));
}
inline HTREEITEM TreeView_GetNextItem(HWND tree, HTREEITEM item, UINT code) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}
inline HTREEITEM TreeView_GetRoot(HWND tree) {
  return TreeView_GetNextItem(tree, nullptr, TVGN_ROOT);
}
inline HTREEITEM TreeView_GetChild(HWND tree, HTREEITEM item) {
  return TreeView_GetNextItem(tree, item, TVGN_CHILD);
}
inline HTREEITEM TreeView_GetNextSibling(HWND tree, HTREEITEM item) {
  return TreeView_GetNextItem(tree, item, TVGN_NEXT);
}
inline HTREEITEM TreeView_GetPrevSibling(HWND tree, HTREEITEM item) {
  return TreeView_GetNextItem(tree, item, TVGN_PREVIOUS);
}
inline HTREEITEM TreeView_GetParent(HWND tree, HTREEITEM item) {
  return TreeView_GetNextItem(tree, item, TVGN_PARENT);
}
inline HTREEITEM TreeView_GetSelection(HWND tree) {
  return TreeView_GetNextItem(tree, nullptr, TVGN_CARET);
}
inline BOOL TreeView_Select(HWND tree, HTREEITEM item, UINT code) {
  return static_cast<BOOL>(SendMessageW(tree, TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(item)));
}
inline BOOL TreeView_SelectItem(HWND tree, HTREEITEM item) {
  return TreeView_Select(tree, item, TVGN_CARET);
}
inline BOOL TreeView_GetItem(HWND tree, TVITEMW* item) {
  return static_cast<BOOL>(SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
inline BOOL TreeView_SetItem(HWND tree, const TVITEMW* item) {
  return static_cast<BOOL>(SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
inline UINT TreeView_GetItemState(HWND tree, HTREEITEM item, UINT mask) {
  return static_cast<UINT>(SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}
inline BOOL TreeView_EnsureVisible(HWND tree, HTREEITEM item) {
  return static_cast<BOOL>(SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)));
}

namespace platform::ui {
void RegisterTreeView();
}  // namespace platform::ui
