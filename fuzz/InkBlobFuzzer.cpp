// Reads bytes of any shape as an ink control's blob: the reader must refuse what it did not write
// without crashing, and what it takes must be written back byte for byte.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/ui/controls/InkBlob.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::optional<platform::InkContent> content = platform::ReadInkBlob(data, size);
  std::optional<std::u16string> text = platform::InkBlobPlainText(data, size);
  if (content.has_value() != text.has_value()) __builtin_trap();
  if (!content) return 0;
  if (!platform::IsValidInkContent(*content)) __builtin_trap();
  std::vector<uint8_t> written = platform::WriteInkBlob(*content);
  // An empty note is written as no bytes; anything else comes back as it was read.
  if (!content->Empty() && written != std::vector<uint8_t>(data, data + size)) __builtin_trap();
  std::optional<platform::InkContent> again = platform::ReadInkBlob(written.data(), written.size());
  if (!again || (!content->Empty() && *again != *content)) __builtin_trap();
  return 0;
}
