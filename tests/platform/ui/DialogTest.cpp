#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/MessageRecorder.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/Controls.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using calyra::testing::DeviceTest;
using calyra::testing::ScriptedUser;

constexpr int kNameDialog = 500;
constexpr int kConfirmDialog = 600;
constexpr int kNameEdit = 1001;
constexpr int kMoreButton = 1002;
constexpr int kAskButton = 1003;
constexpr int kRemember = 1004;
constexpr UINT kQuestion = 63008;
constexpr UINT kNamed = 63009;

platform::DialogItemTemplate Item(const char16_t* className, int id, const char16_t* text, DWORD style) {
  return platform::DialogItemTemplate{className,         id, text, style | WS_VISIBLE | WS_TABSTOP, 0,
                                      RECT{4, 4, 60, 12}};
}

std::shared_ptr<platform::ResourceModule> TestModule() {
  auto module = std::make_shared<platform::ResourceModule>();
  module->AddString(kQuestion, u"Delete this item?");
  module->AddString(kNamed, u"The name is %s.");
  platform::DialogTemplate name;
  name.caption = u"Name";
  name.rect = RECT{0, 0, 120, 80};
  name.items = {Item(WC_EDIT, kNameEdit, u"", ES_AUTOHSCROLL),
                Item(WC_BUTTON, kMoreButton, u"More", BS_PUSHBUTTON),
                Item(WC_BUTTON, kAskButton, u"Ask", BS_PUSHBUTTON),
                Item(WC_BUTTON, kRemember, u"Remember", BS_AUTOCHECKBOX),
                Item(WC_BUTTON, IDOK, u"OK", BS_DEFPUSHBUTTON),
                Item(WC_BUTTON, IDCANCEL, u"Cancel", BS_PUSHBUTTON)};
  module->AddDialog(kNameDialog, name);
  platform::DialogTemplate confirm;
  confirm.caption = u"Confirm";
  confirm.rect = RECT{0, 0, 100, 40};
  confirm.items = {Item(WC_BUTTON, IDOK, u"OK", BS_DEFPUSHBUTTON)};
  module->AddDialog(kConfirmDialog, confirm);
  module->AddMenu(300,
                  {{u"Tools",
                    0,
                    MF_POPUP,
                    {{u"Open", 40038, 0, {}}, {u"", 0, MF_SEPARATOR, {}}, {u"Gone", 40039, MF_GRAYED, {}}}}});
  return module;
}

// What the dialog procedure saw, for the test to check.
struct Seen {
  HINSTANCE module = nullptr;
  std::u16string name;
  bool remember = false;
  INT_PTR nested = -2;
  int answer = 0;
  bool initialised = false;
};

INT_PTR NameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* seen = reinterpret_cast<Seen*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      reinterpret_cast<Seen*>(lParam)->initialised = true;
      SendDlgItemMessageW(dialog, kNameEdit, EM_LIMITTEXT, 8, 0);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: {
          WCHAR text[32];
          GetDlgItemTextW(dialog, kNameEdit, text, 32);
          seen->name = text;
          seen->remember = IsDlgButtonChecked(dialog, kRemember) == BST_CHECKED;
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case kMoreButton:
          seen->nested = DialogBoxParamW(seen->module, MAKEINTRESOURCEW(kConfirmDialog), dialog, NameProc,
                                         reinterpret_cast<LPARAM>(seen));
          SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(seen));
          return TRUE;
        case kAskButton: {
          WCHAR text[64];
          LoadStringW(seen->module, kQuestion, text, 64);
          seen->answer = MessageBoxW(dialog, text, u"Calyra", MB_YESNO | MB_ICONQUESTION);
          return TRUE;
        }
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

class DialogTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    module_ = platform::RegisterResourceModule(TestModule());
    seen_.module = module_;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"Test:Host";
    RegisterClassW(&windowClass);
    host_ = CreateWindowExW(0, u"Test:Host", u"Host", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                            nullptr);
  }
  INT_PTR RunNameDialog() {
    return DialogBoxParamW(module_, MAKEINTRESOURCEW(kNameDialog), host_, NameProc,
                           reinterpret_cast<LPARAM>(&seen_));
  }

  HINSTANCE module_ = nullptr;
  HWND host_ = nullptr;
  Seen seen_;
};

