#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "tests/platform/ui/controls/ControlTestSupport.h"

namespace {

using calyra::testing::ControlTest;
using calyra::testing::Log;

constexpr int kListId = 101;

int Insert(HWND list, int index, const char16_t* text, LPARAM param = 0) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<LPWSTR>(text);
  item.lParam = param;
  return ListView_InsertItem(list, &item);
}

std::u16string Text(HWND list, int index, int subItem = 0) {
  WCHAR buffer[64] = {};
  ListView_GetItemText(list, index, subItem, buffer, 64);
  return buffer;
}

void AddColumns(HWND list, int count) {
  for (int i = 0; i < count; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 60;
    column.pszText = const_cast<LPWSTR>(u"Column");
    ASSERT_EQ(ListView_InsertColumn(list, i, &column), i);
  }
}

int CompareDescending(LPARAM a, LPARAM b, LPARAM) {
  return a < b ? 1 : (a > b ? -1 : 0);
}

class ListViewTest : public ControlTest {};

// A parent that colours its list view's texts through custom draw: row 0 per column (column 0 red,
// column 1 green in its own font, column 2 drawn by itself), row 1 grey as a whole, row 2 by itself.
struct CustomDrawParent {
  static constexpr const char16_t* kClass = u"CustomDrawParent";
  static inline std::vector<std::pair<DWORD, int>> stages;  // stage and item (or subitem)
  static inline HFONT columnFont = nullptr;

  static LRESULT Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != NM_CUSTOMDRAW)
      return DefWindowProcW(window, message, wParam, lParam);
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    DWORD stage = draw->nmcd.dwDrawStage;
    auto item = static_cast<int>(draw->nmcd.dwItemSpec);
    stages.emplace_back(stage, stage & CDDS_SUBITEM ? draw->iSubItem : item);
    if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    if (stage == CDDS_ITEMPREPAINT && item == 0) return CDRF_NOTIFYSUBITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    if (stage == CDDS_ITEMPREPAINT && item == 1) {
      draw->clrText = RGB(128, 128, 128);
      return CDRF_DODEFAULT;
    }
    if (stage == CDDS_ITEMPREPAINT) return CDRF_SKIPDEFAULT;
    if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) && draw->iSubItem == 0) {
      draw->clrText = RGB(255, 0, 0);
      return CDRF_DODEFAULT;
    }
    if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) && draw->iSubItem == 1) {
      draw->clrText = RGB(0, 255, 0);
      SelectObject(draw->nmcd.hdc, columnFont);
      return CDRF_NEWFONT;
    }
    if (stage & CDDS_SUBITEM) return CDRF_SKIPDEFAULT;
    return CDRF_DODEFAULT;
  }
};

