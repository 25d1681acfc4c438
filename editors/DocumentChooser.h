#pragma once

#include <optional>
#include <string>

#include "platform/ui/WindowTypes.h"

namespace calyra {

// The device's file dialog for the documents the notes and projects refer to (Word and note files,
// rich text, plain text); a file that does not exist is refused. The path, at most `capacity - 1`
// characters, or none when the person cancelled.
std::optional<std::u16string> ChooseDocument(HWND owner, size_t capacity);

}  // namespace calyra
