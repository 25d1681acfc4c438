// Feeds arbitrary bytes as an iCalendar file to the demo host's reader (line checks, libical's parse,
// the mapping to records), on a scratch device; nothing is written to the store.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzDevice.h"
#include "hosts/calyra/IcsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!AttachFuzzDevice()) return 0;
  calyra::ics::CalendarRecords records;
  calyra::ics::ReadError error;
  std::string text(reinterpret_cast<const char*>(data), size);
  calyra::ics::ReadCalendar(text, &records, &error);
  return 0;
}