TEST_F(ListViewTest, ItemsColumnsSortingAndSubitemText) {
  HWND list = Child(WC_LISTVIEWW, LVS_REPORT, kListId);
  ASSERT_NE(list, nullptr);
  AddColumns(list, 3);

  EXPECT_EQ(Insert(list, 0, u"B", 2), 0);
  EXPECT_EQ(Insert(list, 99, u"C", 3), 1) << "past the end appends";
  EXPECT_EQ(Insert(list, 0, u"A", 1), 0);
  EXPECT_EQ(ListView_GetItemCount(list), 3);
  EXPECT_EQ(Text(list, 0) + Text(list, 1) + Text(list, 2), u"ABC");
  EXPECT_EQ(Log().notifications, std::vector<UINT>(3, LVN_INSERTITEM));

  LVITEMW sub{};
  sub.mask = LVIF_TEXT;
  sub.iSubItem = 1;
  sub.pszText = const_cast<LPWSTR>(u"x");
  EXPECT_EQ(ListView_InsertItem(list, &sub), -1) << "insertion names no subitem";
  EXPECT_EQ(ListView_InsertItem(list, nullptr), -1);

  EXPECT_TRUE(ListView_SetItemText(list, 1, 2, u"Telephone"));
  EXPECT_EQ(Text(list, 1, 2), u"Telephone");
  EXPECT_EQ(Text(list, 1, 1), u"");
  WCHAR small[4] = {};
  EXPECT_EQ(ListView_GetItemText(list, 1, 2, small, 4), 3);
  EXPECT_EQ(std::u16string(small), u"Tel") << "cut to the buffer";
  EXPECT_FALSE(ListView_SetItemText(list, 1, 3, u"no column"));
  EXPECT_FALSE(ListView_SetItemText(list, 7, 1, u"no item"));
  EXPECT_EQ(ListView_GetItemText(list, 7, 0, small, 4), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMTEXTW, 0, 0), 0);
  EXPECT_FALSE(SendMessageW(list, LVM_SETITEMTEXTW, 0, 0));

  LVITEMW item{};
  item.mask = LVIF_PARAM | LVIF_IMAGE;
  item.iItem = 2;
  EXPECT_TRUE(ListView_GetItem(list, &item));
  EXPECT_EQ(item.lParam, 3);
  item.iItem = 3;
  EXPECT_FALSE(ListView_GetItem(list, &item));
  item.iItem = 2;
  item.iImage = 4;
  EXPECT_TRUE(ListView_SetItem(list, &item));
  item.iImage = 0;
  ListView_GetItem(list, &item);
  EXPECT_EQ(item.iImage, 4);

  // Columns: text cut to the caller's buffer, widths, deletion moving later subitems down.
  LVCOLUMNW column{};
  WCHAR header[4] = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = header;
  column.cchTextMax = 4;
  EXPECT_TRUE(ListView_GetColumn(list, 1, &column));
  EXPECT_EQ(std::u16string(header), u"Col");
  EXPECT_EQ(column.cx, 60);
  EXPECT_TRUE(ListView_SetColumnWidth(list, 1, 90));
  EXPECT_EQ(ListView_GetColumnWidth(list, 1), 90);
  EXPECT_FALSE(ListView_SetColumnWidth(list, 5, 90));
  EXPECT_EQ(ListView_GetColumnWidth(list, 5), 0);
  EXPECT_FALSE(ListView_GetColumn(list, 5, &column));
  EXPECT_TRUE(ListView_DeleteColumn(list, 1));
  EXPECT_EQ(Text(list, 1, 1), u"Telephone");
  EXPECT_FALSE(ListView_DeleteColumn(list, 2));

  // Sorting by the items' lParam through the caller's comparison.
  EXPECT_TRUE(ListView_SortItems(list, CompareDescending, 0));
  EXPECT_EQ(Text(list, 0) + Text(list, 1) + Text(list, 2), u"CBA");
  EXPECT_FALSE(ListView_SortItems(list, nullptr, 0));

  HWND sorted = Child(WC_LISTVIEWW, LVS_REPORT | LVS_SORTASCENDING, kListId + 1);
  Insert(sorted, 0, u"pear");
  Insert(sorted, 0, u"apple");
  EXPECT_EQ(Insert(sorted, 0, u"Mango"), 1) << "goes where its text sorts";
  EXPECT_EQ(Text(sorted, 0) + u"," + Text(sorted, 1) + u"," + Text(sorted, 2), u"apple,Mango,pear");

  DestroyWindow(sorted);
  DestroyWindow(list);
}

