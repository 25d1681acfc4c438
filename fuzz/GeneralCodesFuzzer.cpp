// Feeds arbitrary texts to the general field-code pass on a scratch device.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/FuzzDevice.h"
#include "text/FieldCodes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!AttachFuzzDevice()) return 0;
  std::u16string text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  std::u16string out = calyra::ExpandGeneralCodes(text);
  // Codes expand to at most a few hundred characters each; nothing else grows.
  if (out.size() > text.size() * 300 + 1) __builtin_trap();
  return 0;
}
