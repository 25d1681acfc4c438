#pragma once

#include <optional>
#include <string>

#include "platform/ui/WindowTypes.h"

namespace calyra {

// The text dialog: one field prefilled with `initial` and cut at `limit` characters; the text when
// the person chose OK.
std::optional<std::u16string> PromptForText(HWND owner, HINSTANCE resources, std::u16string_view initial,
                                            size_t limit);

}  // namespace calyra
