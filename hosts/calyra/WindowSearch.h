#pragma once

#include <functional>

#include "platform/ui/WindowTypes.h"

namespace calyra::host {

// Walks of the window tree, depth first in creation order: what a person scans on the screen.

// The first window below `root` (not `root` itself) for which `match` holds.
HWND FindDescendant(HWND root, const std::function<bool(HWND)>& match);
// The first control below `root` with this id, visible ones before hidden ones.
HWND FindControl(HWND root, int id);
bool HasClass(HWND window, const char16_t* className);
// The first visible top-level window owned by `owner` for which `match` holds.
HWND FindOwned(HWND owner, const std::function<bool(HWND)>& match);

}  // namespace calyra::host
