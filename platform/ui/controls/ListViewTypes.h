#pragma once

#include "platform/gdi/Gdi.h"
#include "platform/ui/Message.h"
#include "platform/ui/WindowTypes.h"

// The list view: class name, styles, records, messages, notifications and the ListView_* helpers,
// with the device SDK's names and values. Only report mode lays rows out; the other views keep the
// same items and state.

inline constexpr const char16_t* WC_LISTVIEWW = u"SysListView32";

// Styles.
inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_SORTASCENDING = 0x0010;
inline constexpr DWORD LVS_SORTDESCENDING = 0x0020;
inline constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
inline constexpr DWORD LVS_NOLABELWRAP = 0x0080;
inline constexpr DWORD LVS_AUTOARRANGE = 0x0100;
inline constexpr DWORD LVS_EDITLABELS = 0x0200;
inline constexpr DWORD LVS_OWNERDATA = 0x1000;
inline constexpr DWORD LVS_NOSCROLL = 0x2000;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

// Extended styles.
inline constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
inline constexpr DWORD LVS_EX_SUBITEMIMAGES = 0x00000002;
inline constexpr DWORD LVS_EX_CHECKBOXES = 0x00000004;
inline constexpr DWORD LVS_EX_TRACKSELECT = 0x00000008;
inline constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x00000010;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;
inline constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x00000040;

// Item fields and states.
inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVIF_INDENT = 0x0010;
inline constexpr UINT LVIF_NORECOMPUTE = 0x0800;
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_CUT = 0x0004;
inline constexpr UINT LVIS_DROPHILITED = 0x0008;
inline constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
inline constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT index) {
  return index << 12;
}
constexpr UINT INDEXTOOVERLAYMASK(UINT index) {
  return index << 8;
}
inline LPWSTR const LPSTR_TEXTCALLBACKW = reinterpret_cast<LPWSTR>(-1);
inline constexpr int I_IMAGECALLBACK = -1;

struct LVITEMW {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
};
using LV_ITEMW = LVITEMW;

// Columns.
inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr UINT LVCF_SUBITEM = 0x0008;
inline constexpr UINT LVCF_IMAGE = 0x0010;
inline constexpr UINT LVCF_ORDER = 0x0020;
inline constexpr int LVCFMT_LEFT = 0x0000;
inline constexpr int LVCFMT_RIGHT = 0x0001;
inline constexpr int LVCFMT_CENTER = 0x0002;
inline constexpr int LVCFMT_JUSTIFYMASK = 0x0003;
inline constexpr int LVSCW_AUTOSIZE = -1;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

struct LVCOLUMNW {
  UINT mask;
  int fmt;
  int cx;
  LPWSTR pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
};
using LV_COLUMNW = LVCOLUMNW;

// LVM_GETNEXTITEM.
inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr UINT LVNI_CUT = 0x0004;
inline constexpr UINT LVNI_DROPHILITED = 0x0008;
inline constexpr UINT LVNI_ABOVE = 0x0100;
inline constexpr UINT LVNI_BELOW = 0x0200;
inline constexpr UINT LVNI_TOLEFT = 0x0400;
inline constexpr UINT LVNI_TORIGHT = 0x0800;

// LVM_FINDITEMW.
inline constexpr UINT LVFI_PARAM = 0x0001;
inline constexpr UINT LVFI_STRING = 0x0002;
inline constexpr UINT LVFI_PARTIAL = 0x0008;
inline constexpr UINT LVFI_WRAP = 0x0020;
inline constexpr UINT LVFI_NEARESTXY = 0x0040;

struct LVFINDINFOW {
  UINT flags;
  LPCWSTR psz;
  LPARAM lParam;
  POINT pt;
  UINT vkDirection;
};

// Image lists.
inline constexpr int LVSIL_NORMAL = 0;
inline constexpr int LVSIL_SMALL = 1;
inline constexpr int LVSIL_STATE = 2;

// LVM_SETITEMCOUNT.
inline constexpr LPARAM LVSICF_NOINVALIDATEALL = 0x0001;
inline constexpr LPARAM LVSICF_NOSCROLL = 0x0002;

// LVM_GETITEMRECT.
inline constexpr int LVIR_BOUNDS = 0;
inline constexpr int LVIR_ICON = 1;
inline constexpr int LVIR_LABEL = 2;
inline constexpr int LVIR_SELECTBOUNDS = 3;

