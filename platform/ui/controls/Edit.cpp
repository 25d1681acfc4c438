#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

// The platform's default limit of what a person may type into an edit control.
constexpr size_t kDefaultLimit = 30000;

struct EditState : ControlState {
  size_t limit = kDefaultLimit;
  size_t selStart = 0;
  size_t selEnd = 0;
  bool modified = false;
  bool softBreaks = false;  // EM_FMTLINES: only kept, the text is never changed
  int leftMargin = 0;
  int rightMargin = 0;
};

struct Edit {
  HWND window;
  WindowObject& object;
  EditState& state;

  DWORD Style() const { return object.style; }
  bool Multiline() const { return Style() & ES_MULTILINE; }

  void ClampSelection() {
    state.selStart = std::min(state.selStart, object.text.size());
    state.selEnd = std::min(state.selEnd, object.text.size());
    if (state.selStart > state.selEnd) std::swap(state.selStart, state.selEnd);
  }

  void Changed() {
    state.modified = true;
    NotifyParentCommand(window, EN_UPDATE);
    NotifyParentCommand(window, EN_CHANGE);
  }

  // Inserts text at the selection, cut at the limit; true when anything changed.
  bool ReplaceSelection(std::u16string text) {
    ClampSelection();
    size_t kept = object.text.size() - (state.selEnd - state.selStart);
    size_t room = state.limit > kept ? state.limit - kept : 0;
    bool cut = text.size() > room;
    if (cut) text.resize(room);
    if (cut) NotifyParentCommand(window, EN_MAXTEXT);
    if (text.empty() && state.selStart == state.selEnd) return false;
    object.text.replace(state.selStart, state.selEnd - state.selStart, text);
    state.selStart = state.selEnd = state.selStart + text.size();
    return true;
  }

  // A character typed by the person: case styles, digits only, capitalising of CAPEDIT.
  void Type(char16_t c) {
    if (Style() & ES_READONLY) {
      MessageBeep(0);
      return;
    }
    std::u16string text(1, c);
    if (c == u'\r') {
      if (!Multiline()) return;
      text = u"\r\n";
    } else if (c == u'\b') {
      if (state.selStart == state.selEnd && state.selStart > 0) --state.selStart;
      text.clear();
    } else if ((Style() & ES_NUMBER) && (c < u'0' || c > u'9')) {
      MessageBeep(0);
      return;
    }
    if (Style() & ES_UPPERCASE) text = Upper(text);
    if (Style() & ES_LOWERCASE) text = platform::FoldCase(text);
    if (IsClass(window, WC_CAPEDIT) && StartsWord()) text = Upper(text);
    if (ReplaceSelection(text)) Changed();
  }

  bool StartsWord() {
    ClampSelection();
    return state.selStart == 0 || object.text[state.selStart - 1] == u' ' ||
           object.text[state.selStart - 1] == u'\n';
  }

