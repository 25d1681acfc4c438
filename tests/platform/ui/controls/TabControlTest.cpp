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

constexpr int kTabId = 201;

int AddTab(HWND tab, int index, const char16_t* text, LPARAM param = 0) {
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
  item.pszText = const_cast<LPWSTR>(text);
  item.iImage = index;
  item.lParam = param;
  return TabCtrl_InsertItem(tab, index, &item);
}

class TabControlTest : public ControlTest {};

TEST_F(TabControlTest, ItemsGeometryAndProgrammaticSelection) {
  HWND tab = Child(WC_TABCONTROLW, 0, kTabId, 240, 200);
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(TabCtrl_GetCurSel(tab), -1);
  EXPECT_EQ(AddTab(tab, 0, u"Appointment", 10), 0);
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 0) << "the first tab becomes current";
  EXPECT_EQ(AddTab(tab, 5, u"Notes", 30), 1) << "past the end appends";
  EXPECT_EQ(AddTab(tab, 1, u"Attendees", 20), 1);
  EXPECT_EQ(TabCtrl_GetItemCount(tab), 3);
  EXPECT_EQ(TabCtrl_InsertItem(tab, 0, nullptr), -1);

  WCHAR text[5] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = 5;
  EXPECT_TRUE(TabCtrl_GetItem(tab, 1, &item));
  EXPECT_EQ(std::u16string(text), u"Atte") << "cut to the buffer";
  EXPECT_EQ(item.lParam, 20);
  EXPECT_EQ(item.iImage, 1);
  EXPECT_FALSE(TabCtrl_GetItem(tab, 3, &item));
  EXPECT_FALSE(TabCtrl_GetItem(tab, 0, nullptr));
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPWSTR>(u"People");
  EXPECT_TRUE(TabCtrl_SetItem(tab, 1, &item));
  item.pszText = text;
  TabCtrl_GetItem(tab, 1, &item);
  EXPECT_EQ(std::u16string(text), u"Peop");

  // The program's selection sends nothing.
  Log().Clear();
  EXPECT_EQ(TabCtrl_SetCurSel(tab, 2), 0) << "returns the previous selection";
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 2);
  EXPECT_EQ(TabCtrl_SetCurSel(tab, 3), -1);
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 2);
  EXPECT_TRUE(Log().notifications.empty());

  // Tabs lie side by side, wider for longer labels; the display area sits inside the frame below them.
  RECT first{};
  RECT second{};
  ASSERT_TRUE(TabCtrl_GetItemRect(tab, 0, &first));
  ASSERT_TRUE(TabCtrl_GetItemRect(tab, 1, &second));
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(second.left, first.right);
  EXPECT_EQ(second.top, first.top);
  EXPECT_GT(first.right - first.left, second.right - second.left);
  EXPECT_FALSE(TabCtrl_GetItemRect(tab, 3, &first));
  EXPECT_FALSE(TabCtrl_GetItemRect(tab, 0, nullptr));
  RECT area{0, 0, 240, 200};
  TabCtrl_AdjustRect(tab, FALSE, &area);
  EXPECT_GE(area.top, first.bottom);
  EXPECT_LT(area.bottom, 200);
  TabCtrl_AdjustRect(tab, TRUE, &area);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, 240);

  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(0x1234);
  EXPECT_EQ(TabCtrl_SetImageList(tab, images), nullptr);
  EXPECT_EQ(TabCtrl_GetImageList(tab), images);
  TabCtrl_SetImageList(tab, nullptr);

  // Deleting before the current tab moves it; deleting the current tab leaves none.
  EXPECT_TRUE(TabCtrl_DeleteItem(tab, 0));
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 1);
  EXPECT_TRUE(TabCtrl_DeleteItem(tab, 1));
  EXPECT_EQ(TabCtrl_GetCurSel(tab), -1);
  EXPECT_FALSE(TabCtrl_DeleteItem(tab, 4));
  EXPECT_TRUE(TabCtrl_DeleteAllItems(tab));
  EXPECT_EQ(TabCtrl_GetItemCount(tab), 0);
  DestroyWindow(tab);
}

TEST_F(TabControlTest, PersonSelectsTabWithVeto) {
  HWND tab = Child(WC_TABCONTROLW, TCS_BOTTOM, kTabId);
  AddTab(tab, 0, u"One");
  AddTab(tab, 1, u"Two");
  AddTab(tab, 2, u"Three");
  Log().Clear();

  EXPECT_TRUE(platform::UserSelectTab(tab, 2));
  EXPECT_EQ(Log().notifications, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 2);

  Log().Clear();
  Log().answers[TCN_SELCHANGING] = TRUE;
  EXPECT_FALSE(platform::UserSelectTab(tab, 0));
  EXPECT_EQ(Log().notifications, std::vector<UINT>{TCN_SELCHANGING});
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 2) << "the veto keeps the page";
  Log().answers.clear();

  Log().Clear();
  EXPECT_FALSE(platform::UserSelectTab(tab, 3));
  EXPECT_FALSE(platform::UserSelectTab(tab, -1));
  EXPECT_FALSE(platform::UserSelectTab(nullptr, 0));
  EXPECT_TRUE(Log().notifications.empty());

  // A tap on a tab's rectangle does the same.
  RECT rect{};
  TabCtrl_GetItemRect(tab, 1, &rect);
  SendMessageW(tab, WM_LBUTTONDOWN, 0,
               MAKELPARAM(static_cast<WORD>(rect.left + 2), static_cast<WORD>(rect.top + 2)));
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 1);
  EXPECT_EQ(Log().notifications, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
  DestroyWindow(tab);
}

}  // namespace