using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

// Messages.
inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETBKCOLOR = LVM_FIRST + 0;
inline constexpr UINT LVM_SETBKCOLOR = LVM_FIRST + 1;
inline constexpr UINT LVM_GETIMAGELIST = LVM_FIRST + 2;
inline constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
inline constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
inline constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
inline constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
inline constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
inline constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
inline constexpr UINT LVM_GETTEXTCOLOR = LVM_FIRST + 35;
inline constexpr UINT LVM_SETTEXTCOLOR = LVM_FIRST + 36;
inline constexpr UINT LVM_GETTEXTBKCOLOR = LVM_FIRST + 37;
inline constexpr UINT LVM_SETTEXTBKCOLOR = LVM_FIRST + 38;
inline constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
inline constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
inline constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
inline constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
inline constexpr UINT LVM_SETITEMCOUNT = LVM_FIRST + 47;
inline constexpr UINT LVM_SORTITEMS = LVM_FIRST + 48;
inline constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
inline constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
inline constexpr UINT LVM_GETSELECTIONMARK = LVM_FIRST + 66;
inline constexpr UINT LVM_SETSELECTIONMARK = LVM_FIRST + 67;
inline constexpr UINT LVM_GETITEMW = LVM_FIRST + 75;
inline constexpr UINT LVM_SETITEMW = LVM_FIRST + 76;
inline constexpr UINT LVM_INSERTITEMW = LVM_FIRST + 77;
inline constexpr UINT LVM_FINDITEMW = LVM_FIRST + 83;
inline constexpr UINT LVM_GETSTRINGWIDTHW = LVM_FIRST + 87;
inline constexpr UINT LVM_GETCOLUMNW = LVM_FIRST + 95;
inline constexpr UINT LVM_SETCOLUMNW = LVM_FIRST + 96;
inline constexpr UINT LVM_INSERTCOLUMNW = LVM_FIRST + 97;
inline constexpr UINT LVM_GETITEMTEXTW = LVM_FIRST + 115;
inline constexpr UINT LVM_SETITEMTEXTW = LVM_FIRST + 116;

// Notifications (WM_NOTIFY).
inline constexpr UINT LVN_FIRST = 0U - 100U;
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
inline constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
inline constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
inline constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;
inline constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
inline constexpr UINT LVN_BEGINDRAG = LVN_FIRST - 9;
inline constexpr UINT LVN_ITEMACTIVATE = LVN_FIRST - 14;
inline constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55;
inline constexpr UINT LVN_BEGINLABELEDITW = LVN_FIRST - 75;
inline constexpr UINT LVN_ENDLABELEDITW = LVN_FIRST - 76;
inline constexpr UINT LVN_GETDISPINFOW = LVN_FIRST - 77;

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
};
using NM_LISTVIEW = NMLISTVIEW;
using LPNMLISTVIEW = NMLISTVIEW*;

struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
  UINT uKeyFlags;
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;

// NM_CUSTOMDRAW of a list view. At CDDS_ITEMPREPAINT (and, in report view, each subitem's
// CDDS_ITEMPREPAINT | CDDS_SUBITEM) the parent may change the colours the text is drawn in.
struct NMLVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  COLORREF clrText;
  COLORREF clrTextBk;
  int iSubItem;
};
using LPNMLVCUSTOMDRAW = NMLVCUSTOMDRAW*;