  // A multi-line edit without ES_AUTOHSCROLL wraps its lines at its width less the margins, in its
  // font, as DrawTextW wraps words.
  LRESULT LineCount() const {
    if (!Multiline()) return 1;
    LONG width = object.rect.right - object.rect.left - state.leftMargin - state.rightMargin;
    if ((Style() & ES_AUTOHSCROLL) || width <= 0 || object.text.empty()) {
      return 1 + std::count(object.text.begin(), object.text.end(), u'\n');
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (object.font) SelectObject(dc, object.font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT rect{0, 0, width, 0};
    int height = DrawTextW(dc, object.text.c_str(), static_cast<int>(object.text.size()), &rect,
                           DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    DeleteDC(dc);
    return metrics.tmHeight > 0 ? std::max<LRESULT>(1, height / metrics.tmHeight) : 1;
  }

  static std::u16string Upper(std::u16string text) {
    for (char16_t& c : text) {
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return text;
  }
};

LRESULT SetSelection(Edit& edit, WPARAM start, LPARAM end) {
  auto length = static_cast<LPARAM>(edit.object.text.size());
  if (static_cast<LPARAM>(start) == -1) {
    edit.state.selStart = edit.state.selEnd =
        static_cast<size_t>(std::min<LPARAM>(length, edit.state.selEnd));
    return 0;
  }
  edit.state.selStart = std::min<size_t>(start, edit.object.text.size());
  edit.state.selEnd =
      end < 0 ? edit.object.text.size() : std::min<size_t>(static_cast<size_t>(end), edit.object.text.size());
  edit.ClampSelection();
  return 0;
}

LRESULT HandleEdit(Edit& edit, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      edit.object.text = TextView(reinterpret_cast<LPCWSTR>(lParam), 32767);
      edit.state.selStart = edit.state.selEnd = 0;
      edit.state.modified = false;
      if (!edit.Multiline()) NotifyParentCommand(edit.window, EN_CHANGE);
      return TRUE;
    case WM_CHAR:
      edit.Type(static_cast<char16_t>(wParam));
      return 0;
    case WM_CLEAR:
      if (!(edit.Style() & ES_READONLY) && edit.ReplaceSelection(u"")) edit.Changed();
      return 0;
    case EM_REPLACESEL:
      if (edit.ReplaceSelection(std::u16string(TextView(reinterpret_cast<LPCWSTR>(lParam), 32767))))
        edit.Changed();
      return 0;
    case EM_GETSEL:
      edit.ClampSelection();
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(edit.state.selStart);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(edit.state.selEnd);
      return MAKELRESULT(static_cast<WORD>(edit.state.selStart), static_cast<WORD>(edit.state.selEnd));
    case EM_SETSEL:
      return SetSelection(edit, wParam, lParam);
    case EM_LIMITTEXT:
      edit.state.limit = wParam ? wParam : kDefaultLimit;
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(edit.state.limit);
    case EM_GETMODIFY:
      return edit.state.modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      edit.state.modified = wParam != 0;
      return 0;
    case EM_SETREADONLY:
      edit.object.style = wParam ? edit.object.style | ES_READONLY : edit.object.style & ~ES_READONLY;
      return TRUE;
    case EM_GETLINECOUNT:
      return edit.LineCount();
    case EM_FMTLINES:
      edit.state.softBreaks = wParam != 0;
      return wParam != 0;
    case EM_SETMARGINS:
      if (wParam & EC_LEFTMARGIN) edit.state.leftMargin = LOWORD(lParam);
      if (wParam & EC_RIGHTMARGIN) edit.state.rightMargin = HIWORD(lParam);
      return 0;
    case EM_GETMARGINS:
      return MAKELRESULT(static_cast<WORD>(edit.state.leftMargin), static_cast<WORD>(edit.state.rightMargin));
    case EM_SCROLLCARET:
    case EM_CANUNDO:
      return 0;
    case WM_SETFOCUS:
      NotifyParentCommand(edit.window, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      NotifyParentCommand(edit.window, EN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return edit.Multiline() ? DLGC_WANTALLKEYS : 0;
    case WM_PAINT:
      paint::PaintEdit(edit.window);
      return 0;
    case WM_EMU_DESCRIBE:
      if (edit.Style() & ES_READONLY) *reinterpret_cast<std::u16string*>(lParam) += u" read-only";
      return 0;
    default:
      return DefWindowProcW(edit.window, message, wParam, lParam);
  }
}

LRESULT EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto object = WindowManager::Current().Find(window);
  auto* state = ControlStateOf<EditState>(window);
  if (!object || !state) return 0;
  Edit edit{window, *object, *state};
  return HandleEdit(edit, message, wParam, lParam);
}

}  // namespace

void RegisterEdit() {
  RegisterSystemClass(WC_EDIT, EditProc);
  RegisterSystemClass(WC_CAPEDIT, EditProc);
}

}  // namespace platform::ui
