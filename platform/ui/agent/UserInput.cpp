#include "platform/ui/agent/UserInput.h"

#include <string>
#include <vector>

#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/ListViewTypes.h"
#include "platform/ui/controls/TreeViewTypes.h"

namespace platform {

namespace {

bool Reachable(HWND control) {
  return IsWindow(control) && IsWindowVisible(control) && IsWindowEnabled(control);
}

bool ChooseInList(HWND control, int index, UINT setMessage, UINT countMessage, WORD notification) {
  if (index < 0 || index >= SendMessageW(control, countMessage, 0, 0)) return false;
  SendMessageW(control, setMessage, static_cast<WPARAM>(index), 0);
  bool notify = notification != LBN_SELCHANGE || (GetWindowLongW(control, GWL_STYLE) & LBS_NOTIFY);
  if (notify) ui::NotifyParentCommand(control, notification);
  return true;
}

}  // namespace

bool UserClick(HWND control) {
  if (!Reachable(control)) return false;
  SendMessageW(control, ui::IsClass(control, WC_BUTTON) ? BM_CLICK : WM_LBUTTONUP, 0, 0);
  return true;
}

bool UserType(HWND control, std::u16string_view text) {
  if (!Reachable(control)) return false;
  if (ui::IsClass(control, WC_COMBOBOX)) {
    if ((GetWindowLongW(control, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST) return false;
    SetFocus(control);
    std::u16string value(text);
    DefWindowProcW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    ui::NotifyParentCommand(control, CBN_EDITCHANGE);
    return true;
  }
  if (GetWindowLongW(control, GWL_STYLE) & ES_READONLY) return false;
  SetFocus(control);
  SendMessageW(control, EM_SETSEL, 0, -1);
  if (text.empty()) SendMessageW(control, WM_CLEAR, 0, 0);
  for (char16_t c : text) SendMessageW(control, WM_CHAR, c == u'\n' ? u'\r' : c, 0);
  return true;
}

bool UserDrawStroke(HWND ink, const std::vector<POINT>& points) {
  if (!Reachable(ink) || !ui::IsClass(ink, WC_INKX) || points.empty()) return false;
  SetFocus(ink);
  return SendMessageW(ink, IM_ADDSTROKE, points.size(), reinterpret_cast<LPARAM>(points.data())) != FALSE;
}

namespace {

// The items of a tree view from `first` on, in the order a person reads them: each item, then its
// children.
void AddTreeItems(HWND tree, HTREEITEM first, std::vector<HTREEITEM>& items) {
  for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
    items.push_back(item);
    AddTreeItems(tree, TreeView_GetChild(tree, item), items);
  }
}

std::vector<HTREEITEM> TreeItemsInOrder(HWND tree) {
  std::vector<HTREEITEM> items;
  AddTreeItems(tree, TreeView_GetRoot(tree), items);
  return items;
}

std::u16string TreeItemText(HWND tree, HTREEITEM item) {
  WCHAR text[256] = {};
  TVITEMW value{};
  value.mask = TVIF_TEXT;
  value.hItem = item;
  value.pszText = text;
  value.cchTextMax = 256;
  TreeView_GetItem(tree, &value);
  return text;
}

bool ChooseTreeItem(HWND tree, int index) {
  std::vector<HTREEITEM> items = TreeItemsInOrder(tree);
  if (index < 0 || static_cast<size_t>(index) >= items.size()) return false;
  return UserSelectTreeItem(tree, items[static_cast<size_t>(index)]);
}

bool ChooseTreeText(HWND tree, std::u16string_view text) {
  for (HTREEITEM item : TreeItemsInOrder(tree)) {
    if (TreeItemText(tree, item) == text) return UserSelectTreeItem(tree, item);
  }
  return false;
}

}  // namespace

bool UserChoose(HWND control, int index) {
  if (!Reachable(control)) return false;
  if (ui::IsClass(control, WC_LISTBOX))
    return ChooseInList(control, index, LB_SETCURSEL, LB_GETCOUNT, LBN_SELCHANGE);
  if (ui::IsClass(control, WC_COMBOBOX))
    return ChooseInList(control, index, CB_SETCURSEL, CB_GETCOUNT, CBN_SELCHANGE);
  if (ui::IsClass(control, WC_TABCONTROLW)) return UserSelectTab(control, index);
  if (ui::IsClass(control, WC_LISTVIEWW)) return UserClickListViewItem(control, index);
  if (ui::IsClass(control, WC_TREEVIEWW)) return ChooseTreeItem(control, index);
  return false;
}

bool UserTapAndHold(HWND control, int index) {
  if (!Reachable(control) || !ui::IsClass(control, WC_LISTVIEWW)) return false;
  return UserTapAndHoldListViewItem(control, index);
}

bool UserDoubleChoose(HWND control, int index) {
  if (!Reachable(control)) return false;
  if (ui::IsClass(control, WC_LISTVIEWW)) return UserDoubleClickListViewItem(control, index);
  if (!ui::IsClass(control, WC_LISTBOX) || !UserChoose(control, index)) return false;
  if (GetWindowLongW(control, GWL_STYLE) & LBS_NOTIFY) ui::NotifyParentCommand(control, LBN_DBLCLK);
  return true;
}

bool UserChooseText(HWND control, std::u16string_view text) {
  std::u16string value(text);
  LPARAM pattern = reinterpret_cast<LPARAM>(value.c_str());
  if (ui::IsClass(control, WC_LISTBOX)) {
    return UserChoose(control, static_cast<int>(SendMessageW(control, LB_FINDSTRINGEXACT,
                                                             static_cast<WPARAM>(-1), pattern)));
  }
  if (ui::IsClass(control, WC_COMBOBOX)) {
    return UserChoose(control, static_cast<int>(SendMessageW(control, CB_FINDSTRINGEXACT,
                                                             static_cast<WPARAM>(-1), pattern)));
  }
  if (ui::IsClass(control, WC_TREEVIEWW) && Reachable(control)) return ChooseTreeText(control, text);
  return false;
}

bool UserPressKey(HWND window, WPARAM key) {
  if (!IsWindow(window)) return false;
  return PostMessageW(window, WM_KEYDOWN, key, 0) != FALSE;
}

bool UserCommand(HWND owner, UINT command) {
  if (!IsWindow(owner) || !IsWindowEnabled(owner)) return false;
  return PostMessageW(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0) != FALSE;
}

}  // namespace platform
