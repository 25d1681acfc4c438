#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/MessageRecorder.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/shell/FileDialog.h"
#include "platform/ui/shell/Shell.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using calyra::testing::DeviceTest;
using calyra::testing::ScriptedUser;

constexpr UINT kBar = 156;
constexpr int kOk = 40001;
constexpr int kTools = 40038;

class ShellTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    auto module = std::make_shared<platform::ResourceModule>();
    module->AddMenu(kBar, {{u"OK", kOk, 0, {}}, {u"Menu", 0, MF_POPUP, {{u"Tools", kTools, 0, {}}}}});
    module_ = platform::RegisterResourceModule(module);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"Test:Editor";
    RegisterClassW(&windowClass);
    editor_ = CreateWindowExW(0, u"Test:Editor", u"", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr, nullptr,
                              nullptr);
  }
  HWND MenuBar(DWORD flags = 0) {
    SHMENUBARINFO info{sizeof(SHMENUBARINFO), editor_, flags, kBar, module_, 0, 0, nullptr, 0};
    return SHCreateMenuBar(&info) ? info.hwndMB : nullptr;
  }

  HINSTANCE module_ = nullptr;
  HWND editor_ = nullptr;
};

TEST_F(ShellTest, MenuBarButtonsFromTheMenu) {
  HWND bar = MenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SHFindMenuBar(editor_), bar);
  EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 2);
  RECT rect;
  GetWindowRect(bar, &rect);
  EXPECT_EQ(rect.top, 294) << "at the bottom of a 320-pixel screen";

  WCHAR text[8];
  TBBUTTONINFOW info{sizeof(TBBUTTONINFOW), TBIF_TEXT | TBIF_STATE | TBIF_IMAGE, 0, 0, 0, 0, 0, 0, text, 8};
  EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONINFOW, kOk, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(std::u16string(text), u"OK");
  EXPECT_EQ(info.fsState, TBSTATE_ENABLED);
  EXPECT_EQ(info.iImage, I_IMAGENONE);
  info.dwMask = TBIF_IMAGE;
  info.iImage = 3;
  EXPECT_TRUE(SendMessageW(bar, TB_SETBUTTONINFOW, kOk, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ(SendMessageW(bar, TB_GETBUTTONINFOW, 999, reinterpret_cast<LPARAM>(&info)), -1);
  TBADDBITMAP bitmap{module_, 157};
  EXPECT_EQ(SendMessageW(bar, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&bitmap)), 0);
  EXPECT_EQ(SendMessageW(bar, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&bitmap)), 4)
      << "indexes follow the images added";
  EXPECT_EQ(SendMessageW(bar, TB_ADDBITMAP, 2, 0), -1);

  HMENU tools = reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETSUBMENU, 0, 1));
  EXPECT_EQ(GetMenuItemID(tools, 0), static_cast<UINT>(kTools));

  ScriptedUser user;
  user.ExpectPopupMenu(kTools);
  platform::MessageRecorder recorder;
  recorder.Watch(editor_);
  EXPECT_TRUE(platform::UserPressMenuBarButton(bar, kOk));
  EXPECT_TRUE(platform::UserPressMenuBarButton(bar, 1));
  SendMessageW(bar, TB_ENABLEBUTTON, kOk, FALSE);
  EXPECT_FALSE(platform::UserPressMenuBarButton(bar, kOk)) << "a disabled button cannot be pressed";
  std::vector<platform::ExpectedMessage> expected{
      {WM_COMMAND, platform::kPosted | platform::kWParam, kOk},
      {WM_COMMAND, platform::kPosted | platform::kWParam, kTools}};
  EXPECT_EQ(platform::CompareMessages(recorder.Messages(), expected), "");
  platform::PumpMessages();

  SHMENUBARINFO missing{sizeof(SHMENUBARINFO), editor_, 0, 999, module_, 0, 0, nullptr, 0};
  EXPECT_FALSE(SHCreateMenuBar(&missing));
  SHMENUBARINFO noOwner{sizeof(SHMENUBARINFO), nullptr, SHCMBF_EMPTYBAR, 0, module_, 0, 0, nullptr, 0};
  EXPECT_FALSE(SHCreateMenuBar(&noOwner));
  DestroyWindow(editor_);
  EXPECT_FALSE(IsWindow(bar)) << "the menu bar goes with its owner";
}

