// The screen compositor: every visible window asked to erase and paint itself, bottom to top, onto
// one bitmap, each through a DC placed at its window and clipped to what its parents leave visible.
#include <algorithm>
#include <map>
#include <vector>

#include "platform/core/System.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/paint/Paint.h"
#include "platform/ui/paint/Painters.h"
#include "platform/ui/shell/Shell.h"

namespace platform::ui {

namespace {

struct Area {
  POINT origin;
  RECT clip;
};

// The windows being painted and the bitmap they are painted on, while a picture is made.
struct PaintSession : ProcessState {
  HBITMAP target = nullptr;
  std::map<HWND, Area> areas;
  int depth = 0;
};

PaintSession& Session() {
  return System::Current().State<PaintSession>();
}

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}

// Children of a window from the bottom of their z-order up.
std::vector<HWND> ChildrenBottomUp(HWND window) {
  auto object = WindowManager::Current().Find(window);
  if (!object) return {};
  std::lock_guard guard(WindowManager::Current().Lock());
  return std::vector<HWND>(object->children.rbegin(), object->children.rend());
}

void PaintTree(HWND window, const RECT& parentClip) {
  if (!(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE)) return;
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return;
  RECT clip = Intersect(parentClip, rect);
  if (IsEmpty(clip)) return;
  PaintSession& session = Session();
  session.areas[window] = Area{POINT{rect.left, rect.top}, clip};
  HDC dc = GetDC(window);
  SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  ReleaseDC(window, dc);
  if (IsWindow(window)) SendMessageW(window, WM_PAINT, 0, 0);
  for (HWND child : ChildrenBottomUp(window)) {
    if (IsWindow(child)) PaintTree(child, clip);
  }
  session.areas.erase(window);
}

// Runs `paint` with GetDC of the windows painted redirected onto `target`.
template <class Paint>
void WithTarget(HBITMAP target, Paint paint) {
  PaintSession& session = Session();
  HBITMAP previous = session.target;
  session.target = target;
  if (session.depth++ == 0) {
    SetWindowSurface([](HWND window, HBITMAP* surface, POINT* origin, RECT* clip) {
      PaintSession& current = Session();
      auto found = current.areas.find(window);
      if (found == current.areas.end() || !current.target) return false;
      *surface = current.target;
      *origin = found->second.origin;
      *clip = found->second.clip;
      return true;
    });
  }
  paint();
  if (--session.depth == 0) SetWindowSurface(nullptr);
  session.target = previous;
}

// The part of the screen a window can show: its rectangle within each of its ancestors'.
RECT VisibleRect(HWND window) {
  SIZE screen = ScreenSize();
  RECT clip{0, 0, screen.cx, screen.cy};
  for (HWND parent = GetParent(window); parent; parent = GetParent(parent)) {
    RECT rect{};
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) break;
    GetWindowRect(parent, &rect);
    clip = Intersect(clip, rect);
    window = parent;
  }
  return clip;
}

// The task bar above the visible desktop: the caption colour with the navigation bar's text.
void PaintTaskBar(HDC dc, LONG width) {
  SIPINFO sip{};
  sip.cbSize = sizeof sip;
  if (!SipGetInfo(&sip) || sip.rcVisibleDesktop.top <= 0) return;
  RECT bar{0, 0, width, sip.rcVisibleDesktop.top};
  HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION));
  FillRect(dc, &bar, brush);
  DeleteObject(brush);
  std::u16string title = NavBarText();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
  RECT text{MulDiv(4, ScreenDpiX(), 96), 0, width, bar.bottom};
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// The input panel while it is up: a keyboard of four rows of keys over the menu bar.
void PaintInputPanel(HDC dc) {
  SIPINFO sip{};
  sip.cbSize = sizeof sip;
  if (!SipGetInfo(&sip) || !(sip.fdwFlags & SIPF_ON)) return;
  const RECT& panel = sip.rcSipRect;
  HBRUSH face = CreateSolidBrush(RGB(0xE4, 0xE4, 0xE4));
  HBRUSH frame = CreateSolidBrush(RGB(0x8C, 0x8C, 0x8C));
  FillRect(dc, &panel, face);
  constexpr int kRows = 4, kKeys = 12;
  int rowHeight = (panel.bottom - panel.top) / kRows;
  int keyWidth = (panel.right - panel.left) / kKeys;
  for (int row = 0; row < kRows; ++row) {
    int shift = row * keyWidth / 3;
    for (int key = 0; key * keyWidth + shift + keyWidth <= panel.right - panel.left; ++key) {
      RECT cap{panel.left + shift + key * keyWidth, panel.top + row * rowHeight,
               panel.left + shift + (key + 1) * keyWidth + 1, panel.top + (row + 1) * rowHeight + 1};
      FrameRect(dc, &cap, frame);
    }
  }
  DeleteObject(face);
  DeleteObject(frame);
}

}  // namespace

}  // namespace platform::ui

using platform::ui::Session;

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  if (!IsWindow(window) || paint == nullptr) return nullptr;
  *paint = PAINTSTRUCT{};
  GetClientRect(window, &paint->rcPaint);
  paint->hdc = GetDC(window);
  return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (paint == nullptr) return FALSE;
  return ReleaseDC(window, paint->hdc) ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window) {
  if (!IsWindow(window)) return FALSE;
  platform::PaintWindowTree(window);
  return TRUE;
}

// Nothing is kept to be painted later: a picture always paints everything.
BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
  return window == nullptr || IsWindow(window);
}

namespace platform {

Pixels DrawScreen() {
  SIZE size = ScreenSize();
  HDC screen = GetDC(nullptr);
  HBITMAP target = CreateCompatibleBitmap(screen, size.cx, size.cy);
  ReleaseDC(nullptr, screen);
  if (!target) return Pixels{};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, target);
  RECT all{0, 0, size.cx, size.cy};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ui::PaintTaskBar(dc, size.cx);
  SelectObject(dc, old);
  DeleteDC(dc);
  std::vector<HWND> windows;
  {
    auto& manager = ui::WindowManager::Current();
    std::lock_guard guard(manager.Lock());
    windows.assign(manager.TopLevel().rbegin(), manager.TopLevel().rend());
  }
  ui::WithTarget(target, [&] {
    for (HWND window : windows) {
      if (IsWindow(window)) ui::PaintTree(window, all);
    }
  });
  dc = CreateCompatibleDC(nullptr);
  old = SelectObject(dc, target);
  ui::PaintInputPanel(dc);
  ui::paint::PaintMessageBoxes(dc, size);
  SelectObject(dc, old);
  DeleteDC(dc);
  Pixels pixels = BitmapPixels(target);
  DeleteObject(target);
  return pixels;
}

void PaintWindowTree(HWND window) {
  if (!IsWindow(window)) return;
  HBITMAP target = Session().target;
  if (!target) {
    HDC screen = GetDC(nullptr);
    target = DcBitmap(screen);
    ReleaseDC(nullptr, screen);
  }
  RECT clip = ui::VisibleRect(window);
  ui::WithTarget(target, [&] { ui::PaintTree(window, clip); });
}

}  // namespace platform
