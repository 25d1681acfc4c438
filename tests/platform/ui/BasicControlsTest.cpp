#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/ui/Message.h"
#include "platform/ui/MessageRecorder.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/Controls.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;
using platform::ExpectedMessage;
using platform::kSent;
using platform::kWParam;

class BasicControlsTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"Test:Parent";
    RegisterClassW(&windowClass);
    parent_ = CreateWindowExW(0, u"Test:Parent", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                              nullptr);
    recorder_ = std::make_unique<platform::MessageRecorder>();
    recorder_->Watch(parent_);
  }
  void TearDown() override {
    recorder_.reset();
    DeviceTest::TearDown();
  }
  HWND Make(const char16_t* className, int id, DWORD style, const char16_t* text = u"") {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 20, parent_,
                           reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  }
  // The WM_COMMAND codes the parent received, in order.
  std::vector<std::pair<int, int>> Commands() {
    std::vector<std::pair<int, int>> commands;
    for (const auto& message : recorder_->Messages()) {
      if (message.message == WM_COMMAND)
        commands.emplace_back(LOWORD(message.wParam), HIWORD(message.wParam));
    }
    recorder_->Clear();
    return commands;
  }

  HWND parent_ = nullptr;
  // Made once the device is attached: it watches that device's window system.
  std::unique_ptr<platform::MessageRecorder> recorder_;
};

TEST_F(BasicControlsTest, ButtonsCheckBoxesAndRadioGroups) {
  HWND push = Make(WC_BUTTON, 1, BS_PUSHBUTTON, u"Go");
  HWND check = Make(WC_BUTTON, 2, BS_AUTOCHECKBOX);
  HWND plain = Make(WC_BUTTON, 3, BS_CHECKBOX);
  HWND radioA = Make(WC_BUTTON, 4, BS_AUTORADIOBUTTON | WS_GROUP);
  HWND radioB = Make(WC_BUTTON, 5, BS_AUTORADIOBUTTON);
  HWND radioC = Make(WC_BUTTON, 6, BS_AUTORADIOBUTTON);
  HWND nextGroup = Make(WC_BUTTON, 7, BS_AUTORADIOBUTTON | WS_GROUP);

  EXPECT_TRUE(platform::UserClick(push));
  EXPECT_TRUE(platform::UserClick(check));
  EXPECT_TRUE(platform::UserClick(plain));
  EXPECT_EQ(Commands(),
            (std::vector<std::pair<int, int>>{{1, BN_CLICKED}, {2, BN_CLICKED}, {3, BN_CLICKED}}));
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(plain, BM_GETCHECK, 0, 0), BST_UNCHECKED)
      << "a plain check box leaves it to its owner";
  SendMessageW(check, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED) << "two-state boxes have no third state";

  SendMessageW(nextGroup, BM_SETCHECK, BST_CHECKED, 0);
  platform::UserClick(radioA);
  platform::UserClick(radioC);
  EXPECT_EQ(SendMessageW(radioA, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(radioB, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(radioC, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(nextGroup, BM_GETCHECK, 0, 0), BST_CHECKED) << "another group is left alone";

  EnableWindow(push, FALSE);
  Commands();
  EXPECT_FALSE(platform::UserClick(push));
  SendMessageW(push, BM_CLICK, 0, 0);
  EXPECT_TRUE(Commands().empty()) << "a disabled button cannot be pressed";
  EXPECT_NE(platform::DumpWindowTree(parent_).find("BUTTON #6 \"\" (0,0 80x20) [x]"), std::string::npos);
}

TEST_F(BasicControlsTest, EditTypingLimitsAndNotifications) {
  HWND edit = Make(WC_EDIT, 10, ES_AUTOHSCROLL);
  SendMessageW(edit, EM_LIMITTEXT, 5, 0);
  Commands();
  EXPECT_TRUE(platform::UserType(edit, u"abcdefg"));
  WCHAR text[16];
  GetWindowTextW(edit, text, 16);
  EXPECT_EQ(std::u16string(text), u"abcde");
  auto commands = Commands();
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(commands.front(), std::make_pair(10, static_cast<int>(EN_SETFOCUS)));
  EXPECT_EQ(std::count(commands.begin(), commands.end(), std::make_pair(10, static_cast<int>(EN_CHANGE))), 5);
  EXPECT_EQ(std::count(commands.begin(), commands.end(), std::make_pair(10, static_cast<int>(EN_MAXTEXT))),
            2);
  EXPECT_TRUE(SendMessageW(edit, EM_GETMODIFY, 0, 0));

  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_SETSEL, 1, 3);
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  SendMessageW(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"XYZW"));
  GetWindowTextW(edit, text, 16);
  EXPECT_EQ(std::u16string(text), u"aXYde") << "a replacement is cut to the room left";
  SendMessageW(edit, EM_SETSEL, 3, 99);
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end, 5u) << "the selection stays inside the text";

  SetWindowTextW(edit, u"longer than the limit");
  EXPECT_EQ(GetWindowTextLengthW(edit), 21) << "the limit binds the person, not the program";
  EXPECT_FALSE(SendMessageW(edit, EM_GETMODIFY, 0, 0));

  SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  int beeps = platform::BeepCount();
  EXPECT_FALSE(platform::UserType(edit, u"no"));
  SendMessageW(edit, WM_CHAR, u'x', 0);
  EXPECT_EQ(platform::BeepCount(), beeps + 1);
  EXPECT_EQ(GetWindowTextLengthW(edit), 21);
}

