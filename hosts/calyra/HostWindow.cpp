#include "hosts/calyra/HostWindow.h"

#include <algorithm>

#include "platform/ui/Window.h"

namespace calyra::host {

namespace {

std::string Hex(uintptr_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

const char* KindName(WPARAM kind) {
  switch (kind) {
    case 1:
      return "appointment";
    case 2:
      return "contact";
    case 3:
      return "task";
    default:
      return "item";
  }
}

}  // namespace

bool HostWindow::Create(const RECT& area) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.lpszClassName = kClassName;
  WNDCLASSW existing{};
  if (!GetClassInfoW(nullptr, kClassName, &existing) && RegisterClassW(&windowClass) == 0) return false;
  window_ = CreateWindowExW(0, kClassName, u"Calyra", WS_VISIBLE, area.left, area.top, area.right - area.left,
                            area.bottom - area.top, nullptr, nullptr, nullptr, this);
  return window_ != nullptr;
}

void HostWindow::Destroy() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

size_t HostWindow::Count(UINT message) const {
  return static_cast<size_t>(
      std::count_if(received_.begin(), received_.end(),
                    [message](const HostNotification& n) { return n.message == message; }));
}

std::string HostWindow::Describe(const HostNotification& n) {
  std::string number = std::to_string(n.message) + " ";
  switch (n.message) {
    case kNotifyEditorClosed:
      return number + "editor closed";
    case kNotifyOptionsAccepted:
      return number + "editor options accepted";
    case kNotifyOpenItem:
      return number + "open item: " + KindName(n.wParam) + " " + Hex(static_cast<uintptr_t>(n.lParam));
    case kNotifyCategoryImages:
      return number + "category images changed";
    case kNotifyItemSaved:
      return number + "item saved: " + std::to_string(n.wParam) + ", " +
             Hex(static_cast<uintptr_t>(n.lParam));
    default:
      return number + "unknown notification";
  }
}

LRESULT HostWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message >= kNotifyEditorClosed && message <= kNotifyItemSaved) {
    HostNotification notification{message, wParam, lParam};
    self->received_.push_back(notification);
    std::fprintf(self->out_, "host: %s\n", Describe(notification).c_str());
    std::fflush(self->out_);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace calyra::host
