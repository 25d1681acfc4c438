#include "platform/ui/Window.h"

#include <algorithm>

#include "platform/core/LastError.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/WindowManager.h"

using platform::ui::WindowManager;
using platform::ui::WindowObject;

namespace {

constexpr size_t kMaxText = 32767;

std::shared_ptr<WindowObject> Get(HWND window) {
  return WindowManager::Current().Find(window);
}

LONG Width(const RECT& rect) {
  return rect.right - rect.left;
}
LONG Height(const RECT& rect) {
  return rect.bottom - rect.top;
}

// The window's top-left corner in screen coordinates.
POINT Origin(HWND window) {
  POINT origin{0, 0};
  for (auto object = Get(window); object; object = object->parent ? Get(object->parent) : nullptr) {
    origin.x += object->rect.left;
    origin.y += object->rect.top;
  }
  return origin;
}

void SendPositionChanged(HWND window, UINT flags) {
  auto object = Get(window);
  if (!object) return;
  WINDOWPOS position{window,
                     nullptr,
                     static_cast<int>(object->rect.left),
                     static_cast<int>(object->rect.top),
                     static_cast<int>(Width(object->rect)),
                     static_cast<int>(Height(object->rect)),
                     flags};
  SendMessageW(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
}

void MoveInZOrder(std::vector<HWND>& siblings, HWND window, HWND insertAfter) {
  auto at = std::find(siblings.begin(), siblings.end(), window);
  if (at == siblings.end()) return;
  siblings.erase(at);
  if (insertAfter == HWND_BOTTOM) {
    siblings.push_back(window);
    return;
  }
  auto after = std::find(siblings.begin(), siblings.end(), insertAfter);
  siblings.insert(after == siblings.end() ? siblings.begin() : after + 1, window);
}

std::shared_ptr<const platform::ui::WindowClass> ClassFor(LPCWSTR className) {
  auto& manager = WindowManager::Current();
  platform::ui::RegisterSystemClasses();
  return manager.FindClass(platform::TextView(className, 256));
}

// The window joins the tree before WM_NCCREATE, as on the device.
HWND Create(std::shared_ptr<WindowObject> object, const CREATESTRUCTW& create) {
  auto& manager = WindowManager::Current();
  HWND handle = manager.Add(object);
  {
    // Children keep creation order (which is the tab order); a new top-level window comes to the top.
    std::lock_guard guard(manager.Lock());
    auto& siblings = manager.SiblingsOf(*object);
    siblings.insert(object->parent ? siblings.end() : siblings.begin(), handle);
  }
  CREATESTRUCTW params = create;
  if (!SendMessageW(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&params)) ||
      SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&params)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (IsWindow(handle) && (object->style & WS_VISIBLE)) {
    object->style &= ~WS_VISIBLE;
    ShowWindow(handle, SW_SHOW);
  }
  return IsWindow(handle) ? handle : nullptr;
}

}  // namespace