TEST_F(ListViewTest, SelectionNotificationsCarryOldAndNewState) {
  HWND list = Child(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL, kListId);
  for (int i = 0; i < 3; ++i) Insert(list, i, u"row", 10 + i);
  Log().Clear();

  EXPECT_TRUE(ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
  ASSERT_EQ(Log().notifications, (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED}));
  const NMLISTVIEW& changed = Log().listEvents[1];
  EXPECT_EQ(changed.hdr.idFrom, static_cast<UINT_PTR>(kListId));
  EXPECT_EQ(changed.iItem, 0);
  EXPECT_EQ(changed.uOldState, 0u);
  EXPECT_EQ(changed.uNewState, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(changed.uChanged, LVIF_STATE);
  EXPECT_EQ(changed.lParam, 10);

  // Single selection: selecting another item takes the selection from the first.
  Log().Clear();
  EXPECT_TRUE(ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(ListView_GetSelectedCount(list), 1u);
  EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 2);
  EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 0);
  EXPECT_EQ(ListView_GetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED), LVIS_FOCUSED);
  ASSERT_EQ(Log().listEvents.size(), 4u);
  EXPECT_EQ(Log().listEvents[1].iItem, 0);
  EXPECT_EQ(Log().listEvents[2].uNewState, LVIS_FOCUSED);
  EXPECT_FALSE(ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED)) << "no select-all here";
  EXPECT_FALSE(ListView_SetItemState(list, 9, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_FALSE(SendMessageW(list, LVM_SETITEMSTATE, 0, 0));

  // The parent vetoes the change.
  Log().Clear();
  Log().answers[LVN_ITEMCHANGING] = TRUE;
  EXPECT_FALSE(ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(Log().notifications, std::vector<UINT>{LVN_ITEMCHANGING});
  EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 2);
  Log().answers.clear();

  // A tap: the old item loses selection and focus, the new item gains both, then NM_CLICK.
  Log().Clear();
  EXPECT_TRUE(platform::UserClickListViewItem(list, 1));
  EXPECT_EQ(Log().notifications,
            (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_ITEMCHANGING, LVN_ITEMCHANGED,
                               LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}));
  EXPECT_EQ(Log().listEvents[1].iItem, 0);
  EXPECT_EQ(Log().listEvents[3].iItem, 2);
  EXPECT_EQ(Log().listEvents[5].iItem, 1);
  EXPECT_EQ(Log().listEvents[5].uNewState, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(Log().listEvents[6].iItem, 1);
  EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED | LVNI_FOCUSED), 1);
  EXPECT_FALSE(platform::UserClickListViewItem(list, 3));

  // Walking the items.
  EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_ALL), 0);
  EXPECT_EQ(ListView_GetNextItem(list, 0, LVNI_ALL), 1);
  EXPECT_EQ(ListView_GetNextItem(list, 2, LVNI_ALL), -1);
  EXPECT_EQ(ListView_GetNextItem(list, 1, LVNI_SELECTED), -1);

  HWND multi = Child(WC_LISTVIEWW, LVS_REPORT, kListId + 1);
  for (int i = 0; i < 3; ++i) Insert(multi, i, u"row");
  EXPECT_TRUE(ListView_SetItemState(multi, -1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(ListView_GetSelectedCount(multi), 3u);
  EXPECT_FALSE(ListView_SetItemState(multi, -1, LVIS_FOCUSED, LVIS_FOCUSED)) << "no focus-all";
  EXPECT_TRUE(platform::UserClickListViewItem(multi, 2));
  EXPECT_EQ(ListView_GetSelectedCount(multi), 1u) << "a plain tap leaves one selected";

  DestroyWindow(multi);
  DestroyWindow(list);
}

TEST_F(ListViewTest, OneTapActivatesUnderOneClickActivationAndAHeldTapAsksForTheContextMenu) {
  HWND list = Child(WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL, kListId);
  for (int i = 0; i < 3; ++i) Insert(list, i, u"row", 10 + i);
  Log().Clear();
  EXPECT_TRUE(platform::UserClickListViewItem(list, 0));
  EXPECT_EQ(Log().notifications.back(), static_cast<UINT>(NM_CLICK)) << "a plain list only hears the tap";

  ListView_SetExtendedListViewStyle(list, LVS_EX_ONECLICKACTIVATE);
  Log().Clear();
  EXPECT_TRUE(platform::UserClickListViewItem(list, 1));
  ASSERT_GE(Log().notifications.size(), 2u);
  EXPECT_EQ(Log().notifications[Log().notifications.size() - 2], static_cast<UINT>(NM_CLICK));
  EXPECT_EQ(Log().notifications.back(), static_cast<UINT>(LVN_ITEMACTIVATE));
  Log().Clear();
  EXPECT_TRUE(platform::UserDoubleClickListViewItem(list, 1));
  EXPECT_EQ(
      std::count(Log().notifications.begin(), Log().notifications.end(), static_cast<UINT>(LVN_ITEMACTIVATE)),
      1)
      << "a double tap activates once";

  Log().Clear();
  EXPECT_TRUE(platform::UserTapAndHoldListViewItem(list, 2));
  EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 2);
  EXPECT_EQ(Log().notifications.back(), GN_CONTEXTMENU);
  EXPECT_EQ(
      std::count(Log().notifications.begin(), Log().notifications.end(), static_cast<UINT>(LVN_ITEMACTIVATE)),
      0)
      << "holding does not activate";
  ASSERT_EQ(Log().gestures.size(), 1u);
  EXPECT_EQ(Log().gestures[0].dwItemSpec, 2u);
  EXPECT_EQ(Log().gestures[0].hdr.idFrom, static_cast<UINT_PTR>(kListId));
  RECT row{};
  ListView_GetItemRect(list, 2, &row, LVIR_BOUNDS);
  POINT middle{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
  ClientToScreen(list, &middle);
  EXPECT_EQ(Log().gestures[0].ptAction.x, middle.x);
  EXPECT_EQ(Log().gestures[0].ptAction.y, middle.y);
  EXPECT_FALSE(platform::UserTapAndHoldListViewItem(list, 3));
  EXPECT_FALSE(platform::UserTapAndHold(list, 3));
  EXPECT_TRUE(platform::UserTapAndHold(list, 0));
  DestroyWindow(list);
}

TEST_F(ListViewTest, CheckBoxesFindAndImageLists) {
  HWND list = Child(WC_LISTVIEWW, LVS_REPORT, kListId);
  Insert(list, 0, u"Alpha", 100);
  Insert(list, 1, u"Beta", 200);
  Insert(list, 2, u"alphabet", 300);

  EXPECT_FALSE(platform::UserSetListViewCheck(list, 0, true)) << "no check boxes yet";
  EXPECT_EQ(ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT), 0u);
  EXPECT_EQ(ListView_GetExtendedListViewStyle(list), LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(ListView_GetItemState(list, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
  EXPECT_FALSE(ListView_GetCheckState(list, 0));
  ListView_SetCheckState(list, 1, TRUE);
  EXPECT_TRUE(ListView_GetCheckState(list, 1));
  EXPECT_EQ(Insert(list, 3, u"Gamma"), 3);
  EXPECT_FALSE(ListView_GetCheckState(list, 3)) << "new items come unchecked";

  Log().Clear();
  EXPECT_TRUE(platform::UserSetListViewCheck(list, 0, true));
  EXPECT_EQ(Log().notifications, (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}));
  EXPECT_EQ(Log().listEvents[1].uOldState, INDEXTOSTATEIMAGEMASK(1));
  EXPECT_EQ(Log().listEvents[1].uNewState, INDEXTOSTATEIMAGEMASK(2));
  EXPECT_TRUE(ListView_GetCheckState(list, 0));
  EXPECT_TRUE(platform::UserSetListViewCheck(list, 0, false));
  EXPECT_FALSE(ListView_GetCheckState(list, 0));
  EXPECT_FALSE(platform::UserSetListViewCheck(list, 9, true));

  LVFINDINFOW find{};
  find.flags = LVFI_STRING;
  find.psz = u"ALPHA";
  EXPECT_EQ(ListView_FindItem(list, -1, &find), 0) << "without regard to case";
  EXPECT_EQ(ListView_FindItem(list, 0, &find), -1) << "starts after the start item";
  find.flags = LVFI_STRING | LVFI_WRAP;
  EXPECT_EQ(ListView_FindItem(list, 0, &find), 0);
  find.flags = LVFI_PARTIAL | LVFI_STRING;
  find.psz = u"alp";
  EXPECT_EQ(ListView_FindItem(list, 0, &find), 2);
  find.flags = LVFI_PARAM;
  find.lParam = 200;
  EXPECT_EQ(ListView_FindItem(list, -1, &find), 1);
  find.lParam = 999;
  EXPECT_EQ(ListView_FindItem(list, -1, &find), -1);
  EXPECT_EQ(ListView_FindItem(list, -1, nullptr), -1);
  EXPECT_EQ(ListView_FindItem(list, 40, &find), -1);

  HIMAGELIST small = ImageList_Create(16, 16, ILC_COLOR, 1, 1);
  HIMAGELIST state = ImageList_Create(16, 16, ILC_COLOR, 1, 1);
  EXPECT_EQ(ListView_SetImageList(list, small, LVSIL_SMALL), nullptr);
  EXPECT_EQ(ListView_SetImageList(list, state, LVSIL_STATE), nullptr);
  EXPECT_EQ(ListView_GetImageList(list, LVSIL_SMALL), small);
  EXPECT_EQ(ListView_GetImageList(list, LVSIL_STATE), state);
  EXPECT_EQ(ListView_GetImageList(list, LVSIL_NORMAL), nullptr);
  EXPECT_EQ(ListView_SetImageList(list, nullptr, LVSIL_SMALL), small) << "the previous list";
  EXPECT_EQ(ListView_SetImageList(list, small, 7), nullptr);

  DestroyWindow(list);
  ImageList_Destroy(small);
  ImageList_Destroy(state);
}

TEST_F(ListViewTest, StringWidthPagingColorsAndDeletion) {
  HWND list = Child(WC_LISTVIEWW, LVS_REPORT, kListId, 200, 200);
  int shortWidth = ListView_GetStringWidth(list, u"Tom");
  int longWidth = ListView_GetStringWidth(list, u"Tom Thumb");
  EXPECT_GT(shortWidth, 0);
  EXPECT_GT(longWidth, shortWidth);
  EXPECT_EQ(ListView_GetStringWidth(list, nullptr), 0);
  LOGFONTW big{};
  big.lfHeight = -26;
  HFONT font = CreateFontIndirectW(&big);
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EXPECT_GT(ListView_GetStringWidth(list, u"Tom"), shortWidth) << "a bigger font";

  AddColumns(list, 1);
  for (int i = 0; i < 100; ++i) Insert(list, i, u"row");
  int perPage = ListView_GetCountPerPage(list);
  EXPECT_EQ(perPage, (200 - 16) / 16);
  EXPECT_EQ(ListView_GetTopIndex(list), 0);
  EXPECT_TRUE(ListView_EnsureVisible(list, 50, FALSE));
  EXPECT_EQ(ListView_GetTopIndex(list), 50 - perPage + 1);
  EXPECT_TRUE(ListView_EnsureVisible(list, 3, FALSE));
  EXPECT_EQ(ListView_GetTopIndex(list), 3);
  EXPECT_FALSE(ListView_EnsureVisible(list, 100, FALSE));
  EXPECT_TRUE(ListView_SetColumnWidth(list, 0, LVSCW_AUTOSIZE));
  EXPECT_GE(ListView_GetColumnWidth(list, 0), ListView_GetStringWidth(list, u"row"));

  EXPECT_EQ(ListView_GetBkColor(list), RGB(255, 255, 255));
  EXPECT_TRUE(ListView_SetBkColor(list, RGB(1, 2, 3)));
  EXPECT_TRUE(ListView_SetTextColor(list, RGB(4, 5, 6)));
  EXPECT_EQ(ListView_GetBkColor(list), RGB(1, 2, 3));
  EXPECT_EQ(ListView_GetTextColor(list), RGB(4, 5, 6));

  Log().Clear();
  EXPECT_TRUE(ListView_DeleteItem(list, 99));
  EXPECT_FALSE(ListView_DeleteItem(list, 99));
  EXPECT_EQ(Log().notifications, std::vector<UINT>{LVN_DELETEITEM});
  Log().Clear();
  EXPECT_TRUE(ListView_DeleteAllItems(list));
  EXPECT_EQ(Log().notifications.size(), 100u) << "LVN_DELETEALLITEMS then one LVN_DELETEITEM each";
  EXPECT_EQ(Log().notifications.front(), LVN_DELETEALLITEMS);
  EXPECT_EQ(ListView_GetItemCount(list), 0);
  for (int i = 0; i < 5; ++i) Insert(list, i, u"row");
  Log().Clear();
  Log().answers[LVN_DELETEALLITEMS] = TRUE;
  ListView_DeleteAllItems(list);
  EXPECT_EQ(Log().notifications, std::vector<UINT>{LVN_DELETEALLITEMS}) << "the parent asked for no more";

  HWND virtualList = Child(WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA, kListId + 1);
  ListView_SetItemCount(virtualList, 1000);
  EXPECT_EQ(ListView_GetItemCount(virtualList), 1000);

  DestroyWindow(virtualList);
  DestroyWindow(list);
  DeleteObject(font);
}

TEST_F(ListViewTest, CustomDrawColoursEachTextAtTheStagesTheParentAsksFor) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = CustomDrawParent::Proc;
  windowClass.lpszClassName = CustomDrawParent::kClass;
  RegisterClassW(&windowClass);
  HWND parent = CreateWindowExW(0, CustomDrawParent::kClass, u"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 240, 320,
                                nullptr, nullptr, nullptr, nullptr);
  // Room for the header and three rows: the fourth is not on the page.
  HWND list =
      CreateWindowExW(0, WC_LISTVIEWW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 16 * 4, parent,
                      reinterpret_cast<HMENU>(static_cast<intptr_t>(kListId)), nullptr, nullptr);
  ASSERT_NE(list, nullptr);
  LOGFONTW description{};
  description.lfHeight = 11;
  HFONT listFont = CreateFontIndirectW(&description);
  description.lfWeight = FW_BOLD;
  CustomDrawParent::columnFont = CreateFontIndirectW(&description);
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(listFont), FALSE);
  ListView_SetTextColor(list, RGB(0, 0, 255));
  ListView_SetTextBkColor(list, RGB(250, 250, 250));
  AddColumns(list, 3);
  for (int row = 0; row < 4; ++row) {
    Insert(list, row, u"label");
    ListView_SetItemText(list, row, 1, u"value");
    ListView_SetItemText(list, row, 2, u"more");
  }
  CustomDrawParent::stages.clear();

  std::vector<platform::ListViewDrawnText> drawn = platform::PaintListView(list);

  const std::vector<std::pair<DWORD, int>> expectedStages = {
      {CDDS_PREPAINT, 0},
      {CDDS_ITEMPREPAINT, 0},
      {CDDS_ITEMPREPAINT | CDDS_SUBITEM, 0},
      {CDDS_ITEMPREPAINT | CDDS_SUBITEM, 1},
      {CDDS_ITEMPREPAINT | CDDS_SUBITEM, 2},
      {CDDS_ITEMPOSTPAINT, 0},
      {CDDS_ITEMPREPAINT, 1},
      {CDDS_ITEMPREPAINT, 2},
      {CDDS_POSTPAINT, 0},
  };
  EXPECT_EQ(CustomDrawParent::stages, expectedStages);
  ASSERT_EQ(drawn.size(), 5u) << "row 0 without its third column, all of row 1, nothing of row 2";
  auto expect = [&](size_t at, int item, int subItem, const char16_t* text, COLORREF color, HFONT font) {
    EXPECT_EQ(drawn[at].item, item) << at;
    EXPECT_EQ(drawn[at].subItem, subItem) << at;
    EXPECT_EQ(drawn[at].text, text) << at;
    EXPECT_EQ(drawn[at].color, color) << at;
    EXPECT_EQ(drawn[at].background, RGB(250, 250, 250)) << at;
    EXPECT_EQ(drawn[at].font, font) << at;
  };
  expect(0, 0, 0, u"label", RGB(255, 0, 0), listFont);
  expect(1, 0, 1, u"value", RGB(0, 255, 0), CustomDrawParent::columnFont);
  expect(2, 1, 0, u"label", RGB(128, 128, 128), listFont);
  expect(3, 1, 1, u"value", RGB(128, 128, 128), listFont);
  expect(4, 1, 2, u"more", RGB(128, 128, 128), listFont);

  DestroyWindow(parent);
  DeleteObject(listFont);
  DeleteObject(CustomDrawParent::columnFont);
}

