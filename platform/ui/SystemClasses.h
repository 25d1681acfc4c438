#pragma once

#include <string_view>

#include "platform/ui/WindowTypes.h"

namespace platform::ui {

// Registers the classes the window system provides (the dialog class and the controls) on first
// use in the process; later calls do nothing.
void RegisterSystemClasses();
// Registers one class of the window system.
void RegisterSystemClass(const char16_t* name, WNDPROC proc, UINT style = 0);

}  // namespace platform::ui

// The dialog class.
inline constexpr const char16_t* WC_DIALOG = u"Dialog";

namespace platform::ui {

// Whether the window is of the class named (case-insensitive).
bool IsClass(HWND window, std::u16string_view name);

}  // namespace platform::ui
