#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

struct ButtonState : ControlState {
  UINT check = BST_UNCHECKED;
  bool pushed = false;
};

DWORD Kind(HWND window) {
  return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & BS_TYPEMASK;
}

bool IsRadio(HWND window) {
  DWORD kind = Kind(window);
  return IsClass(window, WC_BUTTON) && (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON);
}

// Unchecks the other automatic radio buttons of the group: from the window with WS_GROUP before
// this one to the next window with WS_GROUP.
void UncheckGroup(HWND button) {
  HWND first = button;
  while (!(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
    HWND previous = GetWindow(first, GW_HWNDPREV);
    if (!previous) break;
    first = previous;
  }
  for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != first && (GetWindowLongW(sibling, GWL_STYLE) & WS_GROUP)) break;
    if (sibling != button && IsRadio(sibling)) SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Click(HWND window) {
  if (!IsWindowEnabled(window)) return;
  auto* state = ControlStateOf<ButtonState>(window);
  switch (Kind(window)) {
    case BS_AUTOCHECKBOX:
      state->check = state->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
      break;
    case BS_AUTO3STATE:
      state->check = (state->check + 1) % 3;
      break;
    case BS_AUTORADIOBUTTON:
      state->check = BST_CHECKED;
      UncheckGroup(window);
      break;
    default:
      break;
  }
  NotifyParentCommand(window, BN_CLICKED);
}

void Describe(HWND window, std::u16string* text) {
  auto* state = ControlStateOf<ButtonState>(window);
  DWORD kind = Kind(window);
  if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_GROUPBOX || kind == BS_OWNERDRAW) {
    if (kind == BS_DEFPUSHBUTTON) *text += u" default";
    return;
  }
  *text += state->check == BST_CHECKED ? u" [x]" : state->check == BST_INDETERMINATE ? u" [?]" : u" [ ]";
}

LRESULT ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = ControlStateOf<ButtonState>(window);
  if (!state) return 0;
  switch (message) {
    case BM_GETCHECK:
      return state->check;
    case BM_SETCHECK: {
      DWORD kind = Kind(window);
      bool threeState = kind == BS_3STATE || kind == BS_AUTO3STATE;
      state->check = wParam == BST_INDETERMINATE && !threeState ? BST_CHECKED : static_cast<UINT>(wParam & 3);
      return 0;
    }
    case BM_GETSTATE:
      return state->check | (state->pushed ? BST_PUSHED : 0) | (GetFocus() == window ? BST_FOCUS : 0);
    case BM_SETSTATE:
      state->pushed = wParam != 0;
      return 0;
    case BM_SETSTYLE:
      SetWindowLongW(
          window, GWL_STYLE,
          static_cast<LONG>((GetWindowLongW(window, GWL_STYLE) & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK)));
      return 0;
    case BM_CLICK:
      Click(window);
      return 0;
    case WM_LBUTTONUP:
      Click(window);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | (Kind(window) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : 0);
    case WM_PAINT:
      paint::PaintButton(window);
      return 0;
    case WM_EMU_DESCRIBE:
      Describe(window, reinterpret_cast<std::u16string*>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterButton() {
  RegisterSystemClass(WC_BUTTON, ButtonProc);
}

}  // namespace platform::ui
