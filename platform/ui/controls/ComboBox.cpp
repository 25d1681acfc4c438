#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/ListStore.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

struct ComboBoxState : ControlState {
  ListStore list;
  bool dropped = false;
  size_t limit = 30000;
};

bool IsDropDownList(HWND window) {
  return (GetWindowLongW(window, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
}

// The selection shows in the combo box's own text.
void ShowCurrent(HWND window, ComboBoxState& state) {
  auto object = WindowManager::Current().Find(window);
  if (!object) return;
  object->text = state.list.Valid(static_cast<WPARAM>(state.list.current))
                     ? state.list.At(static_cast<WPARAM>(state.list.current)).text
                     : u"";
}

LRESULT SetCurrent(HWND window, ComboBoxState& state, WPARAM index) {
  state.list.current = state.list.Valid(index) ? static_cast<LRESULT>(index) : -1;
  ShowCurrent(window, state);
  return state.list.current == -1 && index != static_cast<WPARAM>(-1) ? CB_ERR : state.list.current;
}

LRESULT ShowDropDown(HWND window, ComboBoxState& state, bool show) {
  if (state.dropped == show) return TRUE;
  state.dropped = show;
  NotifyParentCommand(window, show ? CBN_DROPDOWN : CBN_CLOSEUP);
  return TRUE;
}

LRESULT ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = ControlStateOf<ComboBoxState>(window);
  if (!state) return 0;
  ListStore& list = state->list;
  auto text = [lParam] { return std::u16string(TextView(reinterpret_cast<LPCWSTR>(lParam), 32767)); };
  switch (message) {
    case CB_ADDSTRING:
      return list.Add(text(), GetWindowLongW(window, GWL_STYLE) & CBS_SORT);
    case CB_INSERTSTRING:
      return list.Insert(static_cast<LRESULT>(wParam), text());
    case CB_DELETESTRING: {
      LRESULT left = list.Delete(wParam);
      ShowCurrent(window, *state);
      return left;
    }
    case CB_RESETCONTENT:
      list.Clear();
      ShowCurrent(window, *state);
      return CB_OKAY;
    case CB_GETCOUNT:
      return list.Count();
    case CB_GETCURSEL:
      return list.current;
    case CB_SETCURSEL:
      return SetCurrent(window, *state, wParam);
    case CB_GETLBTEXTLEN:
      return list.Valid(wParam) ? static_cast<LRESULT>(list.At(wParam).text.size()) : CB_ERR;
    case CB_GETLBTEXT: {
      if (!list.Valid(wParam) || !lParam) return CB_ERR;
      const std::u16string& item = list.At(wParam).text;
      return static_cast<LRESULT>(BoundedCopy(reinterpret_cast<LPWSTR>(lParam), item.size() + 1, item));
    }
    case CB_GETITEMDATA:
      return list.Valid(wParam) ? list.At(wParam).data : CB_ERR;
    case CB_SETITEMDATA:
      if (!list.Valid(wParam)) return CB_ERR;
      list.At(wParam).data = lParam;
      return CB_OKAY;
    case CB_FINDSTRING:
      return list.Find(wParam, text(), false);
    case CB_FINDSTRINGEXACT:
      return list.Find(wParam, text(), true);
    case CB_SELECTSTRING: {
      LRESULT found = list.Find(wParam, text(), false);
      if (found >= 0) SetCurrent(window, *state, static_cast<WPARAM>(found));
      return found;
    }
    case CB_SHOWDROPDOWN:
      return ShowDropDown(window, *state, wParam != 0);
    case CB_GETDROPPEDSTATE:
      return state->dropped ? TRUE : FALSE;
    case CB_LIMITTEXT:
      state->limit = wParam ? wParam : 30000;
      return TRUE;
    case WM_SETTEXT:
      if (IsDropDownList(window)) return CB_ERR;
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_SETFOCUS:
      NotifyParentCommand(window, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      NotifyParentCommand(window, CBN_KILLFOCUS);
      return 0;
    case WM_PAINT:
      paint::PaintComboBox(window);
      return 0;
    case WM_EMU_DESCRIBE: {
      auto* out = reinterpret_cast<std::u16string*>(lParam);
      *out += u" items=" + FromUtf8(std::to_string(list.Count()));
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterComboBox() {
  RegisterSystemClass(WC_COMBOBOX, ComboBoxProc);
}

}  // namespace platform::ui
