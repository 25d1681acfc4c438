#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "CalyraEditorResources.h"
#include "platform/core/LastError.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/shell/Shell.h"
#include "resources/ResourceIds.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using calyra::testing::DeviceTest;
using calyra::testing::ScriptedUser;

constexpr int kSpacer = 40015;
constexpr int kCancel = 40014;
constexpr int kOk = 40008;
constexpr COLORREF kGreen = 0x00FF00;

class ResourceLibraryFixture : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    module_ = LoadLibraryW(u"CalyraEditorResources.dll");
    ASSERT_NE(module_, nullptr) << GetLastError();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"Test:Page";
    RegisterClassW(&windowClass);
    page_ = CreateWindowExW(0, u"Test:Page", u"", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr, nullptr,
                            nullptr);
  }
  void TearDown() override {
    if (IsWindow(page_)) DestroyWindow(page_);
    if (module_) FreeLibrary(module_);
    DeviceTest::TearDown();
  }

  HWND MenuBar(UINT menu) {
    SHMENUBARINFO info{sizeof(SHMENUBARINFO), page_, 0, menu, module_, 0, 0, nullptr, 0};
    return SHCreateMenuBar(&info) ? info.hwndMB : nullptr;
  }

  // The commands of a bar's buttons, in order.
  static std::vector<int> Buttons(HWND bar) {
    std::vector<int> commands;
    auto* menu = reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETMENU, 0, 0));
    int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      commands.push_back(GetSubMenu(menu, i) ? -1 : static_cast<int>(GetMenuItemID(menu, i)));
    }
    return commands;
  }

  HINSTANCE module_ = nullptr;
  HWND page_ = nullptr;
};

using MenuTest = ResourceLibraryFixture;

