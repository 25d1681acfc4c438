#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

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
