#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

struct StaticState : ControlState {
  HANDLE image = nullptr;
};

LRESULT StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case STM_SETIMAGE: {
      auto* state = ControlStateOf<StaticState>(window);
      if (!state) return 0;
      HANDLE previous = state->image;
      state->image = reinterpret_cast<HANDLE>(lParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETIMAGE: {
      auto* state = ControlStateOf<StaticState>(window);
      return state ? reinterpret_cast<LRESULT>(state->image) : 0;
    }
    case WM_LBUTTONUP:
      if (GetWindowLongW(window, GWL_STYLE) & SS_NOTIFY) NotifyParentCommand(window, STN_CLICKED);
      return 0;
    case WM_PAINT:
      paint::PaintStatic(window);
      return 0;
    case WM_EMU_DESCRIBE: {
      // A picture shows in a window dump by its size.
      auto* state = ControlStateOf<StaticState>(window);
      BITMAP bitmap{};
      if (state && state->image && GetObjectW(state->image, sizeof(bitmap), &bitmap)) {
        *reinterpret_cast<std::u16string*>(lParam) +=
            u" image=" +
            platform::FromUtf8(std::to_string(bitmap.bmWidth) + "x" + std::to_string(bitmap.bmHeight));
      }
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterStatic() {
  RegisterSystemClass(WC_STATIC, StaticProc);
}

}  // namespace platform::ui