TEST_F(MenuTest, EveryPageBarEndsWithSpacerCancelAndOk) {
  for (UINT menu : {312u, 313u, 317u, 320u, 324u, 339u, 341u, 370u}) {
    SCOPED_TRACE(menu);
    HWND bar = MenuBar(menu);
    ASSERT_NE(bar, nullptr);
    std::vector<int> buttons = Buttons(bar);
    ASSERT_GE(buttons.size(), 3u);
    std::vector<int> end(buttons.end() - 3, buttons.end());
    EXPECT_EQ(end, (std::vector<int>{kSpacer, kCancel, kOk}));
    EXPECT_EQ(std::count(buttons.begin(), buttons.end(), kSpacer), 1) << "the page looks the spacer up once";

    WCHAR text[16] = {u'x'};
    TBBUTTONINFOW info{sizeof(TBBUTTONINFOW), TBIF_TEXT, 0, 0, 0, 0, 0, 0, text, 16};
    EXPECT_GE(SendMessageW(bar, TB_GETBUTTONINFOW, kSpacer, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(std::u16string(text), u"") << "the spacer is only room";
    // What the page does to every bar: images for Cancel and OK, the spacer resized and disabled.
    info.dwMask = TBIF_IMAGE;
    info.iImage = 4;
    EXPECT_TRUE(SendMessageW(bar, TB_SETBUTTONINFOW, kCancel, reinterpret_cast<LPARAM>(&info)));
    info.iImage = 3;
    EXPECT_TRUE(SendMessageW(bar, TB_SETBUTTONINFOW, kOk, reinterpret_cast<LPARAM>(&info)));
    info.dwMask = TBIF_SIZE;
    info.cx = 40;
    EXPECT_TRUE(SendMessageW(bar, TB_SETBUTTONINFOW, kSpacer, reinterpret_cast<LPARAM>(&info)));
    DestroyWindow(bar);
  }
  HWND plain = MenuBar(320);
  EXPECT_EQ(Buttons(plain), (std::vector<int>{kSpacer, kCancel, kOk})) << "the plain bar has nothing else";
}

TEST_F(MenuTest, MainPagesOfferTheItemCommands) {
  struct Expected {
    UINT menu;
    std::vector<UINT> commands;
  };
  const Expected expected[] = {
      {317, {40037, 40038, 40039, 40041, 40032, 42197, 49528, 49529}},
      {324,
       {40037, 40038, 40039, 40041, 40032, 42197, 49528, 49529, 1039, 1099, 40019, 40021, 40022, 40024, 40025,
        40028}},
      {339, {40038, 40039, 40041, 42197, 40019, 40021, 40022, 40024, 40025, 40028}},
      {312, {40319, 49528, 49529, 40388, 40386, 40389, 40320}},
      {313, {40002}},
  };
  for (const Expected& page : expected) {
    SCOPED_TRACE(page.menu);
    HMENU menu = LoadMenuW(module_, MAKEINTRESOURCEW(page.menu));
    ASSERT_NE(menu, nullptr);
    for (UINT command : page.commands) {
      EXPECT_NE(GetMenuState(menu, command, MF_BYCOMMAND), 0xFFFFFFFFu) << command;
    }
    DestroyMenu(menu);
  }
}

TEST_F(MenuTest, APersonReachesAToolsCommandThroughTheBar) {
  HWND bar = MenuBar(317);
  ASSERT_NE(bar, nullptr);
  ScriptedUser user;
  user.ExpectPopupMenu(40038);
  EXPECT_TRUE(platform::UserPressMenuBarButton(bar, 0)) << "the tools menu is the first button";
  EXPECT_TRUE(platform::UserPressMenuBarButton(bar, kOk));
  MSG message;
  std::vector<WPARAM> commands;
  while (PeekMessageW(&message, page_, WM_COMMAND, WM_COMMAND, PM_REMOVE)) commands.push_back(message.wParam);
  EXPECT_EQ(commands, (std::vector<WPARAM>{40038, static_cast<WPARAM>(kOk)}));
}

TEST_F(MenuTest, NoteBarsCarryTheirModeButtons) {
  for (UINT menu : {312u, 333u, 334u}) {
    SCOPED_TRACE(menu);
    HWND bar = MenuBar(menu);
    ASSERT_NE(bar, nullptr);
    // The notes code sets these buttons' images and states by command.
    std::vector<int> commands{40045, 40005, 42198, kCancel, kOk};
    if (menu == 312) commands.push_back(40253);
    for (int command : commands) {
      TBBUTTONINFOW info{sizeof(TBBUTTONINFOW), TBIF_IMAGE, 0, 0, 0, 0, 0, 0, nullptr, 0};
      EXPECT_GE(SendMessageW(bar, TB_GETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)), 0) << command;
    }
    DestroyWindow(bar);
  }
  std::vector<int> editor = Buttons(MenuBar(333));
  EXPECT_EQ(std::vector<int>(editor.end() - 8, editor.end()),
            (std::vector<int>{508, 40045, 40032, 42198, 40005, 41009, kCancel, kOk}));
}

TEST_F(MenuTest, FileAsMenuHoldsTheTwoEntriesTheFormatsGoAbove) {
  HMENU menu = LoadMenuW(module_, MAKEINTRESOURCEW(342));
  ASSERT_NE(menu, nullptr);
  HMENU popup = GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(GetMenuItemCount(popup), 2);
  EXPECT_EQ(GetMenuItemID(popup, 1), 42129u);
  DestroyMenu(menu);
}

using BitmapTest = ResourceLibraryFixture;

struct ExpectedStrip {
  int id;
  int images;
  int cell;  // width and height of one image in pixels
  COLORREF background;
};

constexpr ExpectedStrip kStrips[] = {
    {156, 26, 16, 0xC0C0C0}, {157, 26, 32, 0xC0C0C0}, {160, 12, 21, kGreen}, {161, 12, 42, kGreen},
    {202, 8, 16, kGreen},    {203, 8, 32, kGreen},    {372, 6, 16, kGreen},  {373, 6, 32, kGreen},
};

platform::Pixels Load(HINSTANCE module, int id) {
  HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(id));
  platform::Pixels pixels = platform::BitmapPixels(bitmap);
  if (bitmap) DeleteObject(bitmap);
  return pixels;
}

// The pixels of image `index` of a strip.
std::vector<uint32_t> Cell(const platform::Pixels& strip, int cell, int index) {
  std::vector<uint32_t> values;
  for (int y = 0; y < cell; ++y) {
    for (int x = 0; x < cell; ++x) values.push_back(strip.At(index * cell + x, y));
  }
  return values;
}

TEST_F(BitmapTest, StripsDecodeToTheirSizesWithADistinctPicturePerImage) {
  for (const ExpectedStrip& expected : kStrips) {
    SCOPED_TRACE(expected.id);
    platform::Pixels strip = Load(module_, expected.id);
    ASSERT_EQ(strip.width, expected.images * expected.cell);
    ASSERT_EQ(strip.height, expected.cell);
    std::set<std::vector<uint32_t>> pictures;
    for (int i = 0; i < expected.images; ++i) {
      std::vector<uint32_t> cell = Cell(strip, expected.cell, i);
      EXPECT_EQ(cell.front(), expected.background) << "image " << i << " keeps its corner transparent";
      EXPECT_GT(std::count_if(cell.begin(), cell.end(), [&](uint32_t p) { return p != expected.background; }),
                expected.cell)
          << "image " << i << " is drawn";
      EXPECT_TRUE(pictures.insert(cell).second) << "image " << i << " repeats an earlier one";
    }
  }
}

