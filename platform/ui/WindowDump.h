#pragma once

#include <string>

#include "platform/ui/WindowTypes.h"

namespace platform {

// A text picture of a window and everything below it, one window a line, indented by depth: class,
// control id, text, geometry in the parent's client coordinates, states (hidden, disabled, focus),
// and what the control says of itself (check state, selection, items). With no window: every
// top-level window of the process, topmost first.
std::string DumpWindowTree(HWND root = nullptr);

}  // namespace platform
