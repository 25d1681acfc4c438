// Feeds arbitrary bytes as a vCard file to the demo host's reader (its own checks and Evolution's
// contact library); nothing is written.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "hosts/calyra/VCardReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<calyra::host::VCardContact> contacts;
  calyra::host::VCardError error;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  bool read = calyra::host::ReadVCards(text, &contacts, &error);
  if (!read && !contacts.empty()) __builtin_trap();  // a refused file gives no contact
  return 0;
}
