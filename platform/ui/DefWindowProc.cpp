#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace {

// A dialog is erased with the brush its procedure answers WM_CTLCOLORDLG with (the window colour
// when it answers none), another window with its class's brush; one without a brush is left alone.
LRESULT EraseBackground(HWND window, const platform::ui::WindowObject& object, HDC dc) {
  HBRUSH brush = object.windowClass ? object.windowClass->background : nullptr;
  if (object.dialog) {
    LRESULT answer =
        SendMessageW(window, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
    brush = answer ? reinterpret_cast<HBRUSH>(answer) : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  }
  if (!brush || !dc) return 0;
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, brush);
  return 1;
}

}  // namespace

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto object = platform::ui::WindowManager::Current().Find(window);
  if (!object) return 0;
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (create && create->lpszName) object->text = platform::TextView(create->lpszName, 32767);
      return TRUE;
    }
    case WM_SETTEXT:
      object->text = platform::TextView(reinterpret_cast<LPCWSTR>(lParam), 32767);
      return TRUE;
    case WM_GETTEXT:
      if (!lParam || wParam == 0) return 0;
      return static_cast<LRESULT>(
          platform::BoundedCopy(reinterpret_cast<LPWSTR>(lParam), wParam, object->text));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(object->text.size());
    case WM_SETFONT:
      object->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(object->font);
    case WM_ERASEBKGND:
      return EraseBackground(window, *object, reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!position) return 0;
      SendMessageW(window, WM_MOVE, 0,
                   MAKELPARAM(static_cast<WORD>(position->x), static_cast<WORD>(position->y)));
      SendMessageW(window, WM_SIZE, 0,
                   MAKELPARAM(static_cast<WORD>(position->cx), static_cast<WORD>(position->cy)));
      return 0;
    }
    default:
      return 0;
  }
}