ATOM RegisterClassW(const WNDCLASSW* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  platform::ui::RegisterSystemClasses();
  auto entry = std::make_shared<platform::ui::WindowClass>();
  entry->name = platform::TextView(windowClass->lpszClassName, 256);
  entry->style = windowClass->style;
  entry->proc = windowClass->lpfnWndProc;
  entry->windowExtra = std::max(0, windowClass->cbWndExtra);
  entry->instance = windowClass->hInstance;
  entry->background = windowClass->hbrBackground;
  if (!WindowManager::Current().AddClass(entry)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  return 0xC000;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
  if (WindowManager::Current().RemoveClass(platform::TextView(className, 256))) return TRUE;
  SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
  return FALSE;
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR className, WNDCLASSW* windowClass) {
  auto entry = ClassFor(className);
  if (!entry || !windowClass) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  *windowClass =
      WNDCLASSW{entry->style, entry->proc,       0,       entry->windowExtra, entry->instance, nullptr,
                nullptr,      entry->background, nullptr, className};
  return TRUE;
}

int GetClassNameW(HWND window, LPWSTR name, int chars) {
  auto object = Get(window);
  if (!object || !name || chars <= 0) return 0;
  return static_cast<int>(platform::BoundedCopy(name, static_cast<size_t>(chars), object->windowClass->name));
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance, void* param) {
  auto windowClass = ClassFor(className);
  if (!windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (parent && !IsWindow(parent)) return nullptr;
  if ((style & WS_CHILD) && !parent) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = 240;
    height = 320;
  }
  auto object = std::make_shared<WindowObject>();
  object->windowClass = windowClass;
  object->proc = windowClass->proc;
  object->style = style;
  object->exStyle = exStyle;
  if (style & WS_CHILD) {
    object->parent = parent;
    object->id = reinterpret_cast<LONG_PTR>(menuOrId);
  } else if (parent) {
    // A top-level window's owner is the top-level window of the parent given.
    HWND owner = parent;
    while (HWND up = GetParent(owner)) {
      if (!(GetWindowLongW(owner, GWL_STYLE) & WS_CHILD)) break;
      owner = up;
    }
    object->owner = owner;
  }
  object->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
  object->text = platform::TextView(windowName, kMaxText);
  object->instance = instance;
  object->extra.resize(static_cast<size_t>((windowClass->windowExtra + 7) / 8) + 4);
  object->thread = std::this_thread::get_id();
  CREATESTRUCTW create{param,      instance,  menuOrId, parent, height, width, y, x, static_cast<LONG>(style),
                       windowName, className, exStyle};
  return Create(object, create);
}

BOOL IsWindow(HWND window) {
  return window && WindowManager::Current().Find(window) ? TRUE : FALSE;
}

namespace {

void SendDestroy(HWND window) {
  auto object = Get(window);
  if (!object) return;
  object->destroying = true;
  SendMessageW(window, WM_DESTROY, 0, 0);
  for (HWND child : std::vector<HWND>(object->children)) SendDestroy(child);
}

void FreeWindow(HWND window) {
  auto object = Get(window);
  if (!object) return;
  for (HWND child : std::vector<HWND>(object->children)) FreeWindow(child);
  SendMessageW(window, WM_NCDESTROY, 0, 0);
  auto& manager = WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  std::erase(manager.SiblingsOf(*object), window);
  manager.Remove(window);
}

}  // namespace

BOOL DestroyWindow(HWND window) {
  auto object = Get(window);
  if (!object) return FALSE;
  if (object->destroying) return TRUE;
  auto& manager = WindowManager::Current();
  std::vector<HWND> owned;
  {
    std::lock_guard guard(manager.Lock());
    for (HWND top : manager.TopLevel()) {
      auto other = Get(top);
      if (other && other->owner == window) owned.push_back(top);
    }
  }
  for (HWND each : owned) DestroyWindow(each);
  if (object->style & WS_VISIBLE) ShowWindow(window, SW_HIDE);
  if (manager.active == window) SetActiveWindow(object->owner);
  SendDestroy(window);
  FreeWindow(window);
  return TRUE;
}

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, message, wParam, lParam) : 0;
}

LONG GetWindowLongW(HWND window, int index) {
  return static_cast<LONG>(GetWindowLongPtrW(window, index));
}