TEST_F(ShellTest, InputPanelResizesFullScreenWindows) {
  SIPINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(SipGetInfo(&info));
  EXPECT_EQ(info.fdwFlags & SIPF_ON, 0u);
  EXPECT_EQ(info.rcVisibleDesktop.bottom, 294);

  platform::MessageRecorder recorder;
  recorder.Watch(editor_);
  EXPECT_TRUE(SHSipPreference(editor_, SIP_UP));
  EXPECT_TRUE(SHSipPreference(editor_, SIP_UP));
  EXPECT_EQ(
      platform::CompareMessages(recorder.MessagesTo(editor_),
                                {{WM_SETTINGCHANGE, platform::kSent | platform::kWParam, SPI_SETSIPINFO}}),
      "")
      << "only a change is announced";
  ASSERT_TRUE(SipGetInfo(&info));
  EXPECT_EQ(info.rcVisibleDesktop.bottom, 214);
  SHACTIVATEINFO activate{};
  activate.cbSize = sizeof activate;
  EXPECT_TRUE(SHHandleWMSettingChange(editor_, SPI_SETSIPINFO, 0, &activate));
  EXPECT_EQ(activate.fSipUp, 1u);
  RECT rect;
  GetWindowRect(editor_, &rect);
  EXPECT_EQ(rect.bottom, 214);

  SIPINFO tooSmall{};
  EXPECT_FALSE(SipGetInfo(&tooSmall));
  EXPECT_FALSE(SHSipPreference(reinterpret_cast<HWND>(0x42), SIP_DOWN));
}