TEST_F(ListViewTest, WithoutCustomDrawEveryTextTakesTheListsColoursAndFont) {
  HWND list = Child(WC_LISTVIEWW, LVS_REPORT, kListId);
  AddColumns(list, 2);
  Insert(list, 0, u"label");
  ListView_SetItemText(list, 0, 1, u"value");
  ListView_SetTextColor(list, RGB(4, 5, 6));
  Log().Clear();
  std::vector<platform::ListViewDrawnText> drawn = platform::PaintListView(list);
  EXPECT_EQ(Log().notifications, std::vector<UINT>{NM_CUSTOMDRAW}) << "the parent asked for no item stages";
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[1].text, u"value");
  EXPECT_EQ(drawn[1].color, RGB(4, 5, 6));
  EXPECT_EQ(drawn[1].font, GetStockObject(SYSTEM_FONT)) << "a list without a font draws in the system font";
  EXPECT_TRUE(platform::PaintListView(Parent()).empty()) << "not a list view";
}

// A tap on a column header tells the parent which column; a list without a header has nothing to tap.
TEST_F(ListViewTest, TappingAColumnHeaderNamesTheColumn) {
  HWND list = Child(WC_LISTVIEWW, LVS_REPORT, kListId);
  AddColumns(list, 2);
  HWND headless = Child(WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER, kListId + 1);
  AddColumns(headless, 2);
  HWND icons = Child(WC_LISTVIEWW, LVS_ICON, kListId + 2);

  Log().Clear();
  EXPECT_TRUE(platform::UserClickListViewColumn(list, 1));
  ASSERT_EQ(Log().notifications, (std::vector<UINT>{LVN_COLUMNCLICK}));
  EXPECT_EQ(Log().listEvents[0].iItem, -1);
  EXPECT_EQ(Log().listEvents[0].iSubItem, 1);

  Log().Clear();
  EXPECT_FALSE(platform::UserClickListViewColumn(list, 2)) << "no such column";
  EXPECT_FALSE(platform::UserClickListViewColumn(list, -1));
  EXPECT_FALSE(platform::UserClickListViewColumn(headless, 0));
  EXPECT_FALSE(platform::UserClickListViewColumn(icons, 0));
  EnableWindow(list, FALSE);
  EXPECT_FALSE(platform::UserClickListViewColumn(list, 0)) << "a disabled list";
  EXPECT_TRUE(Log().notifications.empty());
}

}  // namespace