TEST_F(BasicControlsTest, MultiLineNumberAndCapitalisingEdits) {
  HWND multi = Make(WC_EDIT, 11, ES_MULTILINE);
  HWND single = Make(WC_EDIT, 12, 0);
  HWND number = Make(WC_EDIT, 13, ES_NUMBER);
  HWND capital = Make(WC_CAPEDIT, 14, 0);
  platform::UserType(multi, u"one\ntwo");
  platform::UserType(single, u"one\ntwo");
  platform::UserType(number, u"1a2");
  platform::UserType(capital, u"anna van dijk");
  WCHAR text[32];
  GetWindowTextW(multi, text, 32);
  EXPECT_EQ(std::u16string(text), u"one\r\ntwo");
  EXPECT_EQ(SendMessageW(multi, EM_GETLINECOUNT, 0, 0), 2);
  GetWindowTextW(single, text, 32);
  EXPECT_EQ(std::u16string(text), u"onetwo");
  GetWindowTextW(number, text, 32);
  EXPECT_EQ(std::u16string(text), u"12");
  GetWindowTextW(capital, text, 32);
  EXPECT_EQ(std::u16string(text), u"Anna Van Dijk");
  EXPECT_EQ(SendMessageW(multi, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
}

TEST_F(BasicControlsTest, ListBoxStringsDataSelectionAndFind) {
  HWND list = Make(WC_LISTBOX, 20, LBS_SORT | LBS_NOTIFY);
  for (const char16_t* name : {u"pear", u"Apple", u"banana", u"apple pie"}) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  WCHAR text[16];
  SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::u16string(text), u"Apple") << "sorted without regard to case";
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"APP")), 0);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, 0, reinterpret_cast<LPARAM>(u"app")), 1)
      << "search starts after the index";
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRING, 1, reinterpret_cast<LPARAM>(u"app")), 0) << "and wraps";
  EXPECT_EQ(
      SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"APPLE")), 0);
  EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"app")),
            LB_ERR);

  EXPECT_EQ(SendMessageW(list, LB_SETITEMDATA, 2, 77), TRUE);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 2, 0), 77);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 4, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, 9, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 9, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(u"x")), LB_ERR);

  Commands();
  EXPECT_TRUE(platform::UserChooseText(list, u"banana"));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{20, LBN_SELCHANGE}}));
  SendMessageW(list, LB_DELETESTRING, 0, 0);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1) << "the selection follows its item";
  EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 9, 0), LB_ERR);
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_FALSE(platform::UserChoose(list, 5));
  EXPECT_TRUE(Commands().empty());
}

