#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/InkBlob.h"
#include "platform/ui/controls/RichInkContent.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

// The id of the rich-ink child inside its ink control.
constexpr int kRichInkId = 1;
// How much of the text a window dump shows.
constexpr size_t kDescribedChars = 60;

// The ink control: the pen strokes and the control's settings; the typed part lives in the rich-ink
// child, and the blob is made from both whenever it is asked for.
struct InkState : ControlState {
  std::vector<InkStroke> strokes;
  size_t points = 0;
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

  InkContent Content() const {
    InkContent content;
    GetRichInkContent(state->rich, &content);
    content.strokes = state->strokes;
    return content;
  }
  void Clear() {
    state->strokes.clear();
    state->points = 0;
    if (IsWindow(state->rich)) SetRichInkContent(state->rich, InkContent());
    state->modified = false;
  }
  void Changed() {
    state->modified = true;
    NotifyParentCommand(window, EN_CHANGE);
  }
};

bool IsPenMode(WPARAM mode) {
  return mode == IM_INPUT_INK || mode == IM_INPUT_DRAWING;
}

// A blob that cannot be read leaves the control empty.
LRESULT SetData(Ink& ink, WPARAM size, LPARAM bytes) {
  std::optional<InkContent> content;
  if (size == 0 || bytes) content = ReadInkBlob(reinterpret_cast<const uint8_t*>(bytes), size);
  ink.Clear();
  if (!content) return FALSE;
  SetRichInkContent(ink.state->rich, *content);
  for (const InkStroke& stroke : content->strokes) ink.state->points += stroke.points.size();
  ink.state->strokes = std::move(content->strokes);
  return TRUE;
}

LRESULT GetData(Ink& ink, WPARAM size, LPARAM buffer) {
  std::vector<uint8_t> blob = WriteInkBlob(ink.Content());
  if (!buffer || size < blob.size()) return FALSE;
  if (!blob.empty()) std::memcpy(reinterpret_cast<BYTE*>(buffer), blob.data(), blob.size());
  return TRUE;
}

// A stroke drawn with the pen: only in a pen mode, and only within the bounds of the blob.
LRESULT AddStroke(Ink& ink, WPARAM count, LPARAM points) {
  InkState& state = *ink.state;
  if (!IsPenMode(state.mode) || !points || count == 0 || count > kInkStrokeMaxPoints ||
      state.strokes.size() >= kInkStrokeMaxCount || state.points + count > kInkTotalPointsMax) {
    return FALSE;
  }
  const auto* drawn = reinterpret_cast<const POINT*>(points);
  InkStroke stroke;
  for (size_t i = 0; i < count; ++i)
    stroke.points.push_back({static_cast<int32_t>(drawn[i].x), static_cast<int32_t>(drawn[i].y)});
  state.strokes.push_back(std::move(stroke));
  state.points += count;
  ink.Changed();
  return TRUE;
}

void Describe(Ink& ink, std::u16string* text) {
  if (!text) return;
  InkState& state = *ink.state;
  std::u16string typed;
  if (IsWindow(state.rich)) {
    std::u16string all = WindowManager::Current().Find(state.rich)->text;
    for (char16_t c : all.substr(0, kDescribedChars)) {
      if (c == u'\n') continue;
      typed += c == u'\r' ? std::u16string(u"\\n") : std::u16string(1, c);
    }
    if (all.size() > kDescribedChars) typed += u"...";
  }
  *text += u" text=\"" + typed + u"\"";
  *text += u" strokes=" + FromUtf8(std::to_string(state.strokes.size()));
  *text += u" mode=" + FromUtf8(std::to_string(state.mode));
  *text += u" zoom=" + FromUtf8(std::to_string(state.zoom));
  if (state.view != IM_VIEW_WRITING) *text += u" view=" + FromUtf8(std::to_string(state.view));
  if (state.modified) *text += u" modified";
}

// The typing messages go to the rich-ink child, so the control takes typing as an edit does.
bool IsTypingMessage(UINT message) {
  switch (message) {
    case WM_CHAR:
    case WM_CLEAR:
    case EM_GETSEL:
    case EM_SETSEL:
    case EM_REPLACESEL:
    case EM_INSERTLINK:
    case EM_GETCHARFORMAT:
    case EM_SETCHARFORMAT:
      return true;
    default:
      return false;
  }
}

LRESULT SetSetting(WPARAM* setting, WPARAM value, bool valid) {
  if (!valid) return FALSE;
  *setting = value;
  return TRUE;
}

LRESULT InkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Ink ink = Ink::Of(window);
  if (!ink) return DefWindowProcW(window, message, wParam, lParam);
  InkState& state = *ink.state;
  if (IsTypingMessage(message))
    return IsWindow(state.rich) ? SendMessageW(state.rich, message, wParam, lParam) : 0;
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
      if (reinterpret_cast<HWND>(lParam) == state.rich && HIWORD(wParam) == EN_CHANGE) ink.Changed();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case IM_SETDATA:
      return SetData(ink, wParam, lParam);
    case IM_GETDATALEN:
      return static_cast<LRESULT>(WriteInkBlob(ink.Content()).size());
    case IM_GETDATA:
      return GetData(ink, wParam, lParam);
    case IM_ADDSTROKE:
      return AddStroke(ink, wParam, lParam);
    case IM_GETSTROKECOUNT:
      return static_cast<LRESULT>(state.strokes.size());
    case IM_SETINPUTMODE:
      return SetSetting(&state.mode, wParam,
                        IsPenMode(wParam) || wParam == IM_INPUT_TYPING || wParam == IM_INPUT_SELECT);
    case IM_GETINPUTMODE:
      return static_cast<LRESULT>(state.mode);
    case IM_SETZOOM:
      return SetSetting(&state.zoom, wParam, wParam >= IM_ZOOM_MIN && wParam <= IM_ZOOM_MAX);
    case IM_GETZOOM:
      return static_cast<LRESULT>(state.zoom);
    case IM_SETVIEW:
      return SetSetting(&state.view, wParam, wParam == IM_VIEW_WRITING || wParam == IM_VIEW_DRAWING);
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
      ink.Clear();
      return TRUE;
    case WM_PAINT:
      paint::PaintInk(window, state.strokes);
      return 0;
    case WM_EMU_DESCRIBE:
      Describe(ink, reinterpret_cast<std::u16string*>(lParam));
      return 0;
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

std::vector<InkStroke> InkStrokes(HWND ink) {
  ui::Ink control = ui::Ink::Of(ink);
  return control ? control.state->strokes : std::vector<InkStroke>();
}

}  // namespace platform
