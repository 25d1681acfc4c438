#include "hosts/calyra/LinkWindowTour.h"

#include "hosts/calyra/OutlookItems.h"
#include "hosts/calyra/WindowSearch.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "resources/ResourceIds.h"

namespace calyra::host {

namespace {

// The floating window: the host's owned window that carries the link list.
HWND FindFloatingWindow(HWND host) {
  return FindOwned(host,
                   [](HWND window) { return GetDlgItem(window, resources::kFloatingLinksList) != nullptr; });
}

}  // namespace

int RunFloatingLinkTour(EditorSession& session, CEOID appointment, CEOID task, std::FILE* out) {
  if (appointment == 0 || task == 0) return 1;
  const EditorExports& e = session.Exports();
  HWND host = session.Host().Handle();
  std::fprintf(out,
               "\nthe floating link window over the appointment 0x%08X; the task 0x%08X is dropped on it\n",
               appointment, task);
  if (!e.openFloatingLinkWindow(host, appointment)) {
    std::fprintf(out, "  the window did not open\n");
    return 1;
  }
  session.Pump();
  HWND window = FindFloatingWindow(host);
  RECT frame{};
  if (!window || !GetWindowRect(window, &frame)) {
    std::fprintf(out, "  the window is not on the screen\n");
    e.closeFloatingLinkWindow();
    return 1;
  }
  int x = (frame.left + frame.right) / 2, y = (frame.top + frame.bottom) / 2;
  bool lands = e.floatingLinkIsPointInRect(x, y) != 0;
  int linked = lands ? e.floatingLinkDropItem(task, static_cast<int>(ItemKind::kTask)) : 0;
  std::fprintf(out, "  a drop at (%d, %d) lands on it: %s; linked: %d\n", x, y, lands ? "yes" : "no", linked);
  session.Pump();
  std::fprintf(out, "  the window shows:\n%s", platform::DumpWindowTree(window).c_str());
  e.closeFloatingLinkWindow();
  session.Pump();
  bool closed = !IsWindow(window);
  std::fprintf(out, "  closed by the host: %s\n", closed ? "yes" : "no");
  return lands && linked == 1 && closed ? 0 : 1;
}

}  // namespace calyra::host