TEST_F(DialogTest, ModalDialogFilledByTheScriptedUser) {
  ScriptedUser user;
  user.ExpectDialog(kNameDialog).Type(kNameEdit, u"Dentist appointment").Check(kRemember, true).Click(IDOK);
  EXPECT_EQ(RunNameDialog(), IDOK);
  EXPECT_TRUE(seen_.initialised);
  EXPECT_EQ(seen_.name, u"Dentist ") << "typing stops at the edit's limit";
  EXPECT_TRUE(seen_.remember);
  EXPECT_TRUE(IsWindowEnabled(host_)) << "the owner is enabled again";
  EXPECT_EQ(GetActiveWindow(), host_);
}

TEST_F(DialogTest, ModalInsideModalAndMessageBoxes) {
  ScriptedUser user;
  user.SetResourceModule(module_);
  user.ExpectDialog(kNameDialog).Click(kMoreButton);
  user.ExpectDialog(kConfirmDialog).Click(IDOK);
  user.ExpectDialog(kNameDialog).Click(kAskButton);
  user.ExpectMessageBoxString(kQuestion, IDYES);
  user.ExpectDialog(kNameDialog).Click(IDCANCEL);
  EXPECT_EQ(RunNameDialog(), IDCANCEL);
  EXPECT_EQ(seen_.nested, IDOK);
  EXPECT_EQ(seen_.answer, IDYES);
}

TEST_F(DialogTest, KeysGoThroughTheDialog) {
  ScriptedUser user;
  user.ExpectDialog(kNameDialog).Type(kNameEdit, u"Ann").Key(kNameEdit, VK_RETURN);
  EXPECT_EQ(RunNameDialog(), IDOK) << "Enter presses the default button";
  EXPECT_EQ(seen_.name, u"Ann");
  user.ExpectDialog(kNameDialog).Key(0, VK_ESCAPE);
  EXPECT_EQ(RunNameDialog(), IDCANCEL);
}

TEST_F(DialogTest, UnexpectedThingsFailNamingWhatAppeared) {
  platform::ScriptedUserAgent agent;
  platform::SetUserAgent(&agent);
  agent.ExpectMessageBox(u"Save changes?", IDYES);
  EXPECT_EQ(RunNameDialog(), IDCANCEL) << "an unexpected dialog is cancelled";
  ASSERT_EQ(agent.Failures().size(), 1u);
  EXPECT_EQ(agent.Failures()[0],
            "unexpected dialog 500 \"Name\" while expecting message box \"Save changes?\"");
  EXPECT_EQ(MessageBoxW(host_, u"Other", u"Calyra", MB_YESNO), IDNO)
      << "after a failure everything is cancelled";
  EXPECT_FALSE(agent.Finish());
  EXPECT_EQ(agent.Failures().back(), "step left over: message box \"Save changes?\"");

  platform::ScriptedUserAgent second;
  platform::SetUserAgent(&second);
  second.ExpectDialog(kNameDialog).Click(4242);
  RunNameDialog();
  ASSERT_FALSE(second.Failures().empty());
  EXPECT_EQ(second.Failures()[0], "in dialog 500 \"Name\": could not click 4242");
  second.ExpectMessageBox(u"x", IDRETRY);
  platform::ScriptedUserAgent third;
  platform::SetUserAgent(&third);
  third.ExpectMessageBox(u"Delete?", IDRETRY);
  EXPECT_EQ(MessageBoxW(host_, u"Delete?", u"Calyra", MB_YESNO), IDNO);
  EXPECT_EQ(third.Failures().at(0), "message box \"Delete?\" (Yes/No) has no button for the answer 4");
  platform::SetUserAgent(nullptr);
}

TEST_F(DialogTest, WithoutAPersonDialogsAreCancelled) {
  EXPECT_EQ(RunNameDialog(), IDCANCEL);
  EXPECT_EQ(MessageBoxW(host_, u"Delete?", u"Calyra", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxW(host_, u"Delete?", u"Calyra", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxW(host_, u"Done", u"Calyra", MB_OK), IDOK);
  EXPECT_EQ(DialogBoxParamW(module_, MAKEINTRESOURCEW(999), host_, NameProc, 0), -1) << "no such template";
  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kNameDialog), host_, NameProc, 0), -1);
}

TEST_F(DialogTest, DestroyingTheOwnerWhileTheDialogIsUp) {
  ScriptedUser user;
  user.ExpectDialog(kNameDialog).Do("close the host", [this](HWND) {
    return PostMessageW(host_, WM_CLOSE, 0, 0) != FALSE;
  });
  EXPECT_EQ(RunNameDialog(), 0) << "a dialog destroyed without EndDialog gives 0";
  EXPECT_FALSE(IsWindow(host_));
  EXPECT_EQ(platform::DumpWindowTree(), "");
}

