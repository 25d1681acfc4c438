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

struct ListBoxState : ControlState {
  ListStore list;
};

bool MultipleSelection(HWND window) {
  return GetWindowLongW(window, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
}

LRESULT SetCurrent(HWND window, ListStore& list, WPARAM index) {
  if (MultipleSelection(window)) return LB_ERR;
  list.current = list.Valid(index) ? static_cast<LRESULT>(index) : -1;
  return list.current == -1 && index != static_cast<WPARAM>(-1) ? LB_ERR : list.current;
}

LRESULT SetSelected(ListStore& list, WPARAM select, LPARAM index) {
  if (index == -1) {
    for (LRESULT i = 0; i < list.Count(); ++i) list.At(static_cast<WPARAM>(i)).selected = select != 0;
    return 0;
  }
  if (!list.Valid(static_cast<WPARAM>(index))) return LB_ERR;
  list.At(static_cast<WPARAM>(index)).selected = select != 0;
  return 0;
}

LRESULT SelectedCount(HWND window, const ListStore& list) {
  if (!MultipleSelection(window)) return LB_ERR;
  LRESULT count = 0;
  for (LRESULT i = 0; i < list.Count(); ++i) count += list.At(static_cast<WPARAM>(i)).selected ? 1 : 0;
  return count;
}

void Describe(const ListStore& list, std::u16string* text) {
  for (LRESULT i = 0; i < list.Count(); ++i) {
    const auto& item = list.At(static_cast<WPARAM>(i));
    *text += (i == list.current || item.selected) ? u" *" : u" ";
    *text += u"\"" + item.text + u"\"";
  }
}

LRESULT ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = ControlStateOf<ListBoxState>(window);
  if (!state) return 0;
  ListStore& list = state->list;
  auto text = [lParam] { return std::u16string(TextView(reinterpret_cast<LPCWSTR>(lParam), 32767)); };
  switch (message) {
    case LB_ADDSTRING:
      return list.Add(text(), GetWindowLongW(window, GWL_STYLE) & LBS_SORT);
    case LB_INSERTSTRING:
      return list.Insert(static_cast<LRESULT>(wParam), text());
    case LB_DELETESTRING:
      return list.Delete(wParam);
    case LB_RESETCONTENT:
      list.Clear();
      return 0;
    case LB_GETCOUNT:
      return list.Count();
    case LB_GETCURSEL:
      return list.current;
    case LB_SETCURSEL:
      return SetCurrent(window, list, wParam);
    case LB_SETSEL:
      return MultipleSelection(window) ? SetSelected(list, wParam, lParam) : LB_ERR;
    case LB_GETSEL:
      if (!list.Valid(wParam)) return LB_ERR;
      return MultipleSelection(window) ? list.At(wParam).selected
                                       : static_cast<LRESULT>(wParam) == list.current;
    case LB_GETSELCOUNT:
      return SelectedCount(window, list);
    case LB_GETTEXTLEN:
      return list.Valid(wParam) ? static_cast<LRESULT>(list.At(wParam).text.size()) : LB_ERR;
    case LB_GETTEXT: {
      if (!list.Valid(wParam) || !lParam) return LB_ERR;
      const std::u16string& item = list.At(wParam).text;
      // The platform's caller sizes the buffer from LB_GETTEXTLEN.
      return static_cast<LRESULT>(BoundedCopy(reinterpret_cast<LPWSTR>(lParam), item.size() + 1, item));
    }
    case LB_GETITEMDATA:
      return list.Valid(wParam) ? list.At(wParam).data : LB_ERR;
    case LB_SETITEMDATA:
      if (!list.Valid(wParam)) return LB_ERR;
      list.At(wParam).data = lParam;
      return TRUE;
    case LB_FINDSTRING:
      return list.Find(wParam, text(), false);
    case LB_FINDSTRINGEXACT:
      return list.Find(wParam, text(), true);
    case LB_SELECTSTRING: {
      LRESULT found = list.Find(wParam, text(), false);
      if (found >= 0) list.current = found;
      return found;
    }
    case WM_PAINT:
      paint::PaintListBox(window);
      return 0;
    case WM_EMU_DESCRIBE:
      Describe(list, reinterpret_cast<std::u16string*>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterListBox() {
  RegisterSystemClass(WC_LISTBOX, ListBoxProc);
  RegisterComboBox();
}

}  // namespace platform::ui