TEST_F(BasicControlsTest, DoubleTappingAListBoxItemChoosesItFirst) {
  HWND list = Make(WC_LISTBOX, 20, LBS_NOTIFY);
  HWND quiet = Make(WC_LISTBOX, 21, 0);
  for (HWND box : {list, quiet}) {
    for (const char16_t* name : {u"pear", u"apple"}) {
      SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
  }
  Commands();
  EXPECT_TRUE(platform::UserDoubleChoose(list, 1));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{20, LBN_SELCHANGE}, {20, LBN_DBLCLK}}));
  EXPECT_TRUE(platform::UserDoubleChoose(quiet, 0));
  EXPECT_TRUE(Commands().empty()) << "a list box without LBS_NOTIFY tells its parent nothing";
  EXPECT_FALSE(platform::UserDoubleChoose(list, 2));
  EXPECT_TRUE(Commands().empty());
}

TEST_F(BasicControlsTest, ComboBoxesShowTheirSelection) {
  HWND combo = Make(WC_COMBOBOX, 30, CBS_DROPDOWNLIST);
  for (const char16_t* name : {u"None", u"Low", u"High"}) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  Commands();
  EXPECT_TRUE(platform::UserChoose(combo, 2));
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{30, CBN_SELCHANGE}}));
  WCHAR text[16];
  GetWindowTextW(combo, text, 16);
  EXPECT_EQ(std::u16string(text), u"High");
  EXPECT_FALSE(platform::UserType(combo, u"Other")) << "a drop-down list takes no typing";
  EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 3, 0), CB_ERR);
  GetWindowTextW(combo, text, 16);
  EXPECT_EQ(std::u16string(text), u"");
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(Commands(), (std::vector<std::pair<int, int>>{{30, CBN_DROPDOWN}, {30, CBN_CLOSEUP}}));

  HWND editable = Make(WC_COMBOBOX, 31, CBS_DROPDOWN);
  EXPECT_TRUE(platform::UserType(editable, u"Somewhere"));
  GetWindowTextW(editable, text, 16);
  EXPECT_EQ(std::u16string(text), u"Somewhere");
  EXPECT_EQ(SendMessageW(editable, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text)), CB_ERR);
}

}  // namespace

namespace {

// Lines of `text` as DrawTextW wraps them in `width` in the default font.
int WrappedLines(const std::u16string& text, int width) {
  HDC dc = CreateCompatibleDC(nullptr);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT rect{0, 0, width, 0};
  int height = DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_WORDBREAK);
  DeleteDC(dc);
  return height / metrics.tmHeight;
}

TEST_F(BasicControlsTest, AMultiLineEditCountsItsLinesWrappedAtItsWidthLessItsMargins) {
  const std::u16string text = u"one two three four five six seven eight nine ten";
  HWND wrapping = Make(WC_EDIT, 21, ES_MULTILINE | ES_READONLY, text.c_str());
  HWND scrolling = Make(WC_EDIT, 22, ES_MULTILINE | ES_AUTOHSCROLL, text.c_str());
  HWND single = Make(WC_EDIT, 23, 0, text.c_str());
  ASSERT_GT(WrappedLines(text, 80), 1) << "the text must wrap in the control's 80 pixels";
  EXPECT_EQ(SendMessageW(wrapping, EM_GETLINECOUNT, 0, 0), WrappedLines(text, 80));
  EXPECT_EQ(SendMessageW(scrolling, EM_GETLINECOUNT, 0, 0), 1) << "scrolls sideways instead";
  EXPECT_EQ(SendMessageW(single, EM_GETLINECOUNT, 0, 0), 1);

  SendMessageW(wrapping, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(10, 20));
  EXPECT_EQ(SendMessageW(wrapping, EM_GETMARGINS, 0, 0), MAKELRESULT(10, 20));
  EXPECT_EQ(SendMessageW(wrapping, EM_GETLINECOUNT, 0, 0), WrappedLines(text, 50));
  EXPECT_EQ(SendMessageW(wrapping, EM_FMTLINES, TRUE, 0), TRUE);
  EXPECT_EQ(GetWindowTextLengthW(wrapping), static_cast<int>(text.size())) << "soft breaks change no text";
  SetWindowTextW(wrapping, u"");
  EXPECT_EQ(SendMessageW(wrapping, EM_GETLINECOUNT, 0, 0), 1) << "an empty edit has one line";
}

}  // namespace
