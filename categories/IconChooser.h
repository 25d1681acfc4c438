#pragma once

#include <optional>
#include <string>

#include "platform/ui/WindowTypes.h"

namespace calyra {

// The icon chooser of the task and appointment pages' icon button: the icon palette in a modal
// dialog (494) over `owner`. The CE path of the bitmap chosen (OK with a row selected, or a row
// activated); nothing when cancelled or the palette is empty.
std::optional<std::u16string> ChooseIconImage(HWND owner, HINSTANCE resources);

}  // namespace calyra
