// What the common controls draw of their state: list view columns, check boxes, icons and
// selection; tab images and the tab in front; tree rows as they are expanded; the calendar's day;
// ink strokes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/ImageList.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/TreeViewTypes.h"
#include "platform/ui/paint/Paint.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0055C6;
constexpr uint32_t kBlack = 0;

class PaintersTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    platform::ui::RegisterSystemClasses();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"PaintersHost";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&windowClass);
    host_ = CreateWindowExW(0, u"PaintersHost", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                            nullptr, nullptr);
  }
  HWND Child(const char16_t* className, DWORD style, int x, int y, int width, int height) {
    return CreateWindowExW(0, className, u"", WS_CHILD | WS_VISIBLE | style, x, y, width, height, host_,
                           nullptr, nullptr, nullptr);
  }
  // A list of 16 x 16 images, each a solid colour.
  static HIMAGELIST Images(std::initializer_list<uint32_t> colours) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    for (uint32_t colour : colours) {
      std::vector<uint32_t> bits(16 * 16, colour);
      HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, bits.data());
      ImageList_Add(list, bitmap, nullptr);
      DeleteObject(bitmap);
    }
    return list;
  }
  // Pixels of a colour in a rectangle of the screen.
  static int Count(const platform::Pixels& screen, RECT rect, uint32_t colour) {
    int count = 0;
    for (LONG y = rect.top; y < rect.bottom; ++y)
      for (LONG x = rect.left; x < rect.right; ++x) count += screen.At(x, y) == colour ? 1 : 0;
    return count;
  }
  // Pixels dark enough to be ink (glyph edges are grey).
  static int Dark(const platform::Pixels& screen, RECT rect) {
    int count = 0;
    for (LONG y = rect.top; y < rect.bottom; ++y) {
      for (LONG x = rect.left; x < rect.right; ++x) {
        uint32_t p = screen.At(x, y);
        count += ((p >> 16) & 0xFF) < 0x70 && ((p >> 8) & 0xFF) < 0x70 && (p & 0xFF) < 0x70 ? 1 : 0;
      }
    }
    return count;
  }
  HWND host_ = nullptr;
};

TEST_F(PaintersTest, AListViewDrawsItsHeaderCheckBoxesIconsAndSelection) {
  HWND list = Child(WC_LISTVIEWW, LVS_REPORT, 0, 0, 240, 100);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 150;
  column.pszText = const_cast<LPWSTR>(u"Subject");
  ListView_InsertColumn(list, 0, &column);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES);
  ListView_SetImageList(list, Images({kRed}), LVSIL_SMALL);
  for (int i = 0; i < 2; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = const_cast<LPWSTR>(i == 0 ? u"Dentist" : u"Lunch");
    item.iImage = 0;
    ListView_InsertItem(list, &item);
  }
  ListView_SetCheckState(list, 1, TRUE);
  platform::Pixels screen = platform::DrawScreen();
  RECT header{0, 0, 150, 15};
  EXPECT_GT(Dark(screen, header), 10) << "the column's title";
  EXPECT_EQ(Count(screen, RECT{0, 16, 240, 48}, kRed), 2 * 16 * 16) << "an icon on each row";
  int unchecked = Count(screen, RECT{0, 16, 17, 32}, kBlack);
  int checked = Count(screen, RECT{0, 32, 17, 48}, kBlack);
  EXPECT_GT(checked, unchecked) << "the tick of the second row";
  EXPECT_EQ(Count(screen, RECT{0, 16, 240, 48}, kBlue), 0);
  ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_GT(Count(platform::DrawScreen(), RECT{0, 16, 150, 32}, kBlue), 500) << "the selected row";
}

TEST_F(PaintersTest, ATabStripDrawsItsImagesAndOpensTheTabInFrontOntoThePage) {
  HWND tabs = Child(WC_TABCONTROLW, TCS_BOTTOM, 0, 200, 240, 24);
  TabCtrl_SetImageList(tabs, Images({kRed, kBlue}));
  for (int i = 0; i < 2; ++i) {
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    item.iImage = i;
    TabCtrl_InsertItem(tabs, i, &item);
  }
  platform::Pixels screen = platform::DrawScreen();
  EXPECT_EQ(Count(screen, RECT{0, 200, 240, 224}, kRed), 16 * 16);
  RECT first{}, second{};
  SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  LONG mid = (first.left + first.right) / 2;
  EXPECT_EQ(screen.At(mid, 200 + first.top), 0xFFFFFFu) << "no line between the page and the tab in front";
  EXPECT_NE(screen.At((second.left + second.right) / 2, 200 + second.top), 0xFFFFFFu)
      << "a line over the other";
}

TEST_F(PaintersTest, ATreeShowsChildrenOnlyUnderExpandedItems) {
  HWND tree = Child(WC_TREEVIEWW, TVS_HASBUTTONS, 0, 0, 240, 150);
  TVINSERTSTRUCTW insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<LPWSTR>(u"Kitchen");
  HTREEITEM parent = TreeView_InsertItem(tree, &insert);
  insert.hParent = parent;
  insert.item.pszText = const_cast<LPWSTR>(u"Tiles");
  TreeView_InsertItem(tree, &insert);
  RECT second{20, 19, 240, 36};
  EXPECT_EQ(Dark(platform::DrawScreen(), second), 0) << "collapsed";
  TreeView_Expand(tree, parent, TVE_EXPAND);
  EXPECT_GT(Dark(platform::DrawScreen(), second), 10) << "the child's row";
}

TEST_F(PaintersTest, ACalendarMarksItsDayAndInkShowsItsStrokes) {
  HWND calendar = Child(MONTHCAL_CLASSW, 0, 0, 0, 240, 140);
  SYSTEMTIME day{2024, 3, 5, 15, 0, 0, 0, 0};
  MonthCal_SetCurSel(calendar, &day);
  platform::Pixels screen = platform::DrawScreen();
  EXPECT_GT(Count(screen, RECT{0, 32, 240, 140}, kBlue), 100) << "the 15th's cell";
  HWND ink = Child(WC_INKX, 0, 0, 150, 240, 100);
  POINT stroke[] = {{10, 10}, {100, 60}};
  ASSERT_TRUE(SendMessageW(ink, IM_ADDSTROKE, 2, reinterpret_cast<LPARAM>(stroke)));
  screen = platform::DrawScreen();
  EXPECT_EQ(screen.At(10, 160), kBlack) << "the stroke's first point";
  EXPECT_EQ(screen.At(100, 210), kBlack) << "its last";
  EXPECT_EQ(screen.At(55, 185), kBlack) << "the line between";
}

}  // namespace
