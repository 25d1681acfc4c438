#pragma once

#include <vector>

#include "platform/ui/ResourceModule.h"
#include "platform/ui/WindowTypes.h"

// The cursor. A handheld shows no pointer, only the wait cursor while a program is busy; nothing is
// drawn here, but the cursor in effect and every change are kept, so that a test sees a program show
// the wait cursor and put the old one back.

inline const LPCWSTR IDC_ARROW = MAKEINTRESOURCEW(32512);
inline const LPCWSTR IDC_WAIT = MAKEINTRESOURCEW(32514);

// The system's cursors only (a null instance and IDC_ARROW or IDC_WAIT); null with
// ERROR_INVALID_PARAMETER for anything else.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
// Shows `cursor` (null: none) and returns the one shown before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

namespace platform {

// Every cursor SetCursor showed in this process, in order.
std::vector<HCURSOR> CursorHistory();

}  // namespace platform
