#pragma once

#include <optional>
#include <string>

#include "platform/ui/WindowTypes.h"

namespace calyra {

// The location dialog (567) of the appointment page: the remembered locations to choose from, add to
// and delete from. OK (or a double tap on an entry) writes the list back to the history, unless it is
// empty, and answers the selected entry; nothing without a selection, or when cancelled (the history
// then stays as it was).
std::optional<std::u16string> RunLocationDialog(HWND owner, HINSTANCE resources);

}  // namespace calyra
