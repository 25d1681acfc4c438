#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "tests/platform/ui/controls/ControlTestSupport.h"

namespace {

using calyra::testing::ControlTest;
using calyra::testing::Log;

constexpr int kTreeId = 301;

HTREEITEM Add(HWND tree, HTREEITEM parent, HTREEITEM after, const char16_t* text, LPARAM param = 0) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<LPWSTR>(text);
  insert.item.lParam = param;
  return TreeView_InsertItem(tree, &insert);
}

std::u16string Text(HWND tree, HTREEITEM item) {
  WCHAR buffer[32] = {};
  TVITEMW info{};
  info.mask = TVIF_TEXT;
  info.hItem = item;
  info.pszText = buffer;
  info.cchTextMax = 32;
  TreeView_GetItem(tree, &info);
  return buffer;
}

// The texts of the children of `parent` (null: the top level), in order.
std::u16string Children(HWND tree, HTREEITEM parent) {
  std::u16string texts;
  HTREEITEM item = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree);
  for (; item; item = TreeView_GetNextSibling(tree, item)) texts += Text(tree, item) + u";";
  return texts;
}

class TreeViewTest : public ControlTest {};

TEST_F(TreeViewTest, InsertionNavigationItemsAndDeletion) {
  HWND tree = Child(WC_TREEVIEWW, TVS_HASLINES | TVS_HASBUTTONS, kTreeId);
  ASSERT_NE(tree, nullptr);
  HTREEITEM work = Add(tree, TVI_ROOT, TVI_LAST, u"Work", 1);
  HTREEITEM home = Add(tree, TVI_ROOT, TVI_LAST, u"Home", 2);
  HTREEITEM first = Add(tree, TVI_ROOT, TVI_FIRST, u"Archive", 3);
  ASSERT_TRUE(work && home && first);
  EXPECT_EQ(Children(tree, nullptr), u"Archive;Work;Home;");
  HTREEITEM b = Add(tree, work, TVI_SORT, u"beta");
  Add(tree, work, TVI_SORT, u"Alpha");
  Add(tree, work, TVI_SORT, u"gamma");
  EXPECT_EQ(Children(tree, work), u"Alpha;beta;gamma;");
  HTREEITEM after = Add(tree, work, b, u"between");
  EXPECT_EQ(Children(tree, work), u"Alpha;beta;between;gamma;");
  EXPECT_EQ(TreeView_GetCount(tree), 7u);

  EXPECT_EQ(TreeView_GetParent(tree, after), work);
  EXPECT_EQ(TreeView_GetParent(tree, work), nullptr);
  EXPECT_EQ(TreeView_GetPrevSibling(tree, after), b);
  EXPECT_EQ(TreeView_GetNextSibling(tree, home), nullptr);
  EXPECT_EQ(TreeView_GetChild(tree, home), nullptr);
  EXPECT_EQ(TreeView_GetRoot(tree), first);
  EXPECT_EQ(TreeView_GetSelection(tree), nullptr);

  EXPECT_EQ(Add(tree, reinterpret_cast<HTREEITEM>(0x7777), TVI_LAST, u"orphan"), nullptr);
  EXPECT_EQ(TreeView_InsertItem(tree, nullptr), nullptr);

  TVITEMW item{};
  WCHAR small[4] = {};
  item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
  item.hItem = work;
  item.pszText = small;
  item.cchTextMax = 4;
  EXPECT_TRUE(TreeView_GetItem(tree, &item));
  EXPECT_EQ(std::u16string(small), u"Wor");
  EXPECT_EQ(item.lParam, 1);
  EXPECT_EQ(item.cChildren, 1);
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
  item.pszText = const_cast<LPWSTR>(u"Office");
  item.iImage = 5;
  item.state = TVIS_BOLD;
  item.stateMask = TVIS_BOLD;
  EXPECT_TRUE(TreeView_SetItem(tree, &item));
  EXPECT_EQ(Text(tree, work), u"Office");
  EXPECT_EQ(TreeView_GetItemState(tree, work, TVIS_BOLD), TVIS_BOLD);
  item.hItem = reinterpret_cast<HTREEITEM>(0x7777);
  EXPECT_FALSE(TreeView_GetItem(tree, &item));
  EXPECT_FALSE(TreeView_GetItem(tree, nullptr));

  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(0x4321);
  EXPECT_EQ(TreeView_SetImageList(tree, images, TVSIL_NORMAL), nullptr);
  EXPECT_EQ(TreeView_GetImageList(tree, TVSIL_NORMAL), images);

  // Deleting a branch tells the parent of every item in it, children first.
  Log().Clear();
  EXPECT_TRUE(TreeView_DeleteItem(tree, work));
  EXPECT_EQ(Log().notifications, std::vector<UINT>(5, TVN_DELETEITEMW));
  EXPECT_EQ(Log().treeEvents.back().itemOld.hItem, work);
  EXPECT_EQ(Log().treeEvents.back().itemOld.lParam, 1);
  EXPECT_EQ(TreeView_GetCount(tree), 2u);
  EXPECT_FALSE(TreeView_DeleteItem(tree, work)) << "a handle is not reused";
  EXPECT_EQ(Text(tree, work), u"");
  EXPECT_TRUE(TreeView_DeleteAllItems(tree));
  EXPECT_EQ(TreeView_GetCount(tree), 0u);
  DestroyWindow(tree);
}

