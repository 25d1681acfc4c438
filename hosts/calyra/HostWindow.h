#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/ui/WindowTypes.h"

namespace calyra::host {

// The notifications the component posts to its host window.
inline constexpr UINT kNotifyEditorClosed = 6383;     // 0x18EF
inline constexpr UINT kNotifyOptionsAccepted = 6384;  // 0x18F0
inline constexpr UINT kNotifyOpenItem = 6385;         // 0x18F1: wParam the item kind, lParam the oid
inline constexpr UINT kNotifyCategoryImages = 6386;   // 0x18F2
inline constexpr UINT kNotifyItemSaved = 6387;        // 0x18F3: wParam 512 or a project value

struct HostNotification {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// The host's own top-level window: the parent of the component's main window and the receiver of
// its notifications, each of which is recorded and printed as it arrives.
class HostWindow {
 public:
  static constexpr const char16_t* kClassName = u"Calyra:Host";

  explicit HostWindow(std::FILE* out) : out_(out) {}
  ~HostWindow() { Destroy(); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Registers the class and makes the window over `area`; false when the window system refuses.
  bool Create(const RECT& area);
  void Destroy();
  HWND Handle() const { return window_; }

  const std::vector<HostNotification>& Notifications() const { return received_; }
  size_t Count(UINT message) const;
  // "6383 editor closed", "6385 open item: task 0x00001234", ...
  static std::string Describe(const HostNotification& notification);

 private:
  static LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::FILE* out_;
  HWND window_ = nullptr;
  std::vector<HostNotification> received_;
};

}  // namespace calyra::host
