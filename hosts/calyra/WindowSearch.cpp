#include "hosts/calyra/WindowSearch.h"

#include <string_view>

#include "platform/ui/Window.h"

namespace calyra::host {

HWND FindDescendant(HWND root, const std::function<bool(HWND)>& match) {
  if (root == nullptr) return nullptr;
  for (HWND child = GetWindow(root, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (match(child)) return child;
    if (HWND below = FindDescendant(child, match)) return below;
  }
  return nullptr;
}

HWND FindControl(HWND root, int id) {
  auto withId = [id](HWND window) { return GetDlgCtrlID(window) == id; };
  HWND visible = FindDescendant(root, [&](HWND w) { return withId(w) && IsWindowVisible(w); });
  return visible ? visible : FindDescendant(root, withId);
}

bool HasClass(HWND window, const char16_t* className) {
  WCHAR name[64] = {};
  GetClassNameW(window, name, 64);
  return std::u16string_view(name) == className;
}

HWND FindOwned(HWND owner, const std::function<bool(HWND)>& match) {
  if (owner == nullptr) return nullptr;
  for (HWND window = GetWindow(owner, GW_HWNDFIRST); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window) && match(window)) return window;
  }
  return nullptr;
}

}  // namespace calyra::host
