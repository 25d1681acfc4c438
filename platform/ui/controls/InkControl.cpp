#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"

namespace platform::ui {

namespace {

constexpr size_t kTextLimit = 1 << 20;
// The id of the rich-ink child inside its ink control.
constexpr int kRichInkId = 1;

// ---- The rich-ink window: text and links ----

struct RichInkState : ControlState {
  size_t selStart = 0;
  size_t selEnd = 0;
  bool modified = false;
  std::vector<platform::RichInkLink> links;
};

struct RichInk {
  HWND window = nullptr;
  std::shared_ptr<WindowObject> object;
  RichInkState* state = nullptr;

  static RichInk Of(HWND window) {
    RichInk ink{window, WindowManager::Current().Find(window), nullptr};
    if (ink.object && IsClass(window, WC_RICHINK)) ink.state = ControlStateOf<RichInkState>(window);
    return ink;
  }
  explicit operator bool() const { return state != nullptr; }

  void Clamp() {
    state->selStart = std::min(state->selStart, object->text.size());
    state->selEnd = std::min(state->selEnd, object->text.size());
    if (state->selStart > state->selEnd) std::swap(state->selStart, state->selEnd);
  }

  // Replaces the selection; links inside it go, links after it move along. Returns where the new
  // text starts.
  size_t Replace(const std::u16string& text) {
    Clamp();
    size_t start = state->selStart;
    size_t end = state->selEnd;
    auto& links = state->links;
    links.erase(std::remove_if(links.begin(), links.end(),
                               [&](const platform::RichInkLink& link) {
                                 return link.position < end && link.position + link.text.size() > start;
                               }),
                links.end());
    for (auto& link : links) {
      if (link.position >= end) link.position = link.position - (end - start) + text.size();
    }
    object->text.replace(start, end - start, text);
    state->selStart = state->selEnd = start + text.size();
    return start;
  }

  void Changed() {
    state->modified = true;
    NotifyParentCommand(window, EN_CHANGE);
  }