LONG SetWindowLongW(HWND window, int index, LONG value) {
  return static_cast<LONG>(SetWindowLongPtrW(window, index, value));
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
  auto object = Get(window);
  if (!object) return 0;
  switch (index) {
    case GWL_WNDPROC:
      return reinterpret_cast<LONG_PTR>(object->proc);
    case GWL_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(object->instance);
    case GWL_ID:
      return object->id;
    case GWL_STYLE:
      return static_cast<LONG>(object->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(object->exStyle);
    case GWL_USERDATA:
      return object->userData;
    default:
      break;
  }
  size_t slot = static_cast<size_t>(index) / sizeof(LONG_PTR);
  if (index < 0 || index % static_cast<int>(sizeof(LONG_PTR)) != 0 || slot >= object->extra.size()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return object->extra[slot];
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  auto object = Get(window);
  if (!object) return 0;
  LONG_PTR previous = GetWindowLongPtrW(window, index);
  switch (index) {
    case GWL_WNDPROC:
      object->proc = reinterpret_cast<WNDPROC>(value);
      return previous;
    case GWL_HINSTANCE:
      object->instance = reinterpret_cast<HINSTANCE>(value);
      return previous;
    case GWL_ID:
      object->id = value;
      return previous;
    case GWL_STYLE:
      object->style = static_cast<DWORD>(value);
      return previous;
    case GWL_EXSTYLE:
      object->exStyle = static_cast<DWORD>(value);
      return previous;
    case GWL_USERDATA:
      object->userData = value;
      return previous;
    default:
      break;
  }
  size_t slot = static_cast<size_t>(index) / sizeof(LONG_PTR);
  if (index < 0 || index % static_cast<int>(sizeof(LONG_PTR)) != 0 || slot >= object->extra.size()) return 0;
  object->extra[slot] = value;
  return previous;
}

int GetDlgCtrlID(HWND window) {
  auto object = Get(window);
  return object && object->parent ? static_cast<int>(object->id) : 0;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
  if (!IsWindow(window)) return FALSE;
  return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextW(HWND window, LPWSTR text, int chars) {
  if (!text || chars <= 0) return 0;
  text[0] = 0;
  return static_cast<int>(
      SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(chars), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthW(HWND window) {
  return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL ShowWindow(HWND window, int command) {
  auto object = Get(window);
  if (!object) return FALSE;
  bool wasVisible = object->style & WS_VISIBLE;
  bool show = command != SW_HIDE && command != SW_MINIMIZE;
  if (show != wasVisible) {
    SendMessageW(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (show) {
      object->style |= WS_VISIBLE;
    } else {
      object->style &= ~WS_VISIBLE;
    }
    SendPositionChanged(window, show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  }
  if (show && !object->parent && command != SW_SHOWNA) SetActiveWindow(window);
  if (!show && WindowManager::Current().focus && IsChild(window, WindowManager::Current().focus))
    SetFocus(nullptr);
  return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND window) {
  for (auto object = Get(window); object; object = object->parent ? Get(object->parent) : nullptr) {
    if (!(object->style & WS_VISIBLE)) return FALSE;
  }
  return IsWindow(window);
}

BOOL EnableWindow(HWND window, BOOL enable) {
  auto object = Get(window);
  if (!object) return FALSE;
  bool wasDisabled = object->style & WS_DISABLED;
  if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
  if (enable) {
    object->style &= ~WS_DISABLED;
  } else {
    object->style |= WS_DISABLED;
    if (WindowManager::Current().focus == window) SetFocus(nullptr);
  }
  SendMessageW(window, WM_ENABLE, enable, 0);
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND window) {
  auto object = Get(window);
  return object && !(object->style & WS_DISABLED) ? TRUE : FALSE;
}

HWND SetFocus(HWND window) {
  auto& manager = WindowManager::Current();
  if (window && !IsWindow(window)) return nullptr;
  HWND previous = manager.focus;
  if (previous == window) return previous;
  manager.focus = window;
  if (previous && IsWindow(previous))
    SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window && manager.focus == window)
    SendMessageW(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

HWND GetFocus() {
  return WindowManager::Current().focus;
}

HWND SetCapture(HWND window) {
  auto& manager = WindowManager::Current();
  HWND previous = manager.capture;
  manager.capture = window && IsWindow(window) ? window : nullptr;
  return previous;
}

BOOL ReleaseCapture() {
  WindowManager::Current().capture = nullptr;
  return TRUE;
}

HWND GetCapture() {
  return WindowManager::Current().capture;
}

HWND SetActiveWindow(HWND window) {
  auto& manager = WindowManager::Current();
  while (window && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  HWND previous = manager.active;
  if (previous == window) return previous;
  manager.active = window;
  if (window) manager.foreground = window;
  if (previous && IsWindow(previous)) {
    SendMessageW(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(window));
  }
  if (window) {
    BringWindowToTop(window);
    SendMessageW(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(previous));
  }
  return previous;
}

HWND GetActiveWindow() {
  return WindowManager::Current().active;
}

BOOL SetForegroundWindow(HWND window) {
  if (!IsWindow(window)) return FALSE;
  SetActiveWindow(window);
  return TRUE;
}

HWND GetForegroundWindow() {
  return WindowManager::Current().foreground;
}

BOOL BringWindowToTop(HWND window) {
  return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  auto object = Get(window);
  if (!object) return FALSE;
  auto& manager = WindowManager::Current();
  if (!(flags & SWP_NOZORDER)) {
    std::lock_guard guard(manager.Lock());
    if (insertAfter == HWND_TOPMOST) object->exStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST) object->exStyle &= ~WS_EX_TOPMOST;
    bool toTop = insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST;
    MoveInZOrder(manager.SiblingsOf(*object), window, toTop ? nullptr : insertAfter);
  }
  RECT before = object->rect;
  if (!(flags & SWP_NOMOVE)) {
    object->rect.right = x + Width(before);
    object->rect.bottom = y + Height(before);
    object->rect.left = x;
    object->rect.top = y;
  }
  if (!(flags & SWP_NOSIZE)) {
    object->rect.right = object->rect.left + std::max(0, width);
    object->rect.bottom = object->rect.top + std::max(0, height);
  }
  if (flags & SWP_SHOWWINDOW) ShowWindow(window, SW_SHOWNA);
  if (flags & SWP_HIDEWINDOW) ShowWindow(window, SW_HIDE);
  bool moved = before.left != object->rect.left || before.top != object->rect.top;
  bool sized = Width(before) != Width(object->rect) || Height(before) != Height(object->rect);
  if (moved || sized || !(flags & SWP_NOZORDER)) SendPositionChanged(window, flags);
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
  return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  auto object = Get(window);
  if (!object || !rect) return FALSE;
  POINT origin = Origin(window);
  *rect = RECT{origin.x, origin.y, origin.x + Width(object->rect), origin.y + Height(object->rect)};
  return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect) {
  auto object = Get(window);
  if (!object || !rect) return FALSE;
  *rect = RECT{0, 0, Width(object->rect), Height(object->rect)};
  return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point) {
  if (!IsWindow(window) || !point) return FALSE;
  POINT origin = Origin(window);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
  if (!IsWindow(window) || !point) return FALSE;
  POINT origin = Origin(window);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  POINT a = from ? Origin(from) : POINT{0, 0};
  POINT b = to ? Origin(to) : POINT{0, 0};
  LONG dx = a.x - b.x;
  LONG dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return static_cast<int>(MAKELPARAM(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

HWND GetParent(HWND window) {
  auto object = Get(window);
  if (!object) return nullptr;
  return object->parent ? object->parent : object->owner;
}

HWND SetParent(HWND child, HWND parent) {
  auto object = Get(child);
  if (!object || (parent && !IsWindow(parent))) return nullptr;
  auto& manager = WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  HWND previous = object->parent;
  std::erase(manager.SiblingsOf(*object), child);
  object->parent = parent;
  if (parent) {
    object->style |= WS_CHILD;
  } else {
    object->style &= ~WS_CHILD;
  }
  auto& siblings = manager.SiblingsOf(*object);
  siblings.insert(siblings.begin(), child);
  return previous;
}

HWND GetWindow(HWND window, UINT command) {
  auto object = Get(window);
  if (!object) return nullptr;
  auto& manager = WindowManager::Current();
  std::lock_guard guard(manager.Lock());
  if (command == GW_CHILD) return object->children.empty() ? nullptr : object->children.front();
  if (command == GW_OWNER) return object->owner;
  const auto& siblings = manager.SiblingsOf(*object);
  auto at = std::find(siblings.begin(), siblings.end(), window);
  switch (command) {
    case GW_HWNDFIRST:
      return siblings.empty() ? nullptr : siblings.front();
    case GW_HWNDLAST:
      return siblings.empty() ? nullptr : siblings.back();
    case GW_HWNDNEXT:
      return at == siblings.end() || at + 1 == siblings.end() ? nullptr : *(at + 1);
    case GW_HWNDPREV:
      return at == siblings.begin() || at == siblings.end() ? nullptr : *(at - 1);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

BOOL IsChild(HWND parent, HWND window) {
  for (auto object = Get(window); object && object->parent; object = Get(object->parent)) {
    if (object->parent == parent) return TRUE;
  }
  return FALSE;
}

HWND GetDesktopWindow() {
  return nullptr;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  auto& manager = WindowManager::Current();
  std::vector<HWND> candidates;
  {
    std::lock_guard guard(manager.Lock());
    candidates = manager.TopLevel();
  }
  for (HWND candidate : candidates) {
    auto object = Get(candidate);
    if (!object) continue;
    if (className && !platform::EqualsNoCase(object->windowClass->name, platform::TextView(className, 256)))
      continue;
    if (windowName && object->text != platform::TextView(windowName, kMaxText)) continue;
    return candidate;
  }
  return nullptr;
}

HWND GetDlgItem(HWND dialog, int id) {
  auto object = Get(dialog);
  if (!object) return nullptr;
  HWND child = WindowManager::Current().FindChildById(*object, id);
  if (!child) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return child;
}

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL PtInRect(const RECT* rect, POINT point) {
  return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
         point.y < rect->bottom;
}