// The helpers device code calls instead of sending the messages itself.
inline int ListView_GetItemCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}
inline int ListView_InsertItem(HWND list, const LVITEMW* item) {
  return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
inline BOOL ListView_SetItem(HWND list, const LVITEMW* item) {
  return static_cast<BOOL>(SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
inline BOOL ListView_GetItem(HWND list, LVITEMW* item) {
  return static_cast<BOOL>(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)));
}
inline BOOL ListView_DeleteItem(HWND list, int index) {
  return static_cast<BOOL>(SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(index), 0));
}
inline BOOL ListView_DeleteAllItems(HWND list) {
  return static_cast<BOOL>(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
}
inline BOOL ListView_SetItemText(HWND list, int index, int subItem, LPCWSTR text) {
  LVITEMW item{};
  item.iSubItem = subItem;
  item.pszText = const_cast<LPWSTR>(text);
  return static_cast<BOOL>(
      SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}
inline int ListView_GetItemText(HWND list, int index, int subItem, LPWSTR text, int chars) {
  LVITEMW item{};
  item.iSubItem = subItem;
  item.pszText = text;
  item.cchTextMax = chars;
  return static_cast<int>(
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}
inline int ListView_GetNextItem(HWND list, int start, UINT flags) {
  return static_cast<int>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
}
inline BOOL ListView_SetItemState(HWND list, int index, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  return static_cast<BOOL>(
      SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}
inline UINT ListView_GetItemState(HWND list, int index, UINT mask) {
  return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
}
inline UINT ListView_GetSelectedCount(HWND list) {
  return static_cast<UINT>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0));
}
inline DWORD ListView_SetExtendedListViewStyle(HWND list, DWORD style) {
  return static_cast<DWORD>(SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}
inline DWORD ListView_SetExtendedListViewStyleEx(HWND list, DWORD mask, DWORD style) {
  return static_cast<DWORD>(
      SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, static_cast<LPARAM>(style)));
}
inline DWORD ListView_GetExtendedListViewStyle(HWND list) {
  return static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}
inline HIMAGELIST ListView_SetImageList(HWND list, HIMAGELIST images, int kind) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessageW(list, LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images)));
}
inline HIMAGELIST ListView_GetImageList(HWND list, int kind) {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, static_cast<WPARAM>(kind), 0));
}
inline int ListView_InsertColumn(HWND list, int index, const LVCOLUMNW* column) {
  return static_cast<int>(
      SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(column)));
}
inline BOOL ListView_DeleteColumn(HWND list, int index) {
  return static_cast<BOOL>(SendMessageW(list, LVM_DELETECOLUMN, static_cast<WPARAM>(index), 0));
}
inline BOOL ListView_GetColumn(HWND list, int index, LVCOLUMNW* column) {
  return static_cast<BOOL>(
      SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(column)));
}
inline BOOL ListView_SetColumnWidth(HWND list, int index, int width) {
  return static_cast<BOOL>(SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index),
                                        MAKELPARAM(static_cast<WORD>(width), 0)));
}
inline int ListView_GetColumnWidth(HWND list, int index) {
  return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index), 0));
}
inline void ListView_SetCheckState(HWND list, int index, BOOL checked) {
  ListView_SetItemState(list, index, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}
inline BOOL ListView_GetCheckState(HWND list, int index) {
  return static_cast<BOOL>((ListView_GetItemState(list, index, LVIS_STATEIMAGEMASK) >> 12) - 1);
}
inline int ListView_GetStringWidth(HWND list, LPCWSTR text) {
  return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
}
inline BOOL ListView_EnsureVisible(HWND list, int index, BOOL partialOk) {
  return static_cast<BOOL>(SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOk));
}
inline int ListView_FindItem(HWND list, int start, const LVFINDINFOW* find) {
  return static_cast<int>(
      SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find)));
}
inline BOOL ListView_SortItems(HWND list, PFNLVCOMPARE compare, LPARAM sortParam) {
  return static_cast<BOOL>(
      SendMessageW(list, LVM_SORTITEMS, static_cast<WPARAM>(sortParam), reinterpret_cast<LPARAM>(compare)));
}
inline void ListView_SetItemCount(HWND list, int count) {
  SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}
inline int ListView_GetTopIndex(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
}
inline int ListView_GetCountPerPage(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
}
inline BOOL ListView_SetBkColor(HWND list, COLORREF color) {
  return static_cast<BOOL>(SendMessageW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color)));
}
inline COLORREF ListView_GetBkColor(HWND list) {
  return static_cast<COLORREF>(SendMessageW(list, LVM_GETBKCOLOR, 0, 0));
}
inline BOOL ListView_SetTextColor(HWND list, COLORREF color) {
  return static_cast<BOOL>(SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color)));
}
inline COLORREF ListView_GetTextColor(HWND list) {
  return static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0));
}
inline BOOL ListView_SetTextBkColor(HWND list, COLORREF color) {
  return static_cast<BOOL>(SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color)));
}
inline COLORREF ListView_GetTextBkColor(HWND list) {
  return static_cast<COLORREF>(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0));
}
inline BOOL ListView_GetItemRect(HWND list, int index, RECT* rect, int code) {
  if (rect) rect->left = code;
  return static_cast<BOOL>(
      SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

namespace platform::ui {
void RegisterListView();
}  // namespace platform::ui