  void Type(char16_t c) {
    std::u16string text(1, c);
    if (c == u'\r') text = u"\r\n";
    if (c == u'\b') {
      Clamp();
      if (state->selStart == state->selEnd && state->selStart > 0) --state->selStart;
      text.clear();
      if (state->selStart == state->selEnd) return;
    }
    Replace(text);
    Changed();
  }
};

LRESULT InsertLink(RichInk& ink, const RICHINKLINKW* link) {
  if (!link || !link->pszText || !*link->pszText) return FALSE;
  std::u16string text(TextView(link->pszText, kTextLimit));
  std::u16string target(TextView(link->pszTarget, kTextLimit));
  size_t position = ink.Replace(text);
  auto& links = ink.state->links;
  auto at = std::find_if(links.begin(), links.end(),
                         [&](const platform::RichInkLink& other) { return other.position > position; });
  links.insert(at, platform::RichInkLink{text, target, position});
  ink.Changed();
  return TRUE;
}

LRESULT RichInkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  RichInk ink = RichInk::Of(window);
  if (!ink) return DefWindowProcW(window, message, wParam, lParam);
  RichInkState& state = *ink.state;
  switch (message) {
    case WM_SETTEXT:
      ink.object->text = TextView(reinterpret_cast<LPCWSTR>(lParam), kTextLimit);
      state.selStart = state.selEnd = 0;
      state.links.clear();
      state.modified = false;
      return TRUE;
    case WM_CHAR:
      ink.Type(static_cast<char16_t>(wParam));
      return 0;
    case EM_REPLACESEL:
      ink.Replace(std::u16string(TextView(reinterpret_cast<LPCWSTR>(lParam), kTextLimit)));
      ink.Changed();
      return 0;
    case EM_GETSEL:
      ink.Clamp();
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(state.selStart);
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(state.selEnd);
      return MAKELRESULT(static_cast<WORD>(state.selStart), static_cast<WORD>(state.selEnd));
    case EM_SETSEL: {
      size_t length = ink.object->text.size();
      if (static_cast<LPARAM>(wParam) == -1) {
        state.selStart = state.selEnd = std::min(state.selEnd, length);
        return 0;
      }
      state.selStart = std::min<size_t>(wParam, length);
      state.selEnd = lParam < 0 ? length : std::min(static_cast<size_t>(lParam), length);
      ink.Clamp();
      return 0;
    }
    case EM_GETMODIFY:
      return state.modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      state.modified = wParam != 0;
      return 0;
    case EM_INSERTLINK:
      return InsertLink(ink, reinterpret_cast<const RICHINKLINKW*>(lParam));
    case EM_GETLINKCOUNT:
      return static_cast<LRESULT>(state.links.size());
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_EMU_DESCRIBE: {
      auto* text = reinterpret_cast<std::u16string*>(lParam);
      if (text && !state.links.empty()) *text += u" links=" + FromUtf8(std::to_string(state.links.size()));
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// ---- The ink control ----

struct InkState : ControlState {
  std::vector<BYTE> data;
  WPARAM mode = IM_INPUT_INK;
  WPARAM zoom = IM_ZOOM_DEFAULT;
  WPARAM view = IM_VIEW_WRITING;
  bool modified = false;
  HWND rich = nullptr;
};

struct Ink {
  HWND window = nullptr;
  std::shared_ptr<WindowObject> object;
  InkState* state = nullptr;

  static Ink Of(HWND window) {
    Ink ink{window, WindowManager::Current().Find(window), nullptr};
    if (ink.object && IsClass(window, WC_INKX)) ink.state = ControlStateOf<InkState>(window);
    return ink;
  }
  explicit operator bool() const { return state != nullptr; }
};

LRESULT SetData(Ink& ink, WPARAM size, LPARAM bytes) {
  if (size > 0 && !bytes) return FALSE;
  auto* first = reinterpret_cast<const BYTE*>(bytes);
  ink.state->data.assign(first, first + size);
  ink.state->modified = false;
  return TRUE;
}

LRESULT GetData(Ink& ink, WPARAM size, LPARAM buffer) {
  const auto& data = ink.state->data;
  if (!buffer || size < data.size()) return FALSE;
  if (!data.empty()) std::memcpy(reinterpret_cast<BYTE*>(buffer), data.data(), data.size());
  return TRUE;
}

LRESULT InkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Ink ink = Ink::Of(window);
  if (!ink) return DefWindowProcW(window, message, wParam, lParam);
  InkState& state = *ink.state;
  switch (message) {
    case WM_CREATE: {
      RECT rect{};
      GetClientRect(window, &rect);
      state.rich = CreateWindowExW(
          0, WC_RICHINK, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, rect.right, rect.bottom, window,
          reinterpret_cast<HMENU>(static_cast<intptr_t>(kRichInkId)), nullptr, nullptr);
      return state.rich ? 0 : -1;
    }
    case WM_SIZE:
      if (IsWindow(state.rich))
        MoveWindow(state.rich, 0, 0, LOWORD(static_cast<uintptr_t>(lParam)),
                   HIWORD(static_cast<uintptr_t>(lParam)), FALSE);
      return 0;
    case WM_COMMAND:
      // The typed text changed: the note is modified, and its owner hears of it.
      if (reinterpret_cast<HWND>(lParam) == state.rich && HIWORD(wParam) == EN_CHANGE) {
        state.modified = true;
        NotifyParentCommand(window, EN_CHANGE);
      }
      return 0;
    case IM_SETDATA:
      return SetData(ink, wParam, lParam);
    case IM_GETDATALEN:
      return static_cast<LRESULT>(state.data.size());
    case IM_GETDATA:
      return GetData(ink, wParam, lParam);
    case IM_SETINPUTMODE:
      if (wParam != IM_INPUT_INK && wParam != IM_INPUT_TYPING && wParam != IM_INPUT_SELECT) return FALSE;
      state.mode = wParam;
      return TRUE;
    case IM_GETINPUTMODE:
      return static_cast<LRESULT>(state.mode);
    case IM_SETZOOM:
      if (wParam < IM_ZOOM_MIN || wParam > IM_ZOOM_MAX) return FALSE;
      state.zoom = wParam;
      return TRUE;
    case IM_GETZOOM:
      return static_cast<LRESULT>(state.zoom);
    case IM_SETVIEW:
      if (wParam != IM_VIEW_WRITING && wParam != IM_VIEW_DRAWING) return FALSE;
      state.view = wParam;
      return TRUE;
    case IM_GETVIEW:
      return static_cast<LRESULT>(state.view);
    case IM_GETMODIFY:
      return state.modified ? TRUE : FALSE;
    case IM_SETMODIFY:
      state.modified = wParam != 0;
      return TRUE;
    case IM_GETRICHWND:
      return reinterpret_cast<LRESULT>(state.rich);
    case IM_CLEARALL:
      state.data.clear();
      if (IsWindow(state.rich)) SendMessageW(state.rich, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u""));
      state.modified = false;
      return TRUE;
    case WM_EMU_DESCRIBE: {
      auto* text = reinterpret_cast<std::u16string*>(lParam);
      if (!text) return 0;
      *text += u" ink=" + FromUtf8(std::to_string(state.data.size()));
      *text += u" zoom=" + FromUtf8(std::to_string(state.zoom));
      if (state.modified) *text += u" modified";
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterInkControls() {
  RegisterSystemClass(WC_RICHINK, RichInkProc);
  RegisterSystemClass(WC_INKX, InkProc);
}

}  // namespace platform::ui

BOOL InitInkX() {
  platform::ui::RegisterSystemClasses();
  return TRUE;
}

BOOL InitRichInkDLL() {
  platform::ui::RegisterSystemClasses();
  return TRUE;
}

namespace platform {

std::vector<RichInkLink> RichInkLinks(HWND window) {
  ui::RichInk ink = ui::RichInk::Of(window);
  return ink ? ink.state->links : std::vector<RichInkLink>();
}

}  // namespace platform