TEST_F(ShellTest, FullScreenTitleAndDoneButton) {
  EXPECT_TRUE(SHFullScreen(editor_, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON));
  EXPECT_EQ(platform::FullScreenState(editor_), SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON);
  EXPECT_TRUE(SHSetNavBarText(editor_, u"Task"));
  EXPECT_EQ(platform::NavBarText(), u"Task");
  SHINITDLGINFO init{SHIDIM_FLAGS, editor_, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
  EXPECT_TRUE(SHInitDialog(&init));
  EXPECT_TRUE(GetWindowLongW(editor_, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN);
  RECT rect;
  GetWindowRect(editor_, &rect);
  EXPECT_EQ(rect.top, 26);
  EXPECT_EQ(rect.bottom, 294);
  EXPECT_FALSE(SHFullScreen(nullptr, SHFS_SHOWTASKBAR));
}

TEST_F(ShellTest, FileDialogsAskThePerson) {
  ScriptedUser user;
  user.ExpectFileDialog(u"\\My Documents\\Plans\\trip.doc");
  user.ExpectFileDialog(std::nullopt);
  user.ExpectFileDialog(u"\\My Documents\\a very long name.txt");
  WCHAR file[64] = u"start.txt";
  WCHAR title[8];
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.lpstrFilter = u"Documents\0*.doc\0All files\0*.*\0";
  request.lpstrFile = file;
  request.nMaxFile = 64;
  request.lpstrFileTitle = title;
  request.nMaxFileTitle = 8;
  ASSERT_TRUE(GetOpenFileNameW(&request));
  EXPECT_EQ(std::u16string(file), u"\\My Documents\\Plans\\trip.doc");
  EXPECT_EQ(request.nFileOffset, 20);
  EXPECT_EQ(request.nFileExtension, 25);
  EXPECT_EQ(std::u16string(title), u"trip.do") << "the title is cut to its buffer";
  EXPECT_FALSE(GetSaveFileNameW(&request));
  EXPECT_EQ(CommDlgExtendedError(), 0u) << "cancelled";
  request.nMaxFile = 10;
  EXPECT_FALSE(GetOpenFileNameW(&request));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  EXPECT_EQ(file[0], 35) << "the size needed, with the zero";
  request.lStructSize = 4;
  EXPECT_FALSE(GetOpenFileNameW(&request));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
}

}  // namespace

namespace {

// A plain 24-bit BMP file of the given size.
std::vector<BYTE> BmpOfSize(int width, int height) {
  size_t stride = static_cast<size_t>((width * 3 + 3) / 4 * 4);
  size_t pixels = stride * static_cast<size_t>(height);
  std::vector<BYTE> file(54 + pixels, 0x80);
  auto put = [&file](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + static_cast<size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put(2, static_cast<uint32_t>(file.size()), 4);
  put(6, 0, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<uint32_t>(width), 4);
  put(22, static_cast<uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(30, 0, 4);
  put(34, static_cast<uint32_t>(pixels), 4);
  put(38, 2835, 4);
  put(42, 2835, 4);
  put(46, 0, 4);
  put(50, 0, 4);
  return file;
}

TEST_F(ShellTest, CommandBarBitmapsMustHoldTheImagesAsked) {
  auto module = std::make_shared<platform::ResourceModule>();
  module->AddMenu(kBar, {{u"OK", kOk, 0, {}}});
  module->AddBitmap(1, BmpOfSize(64, 16));
  HINSTANCE instance = platform::RegisterResourceModule(module);
  SHMENUBARINFO info{sizeof(SHMENUBARINFO), editor_, 0, kBar, instance, 0, 0, nullptr, 0};
  ASSERT_TRUE(SHCreateMenuBar(&info));
  HWND bar = info.hwndMB;
  EXPECT_EQ(CommandBar_AddBitmap(bar, instance, 1, 4, 16, 16), 0);
  EXPECT_EQ(CommandBar_AddBitmap(bar, instance, 1, 2, 32, 16), 4) << "the next images follow";
  EXPECT_EQ(CommandBar_AddBitmap(bar, instance, 1, 4, 32, 32), -1) << "too small for four 32 x 32 images";
  EXPECT_EQ(CommandBar_AddBitmap(bar, instance, 2, 1, 16, 16), -1) << "no such bitmap";
  EXPECT_EQ(platform::MenuBarBitmaps(bar), (std::vector<int>{1, 1}));
}

TEST_F(ShellTest, ButtonsStandLeftToRightAtTheirWidths) {
  HWND bar = MenuBar();
  ASSERT_NE(bar, nullptr);
  RECT ok{}, menu{};
  ASSERT_TRUE(SendMessageW(bar, TB_GETRECT, kOk, reinterpret_cast<LPARAM>(&ok)));
  ASSERT_TRUE(SendMessageW(bar, TB_GETRECT, 1, reinterpret_cast<LPARAM>(&menu)));
  EXPECT_EQ(ok.left, 0);
  EXPECT_EQ(menu.left, ok.right);
  TBBUTTONINFOW size{};
  size.cbSize = sizeof(size);
  size.dwMask = TBIF_SIZE;
  size.cx = 90;
  SendMessageW(bar, TB_SETBUTTONINFOW, kOk, reinterpret_cast<LPARAM>(&size));
  SendMessageW(bar, TB_GETRECT, 1, reinterpret_cast<LPARAM>(&menu));
  EXPECT_EQ(menu.left, 90);
  EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, 1, 0), 1);
  EXPECT_EQ(SendMessageW(bar, TB_COMMANDTOINDEX, 777, 0), -1);
  EXPECT_FALSE(SendMessageW(bar, TB_GETRECT, 777, reinterpret_cast<LPARAM>(&menu)));
}

TEST_F(ShellTest, TheFileDialogLibraryRefusesAFileThatDoesNotExistWhenItMust) {
  ScriptedUser user;
  ASSERT_TRUE(CreateDirectoryW(u"\\My Documents", nullptr));
  HANDLE file = CreateFileW(u"\\My Documents\\plan.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  WCHAR path[64] = {};
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.lpstrFile = path;
  request.nMaxFile = 64;
  request.Flags = OFN_FILEMUSTEXIST;
  struct Case {
    std::optional<std::u16string> chosen;
    BOOL expected;
    const char16_t* path;
  } cases[] = {
      {u"\\My Documents\\plan.txt", TRUE, u"\\My Documents\\plan.txt"},
      {u"\\My Documents\\gone.txt", FALSE, u""},
      {u"\\My Documents", FALSE, u""},  // a folder is no file
      {std::nullopt, FALSE, u""},
  };
  for (const Case& c : cases) {
    user.ExpectFileDialog(c.chosen);
    path[0] = 0;
    EXPECT_EQ(GetOpenFileNameVL(&request), c.expected) << platform::ToUtf8(c.chosen.value_or(u"cancel"));
    EXPECT_EQ(std::u16string(path), c.path);
  }
  request.Flags = 0;
  user.ExpectFileDialog(u"\\My Documents\\gone.txt");
  EXPECT_TRUE(GetOpenFileNameVL(&request)) << "without the flag any path is taken";
}

}  // namespace
