// Feeds arbitrary country, city, region and postal texts and output sizes to the city-line composition.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "text/CountryTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const calyra::CountryTable table;
  if (size < 2) return 0;
  size_t outputSize = data[0];
  std::u16string all((size - 2) / 2, u'\0');
  std::memcpy(all.data(), data + 2, all.size() * 2);
  // Zero characters split the input into the four parts.
  std::vector<std::u16string> parts(4);
  size_t part = 0;
  for (char16_t c : all) {
    if (c == u'\0' && part < 3) {
      ++part;
    } else {
      parts[part] += c;
    }
  }
  std::vector<char16_t> output(outputSize + 1, u'#');
  int result = calyra::ComposeCityLine(table, data[1] & 1 ? nullptr : parts[0].c_str(), parts[1].c_str(),
                                       parts[2].c_str(), parts[3].c_str(), output.data(), outputSize);
  if (output[outputSize] != u'#') __builtin_trap();  // written past the bound
  if (outputSize > 0 && result == 0 && output[0] != u'\0') __builtin_trap();
  return 0;
}
