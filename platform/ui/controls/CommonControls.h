#pragma once

#include "platform/ui/WindowTypes.h"

// The common controls: list view, tab control, tree view, date and time picker, month calendar,
// and the ink and rich-text stand-ins, with the device SDK's class names, messages and records.

namespace platform::ui {

// Registers every class of the common controls (called once by the window system).
void RegisterCommonControls();

}  // namespace platform::ui
