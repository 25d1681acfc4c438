// The floating link window: opening and closing it, whether it is open, and the drops a host lands on
// it while the user drags items from its own lists.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"

using calyra::Component;
using calyra::Guarded;

CALYRA_API int CalyraEditor_OpenFloatingLinkWindow(HWND owner, CEOID item) {
  return Guarded(0, [&] { return Component::Process().floatingLinks.Open(owner, item) ? 1 : 0; });
}

CALYRA_API void CalyraEditor_CloseFloatingLinkWindow(void) {
  Guarded([] { Component::Process().floatingLinks.Close(); });
}

CALYRA_API int CalyraEditor_IsFloatingLinkWindowOpen(void) {
  return Guarded(0, [] { return Component::Process().floatingLinks.IsOpen() ? 1 : 0; });
}

CALYRA_API int CalyraEditor_FloatingLinkDialog_DropItem(CEOID item, int kind) {
  return Guarded(0, [&] {
    auto itemKind = static_cast<calyra::ItemKind>(kind);
    return Component::Process().floatingLinks.DropItem(item, itemKind) ? 1 : 0;
  });
}

CALYRA_API int CalyraEditor_FloatingLinkDialog_IsPointInRect(int x, int y) {
  return Guarded(0, [&] { return Component::Process().floatingLinks.ContainsPoint(x, y) ? 1 : 0; });
}
