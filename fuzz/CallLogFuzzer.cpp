// Feeds arbitrary bytes as the device's call-log file to the phone library's reader: it must keep only
// well-formed calls, and every call it keeps must be written back as a line that reads as the same call.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/phone/CallLogFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<platform::CallLogRecord> records = platform::ParseCallLog(text);
  if (records.size() > size / 20 + 1) __builtin_trap();  // a call takes a line of 20 bytes at least
  std::string rewritten;
  for (const platform::CallLogRecord& record : records) {
    if (record.kind > CALLLOG_KIND_OUTGOING || record.seconds > platform::kMaxCallSeconds) __builtin_trap();
    std::string line = platform::CallLogLine(record);
    if (line.empty() || line.back() != '\n') __builtin_trap();
    if (platform::ParseCallLogLine(std::string_view(line).substr(0, line.size() - 1)) != record)
      __builtin_trap();
    rewritten += line;
  }
  if (platform::ParseCallLog(rewritten) != records) __builtin_trap();
  return 0;
}
