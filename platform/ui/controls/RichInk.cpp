#include <algorithm>
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
#include "platform/ui/controls/RichInkContent.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

// The pairs of a format mask bit and the effect bit it governs.
struct EffectBit {
  DWORD mask;
  DWORD effect;
};
constexpr EffectBit kEffectBits[] = {{CFM_BOLD, CFE_BOLD},
                                     {CFM_ITALIC, CFE_ITALIC},
                                     {CFM_UNDERLINE, CFE_UNDERLINE},
                                     {CFM_STRIKEOUT, CFE_STRIKEOUT},
                                     {CFM_HIGHLIGHT, CFE_HIGHLIGHT}};

// The typed part of a note: the window text, one effect word per character, the links.
struct RichInkState : ControlState {
  size_t selStart = 0;
  size_t selEnd = 0;
  bool modified = false;
  std::vector<DWORD> effects;
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
    state->effects.resize(object->text.size());
    state->selStart = std::min(state->selStart, object->text.size());
    state->selEnd = std::min(state->selEnd, object->text.size());
    if (state->selStart > state->selEnd) std::swap(state->selStart, state->selEnd);
  }

  // Replaces the selection; links inside it go, links after it move along. New text is plain and
  // is cut where the text reaches its limit. Returns where the new text starts.
  size_t Replace(std::u16string text) {
    Clamp();
    size_t start = state->selStart;
    size_t end = state->selEnd;
    size_t room = kInkTextMaxChars - (object->text.size() - (end - start));
    if (text.size() > room) text.resize(room);
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
    auto& effects = state->effects;
    effects.erase(effects.begin() + static_cast<ptrdiff_t>(start),
                  effects.begin() + static_cast<ptrdiff_t>(end));
    effects.insert(effects.begin() + static_cast<ptrdiff_t>(start), text.size(), 0);
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

  void SetText(std::u16string text) {
    if (text.size() > kInkTextMaxChars) text.resize(kInkTextMaxChars);
    object->text = std::move(text);
    state->effects.assign(object->text.size(), 0);
    state->selStart = state->selEnd = 0;
    state->links.clear();
    state->modified = false;
  }

  // The characters a format message works on: the selection, or all of them.
  std::pair<size_t, size_t> FormatRange(WPARAM scope) {
    Clamp();
    if (scope & SCF_ALL) return {0, object->text.size()};
    return {state->selStart, state->selEnd};
  }
};

// The effects the range shares; a mask bit is set where every character agrees. An empty range
// reports the character before it.
LRESULT GetCharFormat(RichInk& ink, WPARAM scope, CHARFORMATW* format) {
  if (!format) return 0;
  auto [start, end] = ink.FormatRange(scope);
  const auto& effects = ink.state->effects;
  if (start == end && start > 0) --start;
  format->dwMask = 0;
  format->dwEffects = 0;
  for (const EffectBit& bit : kEffectBits) {
    size_t on = static_cast<size_t>(std::count_if(effects.begin() + static_cast<ptrdiff_t>(start),
                                                  effects.begin() + static_cast<ptrdiff_t>(end),
                                                  [&](DWORD e) { return (e & bit.effect) != 0; }));
    if (on == 0 || on == end - start) format->dwMask |= bit.mask;
    if (on > 0 && on == end - start) format->dwEffects |= bit.effect;
  }
  return static_cast<LRESULT>(format->dwMask);
}

LRESULT SetCharFormat(RichInk& ink, WPARAM scope, const CHARFORMATW* format) {
  if (!format) return FALSE;
  auto [start, end] = ink.FormatRange(scope);
  if (start == end) return FALSE;
  auto& effects = ink.state->effects;
  for (size_t at = start; at < end; ++at) {
    for (const EffectBit& bit : kEffectBits) {
      if (!(format->dwMask & bit.mask)) continue;
      effects[at] = (effects[at] & ~bit.effect) | (format->dwEffects & bit.effect);
    }
  }
  ink.Changed();
  return TRUE;
}

LRESULT InsertLink(RichInk& ink, const RICHINKLINKW* link) {
  if (!link || !link->pszText || !*link->pszText) return FALSE;
  std::u16string text(TextView(link->pszText, kInkTextMaxChars));
  std::u16string target(TextView(link->pszTarget, kInkLinkTargetMaxChars));
  size_t position = ink.Replace(text);
  text.resize(ink.state->selEnd - position);
  if (text.empty() || ink.state->links.size() >= kInkLinkMaxCount) return FALSE;
  auto& links = ink.state->links;
  auto at = std::find_if(links.begin(), links.end(),
                         [&](const platform::RichInkLink& other) { return other.position > position; });
  links.insert(at, platform::RichInkLink{text, target, position});
  ink.Changed();
  return TRUE;
}

