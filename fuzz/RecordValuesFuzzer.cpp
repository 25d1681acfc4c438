// Reads bytes of any shape as an object-store record's data: the reader must refuse what it did not
// write without crashing, and what it takes in the current format must be written back byte for byte
// (the fixed-width format of earlier builds is written back in the current one).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/RecordValues.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::optional<platform::RecordValues> values = platform::RecordValues::Decode({data, size});
  if (!values) return 0;
  std::vector<uint8_t> written = values->Encode();
  bool current = size > 0 && data[0] == 2;
  if (current && written != std::vector<uint8_t>(data, data + size)) __builtin_trap();
  std::optional<platform::RecordValues> again = platform::RecordValues::Decode(written);
  // Bytes, not values, are compared: a NaN read back is not equal to itself.
  if (!again || again->Encode() != written) __builtin_trap();
  return 0;
}