TEST_F(DialogTest, ModelessDialogsAndDialogItems) {
  HWND dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(kNameDialog), host_, NameProc,
                                   reinterpret_cast<LPARAM>(&seen_));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(platform::DialogTemplateId(dialog), kNameDialog);
  EXPECT_TRUE(platform::IsModelessDialog(dialog));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kNameEdit))
      << "WM_INITDIALOG answering TRUE focuses the first tab stop";
  EXPECT_TRUE(SetDlgItemInt(dialog, kNameEdit, static_cast<UINT>(-42), TRUE));
  BOOL ok = FALSE;
  EXPECT_EQ(static_cast<int>(GetDlgItemInt(dialog, kNameEdit, &ok, TRUE)), -42);
  EXPECT_TRUE(ok);
  GetDlgItemInt(dialog, kNameEdit, &ok, FALSE);
  EXPECT_FALSE(ok) << "a sign is not a digit of an unsigned number";
  SetDlgItemTextW(dialog, kNameEdit, u"12x");
  GetDlgItemInt(dialog, kNameEdit, &ok, FALSE);
  EXPECT_FALSE(ok);
  EXPECT_EQ(SendDlgItemMessageW(dialog, 4242, WM_GETTEXTLENGTH, 0, 0), 0);

  // The host's loop hands keys for a modeless dialog to it.
  SetFocus(GetDlgItem(dialog, kNameEdit));
  SetDlgItemTextW(dialog, kNameEdit, u"Bo");
  platform::UserPressKey(GetDlgItem(dialog, kNameEdit), VK_RETURN);
  platform::PumpMessages();
  EXPECT_EQ(seen_.name, u"Bo");
  EXPECT_FALSE(IsWindowVisible(dialog)) << "EndDialog hides a modeless dialog";
  DestroyWindow(dialog);
}

TEST_F(DialogTest, PopupMenusFromResources) {
  HMENU bar = LoadMenuW(module_, MAKEINTRESOURCEW(300));
  ASSERT_NE(bar, nullptr);
  HMENU tools = GetSubMenu(bar, 0);
  EXPECT_EQ(GetMenuItemCount(tools), 3);
  EXPECT_EQ(LoadMenuW(module_, MAKEINTRESOURCEW(301)), nullptr);

  ScriptedUser user;
  user.ExpectPopupMenu(40038);
  user.ExpectPopupMenu(40038);
  user.ExpectPopupMenu(0);
  user.ExpectPopupMenu(40039);
  platform::MessageRecorder recorder;
  recorder.Watch(host_);
  EXPECT_EQ(TrackPopupMenu(tools, TPM_RETURNCMD, 0, 0, 0, host_, nullptr), 40038);
  EXPECT_TRUE(TrackPopupMenu(tools, TPM_LEFTALIGN, 0, 0, 0, host_, nullptr));
  EXPECT_FALSE(TrackPopupMenu(tools, TPM_LEFTALIGN, 0, 0, 0, host_, nullptr));
  EXPECT_EQ(TrackPopupMenu(tools, TPM_RETURNCMD, 0, 0, 0, host_, nullptr), 0)
      << "a grayed entry cannot be chosen";
  EXPECT_EQ(platform::CompareMessages(recorder.Messages(),
                                      {{WM_COMMAND, platform::kPosted | platform::kWParam, 40038}}),
            "");
  platform::PumpMessages();
  DestroyMenu(bar);
}

TEST_F(DialogTest, ResourceStrings) {
  WCHAR text[8];
  EXPECT_EQ(LoadStringW(module_, kQuestion, text, 8), 7);
  EXPECT_EQ(std::u16string(text), u"Delete ");
  EXPECT_EQ(LoadStringW(module_, 1, text, 8), 0);
  EXPECT_EQ(text[0], 0);
  const WCHAR* whole = nullptr;
  EXPECT_EQ(LoadStringW(module_, kNamed, reinterpret_cast<LPWSTR>(&whole), 0), 15);
  EXPECT_EQ(std::u16string(whole), u"The name is %s.");
  EXPECT_EQ(LoadStringW(reinterpret_cast<HINSTANCE>(0x99), kQuestion, text, 8), 0);
  EXPECT_TRUE(FreeLibrary(module_));
  EXPECT_EQ(LoadStringW(module_, kQuestion, text, 8), 0);

  ScriptedUser user;
  user.SetResourceModule(platform::RegisterResourceModule(TestModule()));
  user.ExpectMessageBoxString(kNamed, IDOK);
  EXPECT_EQ(MessageBoxW(nullptr, u"The name is Ann Lee.", u"Calyra", MB_OK), IDOK)
      << "specifiers match any text";
}

}  // namespace
