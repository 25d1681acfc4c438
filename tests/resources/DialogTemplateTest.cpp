#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/core/LastError.h"
#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using calyra::testing::DeviceTest;
using calyra::testing::ScriptedUser;

enum class Kind { kPage, kPopup };

// The dialog units of a page above the tab strip (218 pixels at 96 dpi) with the input panel down.
constexpr int kPageShownHeight = 134;

struct ExpectedDialog {
  int id;
  Kind kind;
  std::vector<int> controls;  // ids the component's code addresses by number
};

// Every dialog template the component loads from its resource module, with the control ids that
// the code fixes. The editor pages are children of the editor window; the rest are popups.
const std::vector<ExpectedDialog> kExpectedDialogs = {
    {364, Kind::kPopup, {1453, 1454, 1106}},
    {371, Kind::kPopup, {IDOK, IDCANCEL}},
    {491, Kind::kPopup, {1002, 1003, 1004, 1008, 1412, IDOK, IDCANCEL}},
    {492, Kind::kPopup, {IDOK, IDCANCEL}},
    {493, Kind::kPage, {}},
    {499, Kind::kPopup, {IDOK, IDCANCEL}},
    {500, Kind::kPopup, {IDOK, IDCANCEL}},
    {504, Kind::kPopup, {IDOK, IDCANCEL}},
    {506, Kind::kPopup, {IDOK, IDCANCEL}},
    {507, Kind::kPopup, {IDOK, IDCANCEL}},
    {525, Kind::kPage, {}},
    {527, Kind::kPage, {1061}},
    {550, Kind::kPopup, {IDOK, IDCANCEL}},
    {551, Kind::kPage, {1039, 1052, 1053, 1055, 1060, 1064, 1065, 1066, 1099}},
    {552, Kind::kPage, {}},
    {553, Kind::kPage, {}},
    {567, Kind::kPopup, {IDOK, IDCANCEL}},
    {575, Kind::kPage, {}},
    {595, Kind::kPopup, {IDOK, IDCANCEL}},
    {601, Kind::kPopup, {1070, 1071, 1072, 1133, 1134, 1211, 1215, 1216}},
    {610, Kind::kPopup, {2000, 2001}},
    {612, Kind::kPopup, {IDOK, IDCANCEL}},
    {620, Kind::kPopup, {IDOK, IDCANCEL}},
    {622, Kind::kPage, {}},
    {626, Kind::kPopup, {IDOK, IDCANCEL}},
    {1204, Kind::kPopup, {IDOK, IDCANCEL}},
    {1208, Kind::kPage, {}},
    {1209, Kind::kPage, {1002}},
    {1210, Kind::kPage, {1720, 1721, 1722, 1723, 1724, 1740, 1741, 1742, 1743, 1744, 1745}},
    {1211, Kind::kPage, {}},
    {1212, Kind::kPopup, {1750, 1751, 1752, 1753, 1754, 1755, IDOK, IDCANCEL}},
    {1217, Kind::kPopup, {1302, 1520, 1521, 1522, 1523, IDOK, IDCANCEL}},
};

INT_PTR QuietProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::u16string ClassOf(HWND window) {
  WCHAR name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::u16string TextOf(HWND window) {
  WCHAR text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::vector<HWND> Children(HWND window) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

class DialogTemplateTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    module_ = LoadLibraryW(u"CalyraEditorResources.dll");
    ASSERT_NE(module_, nullptr) << GetLastError();
    resources_ = platform::ResourceModuleOf(module_);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"Test:Editor";
    RegisterClassW(&windowClass);
    editor_ = CreateWindowExW(0, u"Test:Editor", u"", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr, nullptr,
                              nullptr);
  }
  void TearDown() override {
    if (IsWindow(editor_)) DestroyWindow(editor_);
    if (module_) FreeLibrary(module_);
    DeviceTest::TearDown();
  }

  HINSTANCE module_ = nullptr;
  std::shared_ptr<const platform::ResourceModule> resources_;
  HWND editor_ = nullptr;
};

TEST_F(DialogTemplateTest, EveryTemplateBecomesADialogWithAllItsControls) {
  for (const ExpectedDialog& expected : kExpectedDialogs) {
    SCOPED_TRACE(expected.id);
    const platform::DialogTemplate* dialogTemplate = resources_->Dialog(expected.id);
    ASSERT_NE(dialogTemplate, nullptr);
    DWORD style = dialogTemplate->style;
    if (expected.kind == Kind::kPage) {
      EXPECT_TRUE(style & WS_CHILD);
      EXPECT_FALSE(style & (WS_POPUP | WS_VISIBLE)) << "a page is hidden until its tab is chosen";
    } else {
      EXPECT_TRUE(style & WS_POPUP);
      EXPECT_FALSE(dialogTemplate->caption.empty());
    }

    SetLastError(0);
    HWND dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(expected.id), editor_, QuietProc, 0);
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    EXPECT_EQ(platform::DialogTemplateId(dialog), expected.id);
    std::vector<HWND> children = Children(dialog);
    ASSERT_EQ(children.size(), dialogTemplate->items.size());
    for (size_t i = 0; i < children.size(); ++i) {
      const platform::DialogItemTemplate& item = dialogTemplate->items[i];
      EXPECT_TRUE(platform::EqualsNoCase(ClassOf(children[i]), item.className))
          << platform::ToUtf8(item.className);
      EXPECT_EQ(GetDlgCtrlID(children[i]), item.id);
    }
    for (int id : expected.controls) {
      EXPECT_NE(GetDlgItem(dialog, id), nullptr) << "control " << id;
    }
    DestroyWindow(dialog);
  }
}