LRESULT SetSelection(RichInk& ink, WPARAM wParam, LPARAM lParam) {
  RichInkState& state = *ink.state;
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

LRESULT GetSelection(RichInk& ink, WPARAM wParam, LPARAM lParam) {
  ink.Clamp();
  RichInkState& state = *ink.state;
  if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(state.selStart);
  if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(state.selEnd);
  return MAKELRESULT(static_cast<WORD>(state.selStart), static_cast<WORD>(state.selEnd));
}

void Describe(RichInk& ink, std::u16string* text) {
  if (!text) return;
  if (!ink.state->links.empty()) *text += u" links=" + FromUtf8(std::to_string(ink.state->links.size()));
  ink.Clamp();
  size_t formatted = static_cast<size_t>(
      std::count_if(ink.state->effects.begin(), ink.state->effects.end(), [](DWORD e) { return e != 0; }));
  if (formatted) *text += u" formatted=" + FromUtf8(std::to_string(formatted));
}

}  // namespace

LRESULT RichInkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  RichInk ink = RichInk::Of(window);
  if (!ink) return DefWindowProcW(window, message, wParam, lParam);
  RichInkState& state = *ink.state;
  switch (message) {
    case WM_SETTEXT:
      ink.SetText(std::u16string(TextView(reinterpret_cast<LPCWSTR>(lParam), kInkTextMaxChars)));
      return TRUE;
    case WM_CHAR:
      ink.Type(static_cast<char16_t>(wParam));
      return 0;
    case WM_CLEAR:
      ink.Clamp();
      if (state.selStart == state.selEnd) return 0;
      ink.Replace(u"");
      ink.Changed();
      return 0;
    case EM_REPLACESEL:
      ink.Replace(std::u16string(TextView(reinterpret_cast<LPCWSTR>(lParam), kInkTextMaxChars)));
      ink.Changed();
      return 0;
    case EM_GETSEL:
      return GetSelection(ink, wParam, lParam);
    case EM_SETSEL:
      return SetSelection(ink, wParam, lParam);
    case EM_GETMODIFY:
      return state.modified ? TRUE : FALSE;
    case EM_SETMODIFY:
      state.modified = wParam != 0;
      return 0;
    case EM_INSERTLINK:
      return InsertLink(ink, reinterpret_cast<const RICHINKLINKW*>(lParam));
    case EM_GETLINKCOUNT:
      return static_cast<LRESULT>(state.links.size());
    case EM_GETCHARFORMAT:
      return GetCharFormat(ink, wParam, reinterpret_cast<CHARFORMATW*>(lParam));
    case EM_SETCHARFORMAT:
      return SetCharFormat(ink, wParam, reinterpret_cast<const CHARFORMATW*>(lParam));
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_PAINT:
      paint::PaintRichInk(window);
      return 0;
    case WM_EMU_DESCRIBE:
      Describe(ink, reinterpret_cast<std::u16string*>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool GetRichInkContent(HWND richInk, InkContent* content) {
  RichInk ink = RichInk::Of(richInk);
  if (!ink || !content) return false;
  ink.Clamp();
  *content = InkContent();
  content->text = ink.object->text;
  const auto& effects = ink.state->effects;
  for (size_t at = 0; at < effects.size();) {
    size_t end = at;
    while (end < effects.size() && effects[end] == effects[at]) ++end;
    if (effects[at]) {
      content->runs.push_back(
          {static_cast<uint32_t>(at), static_cast<uint32_t>(end - at), static_cast<uint32_t>(effects[at])});
    }
    at = end;
  }
  for (const platform::RichInkLink& link : ink.state->links) {
    content->links.push_back(
        {static_cast<uint32_t>(link.position), static_cast<uint32_t>(link.text.size()), link.target});
  }
  return true;
}

bool SetRichInkContent(HWND richInk, const InkContent& content) {
  RichInk ink = RichInk::Of(richInk);
  if (!ink) return false;
  ink.SetText(content.text);
  auto& effects = ink.state->effects;
  for (const InkFormatRun& run : content.runs) {
    size_t end = std::min<size_t>(size_t{run.start} + run.length, effects.size());
    for (size_t at = run.start; at < end; ++at) effects[at] = run.effects;
  }
  for (const InkLinkSpan& link : content.links) {
    if (size_t{link.position} + link.length > ink.object->text.size()) continue;
    ink.state->links.push_back(
        {ink.object->text.substr(link.position, link.length), link.target, link.position});
  }
  return true;
}

}  // namespace platform::ui

namespace platform {

std::vector<RichInkLink> RichInkLinks(HWND window) {
  ui::RichInk ink = ui::RichInk::Of(window);
  return ink ? ink.state->links : std::vector<RichInkLink>();
}

}  // namespace platform
