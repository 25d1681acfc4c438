#pragma once

#include "platform/ui/WindowTypes.h"

namespace platform::ui {

// Registers the shell's window classes (the menu bar, the input panel button).
void RegisterShellClasses();

}  // namespace platform::ui
