#include <gtest/gtest.h>

#include <string>

#include "platform/ui/Menu.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

std::u16string Text(HMENU menu, UINT item, UINT flags = MF_BYPOSITION) {
  WCHAR buffer[64];
  GetMenuStringW(menu, item, buffer, 64, flags);
  return buffer;
}

class MenuTest : public DeviceTest {};

TEST_F(MenuTest, EntriesByPositionAndByCommand) {
  HMENU menu = CreatePopupMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(AppendMenuW(menu, MF_STRING, 100, u"One"));
  EXPECT_TRUE(AppendMenuW(menu, MF_SEPARATOR, 0, nullptr));
  EXPECT_TRUE(AppendMenuW(menu, MF_STRING, 300, u"Three"));
  EXPECT_TRUE(InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 50, u"Zero"));
  EXPECT_TRUE(InsertMenuW(menu, 300, MF_BYCOMMAND | MF_STRING, 250, u"Before three"));
  EXPECT_EQ(GetMenuItemCount(menu), 5);
  EXPECT_EQ(GetMenuItemID(menu, 0), 50u);
  EXPECT_EQ(GetMenuItemID(menu, 3), 250u);
  EXPECT_EQ(GetMenuItemID(menu, 9), 0xFFFFFFFFu);
  EXPECT_EQ(Text(menu, 300, MF_BYCOMMAND), u"Three");
  EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);

  EXPECT_TRUE(ModifyMenuW(menu, 100, MF_BYCOMMAND | MF_STRING | MF_GRAYED, 100, u"Uno"));
  EXPECT_EQ(Text(menu, 1), u"Uno");
  EXPECT_EQ(EnableMenuItem(menu, 100, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED) << "the previous state";
  EXPECT_EQ(GetMenuState(menu, 100, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYPOSITION | MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(EnableMenuItem(menu, 999, MF_BYCOMMAND | MF_GRAYED), 0xFFFFFFFFu) << "no such entry";

  WCHAR small[3];
  EXPECT_EQ(GetMenuStringW(menu, 300, small, 3, MF_BYCOMMAND), 2);
  EXPECT_EQ(std::u16string(small), u"Th") << "cut to the buffer";

  EXPECT_TRUE(DeleteMenu(menu, 250, MF_BYCOMMAND));
  EXPECT_FALSE(DeleteMenu(menu, 250, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_EQ(GetMenuItemCount(menu), -1) << "a destroyed menu";
  EXPECT_FALSE(AppendMenuW(menu, MF_STRING, 1, u"x"));
}

TEST_F(MenuTest, RadioChecksAndSubmenus) {
  HMENU menu = CreatePopupMenu();
  for (UINT id = 1; id <= 4; ++id) AppendMenuW(menu, MF_STRING, id, u"entry");
  HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING, 77, u"Inner");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"More");
  ASSERT_TRUE(CheckMenuRadioItem(menu, 0, 3, 2, MF_BYPOSITION));
  EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) & (MF_CHECKED | MFT_RADIOCHECK),
            MF_CHECKED | MFT_RADIOCHECK);
  ASSERT_TRUE(CheckMenuRadioItem(menu, 0, 3, 0, MF_BYPOSITION));
  EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) & MF_CHECKED, 0u) << "the others are cleared";
  EXPECT_FALSE(CheckMenuRadioItem(menu, 0, 3, 9, MF_BYPOSITION));
  EXPECT_EQ(GetSubMenu(menu, 4), sub);
  EXPECT_EQ(GetMenuItemID(menu, 4), 0xFFFFFFFFu) << "a submenu has no command";
  EXPECT_EQ(Text(menu, 77, MF_BYCOMMAND), u"Inner") << "commands are found in submenus";
  EXPECT_TRUE(DestroyMenu(menu));
  EXPECT_EQ(GetMenuItemCount(sub), -1) << "submenus go with their menu";
}

}  // namespace
