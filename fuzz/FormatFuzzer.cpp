// Feeds arbitrary format texts and arguments to the formatter, unbounded and into small buffers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/text/Formatter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 10) return 0;
  int64_t number;
  std::memcpy(&number, data, sizeof number);
  size_t capacity = data[8] % 16;
  bool textFirst = data[9] & 1;
  std::u16string format((size - 10) / 2, u'\0');
  std::memcpy(format.data(), data + 10, format.size() * 2);
  std::u16string text = format.substr(0, format.size() / 2);
  double real;
  std::memcpy(&real, data, sizeof real);
  std::u16string out =
      textFirst ? platform::FormatText(format, {text, number, real, char16_t(data[8])})
                : platform::FormatText(format, {number, static_cast<unsigned>(number), text, real});
  char16_t buffer[16];
  size_t written = platform::FormatBounded(buffer, capacity, format, {number, text, real});
  if (capacity > 0 && (written >= capacity || buffer[written] != u'\0')) __builtin_trap();
  return static_cast<int>(out.size() & 0);
}