TEST_F(DialogTemplateTest, TemplatesHaveDistinctIdsAndKeepTheirControlsInside) {
  for (const ExpectedDialog& expected : kExpectedDialogs) {
    SCOPED_TRACE(expected.id);
    const platform::DialogTemplate* dialogTemplate = resources_->Dialog(expected.id);
    ASSERT_NE(dialogTemplate, nullptr);
    EXPECT_LE(dialogTemplate->rect.left + dialogTemplate->rect.right, 160) << "wider than a 240-pixel screen";
    std::set<int> ids;
    for (const platform::DialogItemTemplate& item : dialogTemplate->items) {
      if (item.id != -1) {
        EXPECT_TRUE(ids.insert(item.id).second) << "control " << item.id << " twice";
      }
      EXPECT_GE(item.rect.left, 0) << item.id;
      EXPECT_LE(item.rect.left + item.rect.right, dialogTemplate->rect.right) << "control " << item.id;
      EXPECT_GT(item.rect.right, 0) << item.id;
      EXPECT_GT(item.rect.bottom, 0) << item.id;
      // A combo box's height includes its list, and a scrolling page may be longer than it shows.
      bool mayReachBelow =
          platform::EqualsNoCase(item.className, WC_COMBOBOX) || (dialogTemplate->style & WS_VSCROLL);
      if (!mayReachBelow) {
        EXPECT_LE(item.rect.top + item.rect.bottom, dialogTemplate->rect.bottom) << item.id;
      }
      // A page shows only what lies above the tab strip while the input panel is down; a control
      // filling the whole page is sized to what the page shows.
      bool fillsPage = item.rect.top == 0 && item.rect.bottom == dialogTemplate->rect.bottom;
      if (!mayReachBelow && !fillsPage && expected.kind == Kind::kPage) {
        EXPECT_LE(item.rect.top + item.rect.bottom, kPageShownHeight) << "control " << item.id << " out of sight";
      }
    }
  }
}

TEST_F(DialogTemplateTest, NotesAreEditedInTheNamedInkControl) {
  for (int id : {575, 610}) {
    SCOPED_TRACE(id);
    HWND dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(id), editor_, QuietProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND ink = nullptr;
    for (HWND child : Children(dialog)) {
      if (ClassOf(child) == WC_INKX) ink = child;
    }
    ASSERT_NE(ink, nullptr);
    EXPECT_EQ(TextOf(ink), u"CY.NoteEditor");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(ink, GWL_STYLE)) & 0x50810480u, 0x50810480u);
    EXPECT_NE(SendMessageW(ink, IM_GETRICHWND, 0, 0), 0) << "the rich-ink window the notes page edits";
    DestroyWindow(dialog);
  }
  HWND editor = CreateDialogParamW(module_, MAKEINTRESOURCEW(610), editor_, QuietProc, 0);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(ClassOf(GetDlgItem(editor, 2001)), WC_CAPEDIT) << "the note title capitalises";
  DestroyWindow(editor);
}

TEST_F(DialogTemplateTest, PagesShowOnlyTheControlsOfTheirFirstState) {
  HWND recurrence = CreateDialogParamW(module_, MAKEINTRESOURCEW(622), editor_, QuietProc, 0);
  HWND appointment = CreateDialogParamW(module_, MAKEINTRESOURCEW(527), editor_, QuietProc, 0);
  ASSERT_NE(recurrence, nullptr);
  ASSERT_NE(appointment, nullptr);
  ShowWindow(recurrence, SW_SHOW);
  ShowWindow(appointment, SW_SHOW);
  // The weekly pattern is the one a reset page selects; every other panel waits hidden at its place.
  std::map<HWND, bool> visible;
  for (HWND child : Children(recurrence)) visible[child] = IsWindowVisible(child);
  int shownPanels = 0;
  for (int id = 1610; id < 1690; ++id) {
    HWND control = GetDlgItem(recurrence, id);
    if (control && visible[control]) {
      EXPECT_TRUE(id >= 1620 && id < 1630) << "control " << id << " of a hidden panel is shown";
      ++shownPanels;
    }
  }
  EXPECT_EQ(shownPanels, 10) << "interval, its two labels and seven weekdays";
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(recurrence, 1691)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(recurrence, 1692)));
  // A series' date texts stand where the date pickers are, shown only instead of them.
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(appointment, 1013)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(appointment, 1018)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(appointment, 1019)));
  DestroyWindow(recurrence);
  DestroyWindow(appointment);
}

INT_PTR PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  static std::u16string* answer = nullptr;
  if (message == WM_INITDIALOG) {
    answer = reinterpret_cast<std::u16string*>(lParam);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    if (LOWORD(wParam) == IDOK) {
      WCHAR text[64] = {};
      GetDlgItemTextW(dialog, 1941, text, 64);
      *answer = text;
    }
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

TEST_F(DialogTemplateTest, APersonFillsTheTextPrompt) {
  ScriptedUser user;
  user.ExpectDialog(500).Type(1941, u"Weekly review").Click(IDOK);
  std::u16string answer;
  EXPECT_EQ(
      DialogBoxParamW(module_, MAKEINTRESOURCEW(500), editor_, PromptProc, reinterpret_cast<LPARAM>(&answer)),
      IDOK);
  EXPECT_EQ(answer, u"Weekly review");
}

TEST_F(DialogTemplateTest, UnknownTemplateFails) {
  SetLastError(0);
  EXPECT_EQ(CreateDialogParamW(module_, MAKEINTRESOURCEW(528), editor_, QuietProc, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
}

}  // namespace
