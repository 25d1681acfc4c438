#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PhoneCallLog.h"

// The file in which the emulated device keeps its call log, "\Windows\CallLog.txt": UTF-8 text, one
// call per line, its fields separated by tabs:
//   kind  start  seconds  number  [name  [label]]
// kind is "missed", "incoming" or "outgoing"; start is the UTC time "YYYY-MM-DDTHH:MM:SSZ" (years 1601
// to 9999); seconds is the call's length, 0 to 999999999 in decimal digits; number, name and label are
// texts, any of them empty. Lines end in "\n" (a "\r" before it is dropped); an empty line and one
// that starts with "#" say nothing. A line that is not of this form (a field missing or one too many,
// an unknown kind, an impossible date, a control character, bytes that are not UTF-8) is skipped, so
// a damaged file loses only its damaged lines.
namespace platform {

inline constexpr const char16_t* kCallLogFile = u"\\Windows\\CallLog.txt";
inline constexpr uint32_t kMaxCallSeconds = 999'999'999;

struct CallLogRecord {
  DWORD kind = CALLLOG_KIND_MISSED;
  int64_t startTicks = 0;  // FILETIME ticks, UTC
  uint32_t seconds = 0;
  std::u16string number;
  std::u16string name;
  std::u16string label;

  int64_t EndTicks() const { return startTicks + int64_t{seconds} * 10'000'000; }
  bool operator==(const CallLogRecord&) const = default;
};

// The record of one line (without its "\n"); nothing for a line that is no call.
std::optional<CallLogRecord> ParseCallLogLine(std::string_view line);
// Every call of the file's text, in file order.
std::vector<CallLogRecord> ParseCallLog(std::string_view text);

// The line of a record, with its "\n". Tabs, line breaks and other control characters in its texts
// become spaces, so the record stays on its line. Empty when the start lies outside the years 1601
// to 9999, the seconds beyond kMaxCallSeconds or the kind is unknown.
std::string CallLogLine(const CallLogRecord& record);

// The kind's word in the file, "missed", "incoming" or "outgoing"; empty for an unknown kind.
std::string_view CallKindName(DWORD kind);
// The kind of a word of the file; nothing for another word.
std::optional<DWORD> CallKindOf(std::string_view name);
// The start as the file writes it, "YYYY-MM-DDTHH:MM:SSZ"; empty outside the years 1601 to 9999.
std::string CallLogTime(int64_t ticks);
// The ticks of a start written so; nothing for any other text.
std::optional<int64_t> ParseCallLogTime(std::string_view text);

// The device's call log: every call of its file. A device without the file has an empty log; false
// (and the last error) when the file is there but cannot be read.
bool ReadCallLogFile(std::vector<CallLogRecord>* records);
// Appends a call to the device's file, making the file (and "\Windows") when missing. False when the
// record cannot be written (see CallLogLine) or the file cannot be.
bool AppendToCallLogFile(const CallLogRecord& record);

}  // namespace platform