TEST_F(TreeViewTest, SelectionAndExpansionNotifications) {
  HWND tree = Child(WC_TREEVIEWW, TVS_HASBUTTONS, kTreeId);
  HTREEITEM folders = Add(tree, TVI_ROOT, TVI_LAST, u"Folders", 7);
  HTREEITEM inbox = Add(tree, folders, TVI_LAST, u"Inbox", 8);
  HTREEITEM sent = Add(tree, folders, TVI_LAST, u"Sent", 9);
  Log().Clear();

  EXPECT_TRUE(TreeView_SelectItem(tree, inbox));
  ASSERT_EQ(Log().notifications, (std::vector<UINT>{TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
  const NMTREEVIEWW& changed = Log().treeEvents[1];
  EXPECT_EQ(changed.action, TVC_UNKNOWN);
  EXPECT_EQ(changed.itemOld.hItem, nullptr);
  EXPECT_EQ(changed.itemNew.hItem, inbox);
  EXPECT_EQ(changed.itemNew.lParam, 8);
  EXPECT_EQ(TreeView_GetSelection(tree), inbox);
  EXPECT_EQ(TreeView_GetItemState(tree, inbox, TVIS_SELECTED), TVIS_SELECTED);
  EXPECT_EQ(TreeView_GetItemState(tree, folders, TVIS_EXPANDED), TVIS_EXPANDED) << "the parent opened";

  Log().Clear();
  EXPECT_TRUE(platform::UserSelectTreeItem(tree, sent));
  EXPECT_EQ(Log().notifications, (std::vector<UINT>{TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
  EXPECT_EQ(Log().treeEvents[1].action, TVC_BYMOUSE);
  EXPECT_EQ(Log().treeEvents[1].itemOld.hItem, inbox);
  EXPECT_EQ(TreeView_GetItemState(tree, inbox, TVIS_SELECTED), 0u);

  Log().Clear();
  Log().answers[TVN_SELCHANGINGW] = TRUE;
  EXPECT_FALSE(platform::UserSelectTreeItem(tree, folders));
  EXPECT_EQ(Log().notifications, std::vector<UINT>{TVN_SELCHANGINGW});
  EXPECT_EQ(TreeView_GetSelection(tree), sent) << "the veto keeps the selection";
  Log().answers.clear();
  EXPECT_FALSE(platform::UserSelectTreeItem(tree, reinterpret_cast<HTREEITEM>(0x7777)));
  EXPECT_FALSE(TreeView_SelectItem(tree, reinterpret_cast<HTREEITEM>(0x7777)));

  // Collapsing a branch that holds the selection moves the selection to the branch.
  Log().Clear();
  EXPECT_TRUE(TreeView_Expand(tree, folders, TVE_COLLAPSE));
  EXPECT_EQ(TreeView_GetSelection(tree), folders);
  EXPECT_EQ(TreeView_GetItemState(tree, folders, TVIS_EXPANDED), 0u);
  // The first expansion was made by the selection already: no more expansion notifications.
  EXPECT_TRUE(TreeView_Expand(tree, folders, TVE_EXPAND));
  EXPECT_EQ(Log().notifications, (std::vector<UINT>{TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
  EXPECT_FALSE(TreeView_Expand(tree, inbox, TVE_EXPAND)) << "nothing to open";

  HTREEITEM other = Add(tree, TVI_ROOT, TVI_LAST, u"Other");
  Add(tree, other, TVI_LAST, u"Child");
  Log().Clear();
  EXPECT_TRUE(TreeView_Expand(tree, other, TVE_TOGGLE));
  EXPECT_EQ(Log().notifications, (std::vector<UINT>{TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}));
  EXPECT_EQ(TreeView_GetNextItem(tree, other, TVGN_NEXTVISIBLE), TreeView_GetChild(tree, other));

  // Deleting the selected item moves the selection to its previous sibling.
  TreeView_SelectItem(tree, other);
  Log().Clear();
  EXPECT_TRUE(TreeView_DeleteItem(tree, other));
  EXPECT_EQ(TreeView_GetSelection(tree), folders);
  EXPECT_EQ(Log().notifications,
            (std::vector<UINT>{TVN_SELCHANGINGW, TVN_SELCHANGEDW, TVN_DELETEITEMW, TVN_DELETEITEMW}));
  DestroyWindow(tree);
}

}  // namespace
