#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace calyra::host {

// The plain text of a note file on the device (its bytes are the ink control's blob); none when the
// file cannot be read or is no blob.
std::optional<std::u16string> NoteFileText(std::u16string_view path);

}  // namespace calyra::host
