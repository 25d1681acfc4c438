#include "hosts/calyra/StepPerformer.h"

#include "hosts/calyra/WindowSearch.h"
#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/shell/Shell.h"

namespace calyra::host {

namespace {

bool MenuHolds(HMENU menu, UINT command) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      if (MenuHolds(sub, command)) return true;
    } else if (GetMenuItemID(menu, i) == command) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string StepPerformer::Describe(HWND window) {
  WCHAR caption[128] = {};
  GetWindowTextW(window, caption, 128);
  std::string kind = platform::IsModelessDialog(window) ? "page " : "dialog ";
  return kind + std::to_string(platform::DialogTemplateId(window)) + " \"" + platform::ToUtf8(caption) + "\"";
}

bool StepPerformer::Perform(const ScriptStep& step, HWND dialog, std::string* error) {
  HWND target = dialog ? dialog : session_.VisiblePage();
  bool done = false;
  switch (step.kind) {
    case StepKind::kOk:
    case StepKind::kCancel: {
      bool ok = step.kind == StepKind::kOk;
      if (dialog) {
        int id = ok ? IDOK : IDCANCEL;
        HWND button = GetDlgItem(dialog, id);
        // A dialog without the button has it in its title bar.
        done = button ? platform::UserClick(button)
                      : PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), 0);
        if (!done) *error = "the OK or Cancel of " + Describe(dialog) + " cannot be pressed";
        return done;
      }
      if (!session_.EditorOpen()) {
        *error = "no editor is open";
        return false;
      }
      done = ok ? session_.PressOk() : session_.PressCancel();
      if (!done) *error = "the editor has nothing to press";
      return done;
    }
    case StepKind::kDump:
      std::fprintf(out_, "%s", platform::DumpWindowTree(target ? target : session_.MainWindow()).c_str());
      return true;
    default:
      break;
  }
  if (target == nullptr) {
    *error = session_.EditorOpen() ? "the editor shows no page" : "no editor is open";
    return false;
  }
  switch (step.kind) {
    case StepKind::kTab:
      done = SelectTab(dialog ? FindDescendant(dialog, [](HWND w) { return HasClass(w, kTabControlClass); })
                              : session_.Tabs(),
                       step.id, error);
      break;
    case StepKind::kMenu:
      done = PressMenu(target, step.id, error);
      break;
    case StepKind::kExpectPage:
      done = platform::DialogTemplateId(target) == step.id || FindControl(target, step.id) != nullptr;
      if (!done)
        *error =
            "the page in front is " + Describe(target) + ", which has no control " + std::to_string(step.id);
      break;
    default:
      done = PerformInControl(step, target, error);
      break;
  }
  if (dialog == nullptr) session_.Pump();
  return done;
}

bool StepPerformer::PerformInControl(const ScriptStep& step, HWND target, std::string* error) {
  HWND control = step.kind == StepKind::kKey && step.id == 0 ? target : FindControl(target, step.id);
  if (control == nullptr) {
    *error = "no control " + std::to_string(step.id) + " on " + Describe(target);
    return false;
  }
  bool done = false;
  switch (step.kind) {
    case StepKind::kType:
      done = platform::UserType(control, step.text);
      break;
    case StepKind::kClick:
      done = platform::UserClick(control);
      break;
    case StepKind::kDraw:
      done = platform::UserDrawStroke(control, step.points);
      break;
    case StepKind::kCheck: {
      bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
      done = checked == (step.value != 0) || platform::UserClick(control);
      if (done && (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) != (step.value != 0)) {
        *error = "control " + std::to_string(step.id) + " did not change its check";
        return false;
      }
      break;
    }
    case StepKind::kChoose:
      done = platform::UserChoose(control, step.value);
      break;
    case StepKind::kChooseText:
      done = platform::UserChooseText(control, step.text);
      break;
    case StepKind::kCheckRow:
      done = platform::UserSetListViewCheck(control, step.value, step.text == u"on");
      break;
    case StepKind::kDate:
      done = platform::UserPickDate(control, step.date ? &*step.date : nullptr);
      break;
    case StepKind::kKey:
      if (control != target) SetFocus(control);
      done = platform::UserPressKey(control, static_cast<WPARAM>(step.value));
      break;
    default:
      *error = "not a step for a control";
      return false;
  }
  if (!done) {
    *error = "control " + std::to_string(step.id) + " on " + Describe(target) +
             " does not take it (hidden, disabled, read-only, or no such item)";
  }
  return done;
}

bool StepPerformer::PressMenu(HWND target, int command, std::string* error) {
  HWND bar = SHFindMenuBar(target);
  if (bar == nullptr && target == session_.VisiblePage()) bar = SHFindMenuBar(session_.MainWindow());
  if (bar == nullptr) {
    *error = Describe(target) + " has no menu bar";
    return false;
  }
  if (SendMessageW(bar, TB_GETSTATE, static_cast<WPARAM>(command), 0) != -1) {
    if (platform::UserPressMenuBarButton(bar, command)) return true;
    *error = "the menu bar button " + std::to_string(command) + " is disabled";
    return false;
  }
  // A command inside one of the buttons' menus: open that menu and pick the command in it.
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETMENU, 0, 0));
  int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    HMENU sub = GetSubMenu(menu, i);
    if (sub && MenuHolds(sub, static_cast<UINT>(command))) {
      choosePopup_(static_cast<UINT>(command));
      if (platform::UserPressMenuBarButton(bar, i)) return true;
      *error = "the menu bar button that holds " + std::to_string(command) + " is disabled";
      return false;
    }
  }
  *error = "the menu bar of " + Describe(target) + " has no command " + std::to_string(command);
  return false;
}

bool StepPerformer::SelectTab(HWND tabs, int index, std::string* error) {
  if (tabs == nullptr) {
    *error = "there is no tab control";
    return false;
  }
  if (TabCtrl_GetCurSel(tabs) == index) return true;
  if (index < 0 || index >= TabCtrl_GetItemCount(tabs)) {
    *error = "there is no tab " + std::to_string(index) + " (the editor has " +
             std::to_string(TabCtrl_GetItemCount(tabs)) + ")";
    return false;
  }
  if (platform::UserSelectTab(tabs, index)) return true;
  *error = "the page refused to give way to tab " + std::to_string(index);
  return false;
}

}  // namespace calyra::host