TEST_F(BitmapTest, LargeStripsShowTheSamePicturesAtDoubleSize) {
  for (auto [small, large] : {std::pair{156, 157}, {160, 161}, {202, 203}, {372, 373}}) {
    SCOPED_TRACE(large);
    platform::Pixels one = Load(module_, small);
    platform::Pixels two = Load(module_, large);
    ASSERT_EQ(two.width, one.width * 2);
    int differing = 0;
    for (int y = 0; y < two.height; ++y) {
      for (int x = 0; x < two.width; ++x) differing += two.At(x, y) != one.At(x / 2, y / 2);
    }
    EXPECT_EQ(differing, 0);
  }
}

TEST_F(BitmapTest, TabImagesLoadIntoAMaskedImageList) {
  // As the editor window's tab strip does: 21-pixel images, pure green transparent.
  HBITMAP tabs = LoadBitmapW(module_, MAKEINTRESOURCEW(160));
  ASSERT_NE(tabs, nullptr);
  HIMAGELIST list = ImageList_Create(21, 21, ILC_COLOR | ILC_MASK, 12, 0);
  EXPECT_EQ(ImageList_AddMasked(list, tabs, kGreen), 0);
  EXPECT_EQ(ImageList_GetImageCount(list), 12) << "one image per page kind";
  platform::ListImage appointment = platform::ImageListImage(list, 0);
  ASSERT_EQ(appointment.image.width, 21);
  EXPECT_TRUE(appointment.transparent.front());
  EXPECT_FALSE(appointment.transparent[10 * 21 + 10]) << "the picture's middle is drawn";
  ImageList_Destroy(list);
  DeleteObject(tabs);
}

TEST_F(BitmapTest, PhotoFrameIsPureGreenWhereThePhotoShows) {
  platform::Pixels frame = Load(module_, calyra::resources::kBitmapPhotoFrame);
  ASSERT_EQ(frame.width, 55);
  ASSERT_EQ(frame.height, 55);
  // The photo box is 50 x 50 at (1, 1): all of it must let the photo through.
  int covered = 0;
  for (int y = 1; y <= 50; ++y) {
    for (int x = 1; x <= 50; ++x) covered += frame.At(x, y) != kGreen;
  }
  EXPECT_EQ(covered, 0);
  EXPECT_NE(frame.At(0, 0), kGreen) << "the outline is drawn";
  EXPECT_NE(frame.At(51, 51), kGreen);
  EXPECT_NE(frame.At(54, 54), kGreen) << "the shadow is drawn";
  EXPECT_EQ(frame.At(54, 0), kGreen) << "the corner beside the shadow stays transparent";
}

// A number listed twice in the table would silently hide one of its resources in the module.
TEST(ResourceTableTest, ListsEachDialogMenuAndBitmapOnce) {
  void* library = dlopen(CALYRA_RESOURCES_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto entry = reinterpret_cast<CalyraResourcesTableFunction>(dlsym(library, CALYRA_RESOURCES_ENTRY));
  ASSERT_NE(entry, nullptr);
  const CalyraResourceTable* table = entry();
  EXPECT_EQ(entry(), table) << "the table is made once";
  std::set<int32_t> dialogs, menus, bitmaps;
  for (uint32_t i = 0; i < table->dialogCount; ++i) {
    EXPECT_TRUE(dialogs.insert(table->dialogs[i].id).second) << "dialog " << table->dialogs[i].id;
    EXPECT_GT(table->dialogs[i].itemCount, 0u) << table->dialogs[i].id;
  }
  for (uint32_t i = 0; i < table->menuCount; ++i) {
    EXPECT_TRUE(menus.insert(table->menus[i].id).second) << "menu " << table->menus[i].id;
    EXPECT_EQ(table->menus[i].entries[0].depth, 0u) << "menu " << table->menus[i].id << " starts at the top";
  }
  for (uint32_t i = 0; i < table->bitmapCount; ++i) {
    EXPECT_TRUE(bitmaps.insert(table->bitmaps[i].id).second) << "bitmap " << table->bitmaps[i].id;
  }
  using namespace calyra::resources;
  EXPECT_EQ(bitmaps, (std::set<int32_t>{kBitmapToolbar, kBitmapToolbarLarge, kBitmapTabs, kBitmapTabsLarge,
                                        kBitmapItemIcons, kBitmapItemIconsLarge, kBitmapProjectIcons,
                                        kBitmapProjectIconsLarge, kBitmapSampleHome, kBitmapSampleWork,
                                        kBitmapSampleStar, kBitmapSampleHeart, kBitmapSampleFlag,
                                        kBitmapSamplePhone, kBitmapPhotoFrame}));
  dlclose(library);
}

}  // namespace
