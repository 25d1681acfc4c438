#include "platform/phone/CallLogFile.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/core/LastError.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"

namespace platform {

namespace {

constexpr size_t kFieldsAtLeast = 4;
constexpr size_t kFieldsAtMost = 6;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::array<std::string_view, 3> kKindNames = {"missed", "incoming", "outgoing"};
// A log larger than this is no log the device wrote; it is read no further.
constexpr DWORD kMaxFileBytes = 64u << 20;
constexpr DWORD kInvalidFileSize = 0xFFFFFFFF;  // GetFileSize's failure

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(
        line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

bool HasControlCharacter(std::string_view line) {
  for (char c : line) {
    unsigned char byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7F) return true;
  }
  return false;
}

// The UTF-16 of a field that is well-formed UTF-8; a text that is not (a stray byte, an overlong form,
// a surrogate) comes back different from the round trip.
std::optional<std::u16string> Utf8Field(std::string_view field) {
  std::u16string text = FromUtf8(field);
  if (ToUtf8(text) != field) return std::nullopt;
  return text;
}

// `digits` decimal digits, nothing else.
std::optional<int> Digits(std::string_view text, size_t digits) {
  if (text.size() != digits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<uint32_t> Seconds(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  return value;
}

std::string Printable(std::u16string_view text) {
  std::string field = ToUtf8(text);
  for (char& c : field) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return field;
}

}  // namespace

std::string_view CallKindName(DWORD kind) {
  return kind < kKindNames.size() ? kKindNames[kind] : std::string_view();
}

std::optional<DWORD> CallKindOf(std::string_view name) {
  for (size_t kind = 0; kind < kKindNames.size(); ++kind) {
    if (kKindNames[kind] == name) return static_cast<DWORD>(kind);
  }
  return std::nullopt;
}

std::string CallLogTime(int64_t ticks) {
  SYSTEMTIME time{};
  FILETIME fileTime = FileTimeOf(ticks);
  if (ticks < 0 || !FileTimeToSystemTime(&fileTime, &time) || time.wYear < 1601 || time.wYear > 9999)
    return {};
  char text[64];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02uT%02u:%02u:%02uZ", time.wYear, time.wMonth, time.wDay,
                time.wHour, time.wMinute, time.wSecond);
  return text;
}

std::optional<int64_t> ParseCallLogTime(std::string_view text) {
  // "YYYY-MM-DDTHH:MM:SSZ": the separators at fixed places, digits between them.
  if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != 'Z')
    return std::nullopt;
  auto year = Digits(text.substr(0, 4), 4), month = Digits(text.substr(5, 2), 2);
  auto day = Digits(text.substr(8, 2), 2), hour = Digits(text.substr(11, 2), 2);
  auto minute = Digits(text.substr(14, 2), 2), second = Digits(text.substr(17, 2), 2);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  if (*year < 1601 || *month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) ||
      *hour > 23 || *minute > 59 || *second > 59)
    return std::nullopt;
  SYSTEMTIME time{static_cast<WORD>(*year),
                  static_cast<WORD>(*month),
                  0,
                  static_cast<WORD>(*day),
                  static_cast<WORD>(*hour),
                  static_cast<WORD>(*minute),
                  static_cast<WORD>(*second),
                  0};
  FILETIME fileTime{};
  if (!SystemTimeToFileTime(&time, &fileTime)) return std::nullopt;
  return TicksOf(fileTime);
}

std::optional<CallLogRecord> ParseCallLogLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line.front() == '#' || HasControlCharacter(line)) return std::nullopt;
  std::vector<std::string_view> fields = SplitTabs(line);
  if (fields.size() < kFieldsAtLeast || fields.size() > kFieldsAtMost) return std::nullopt;
  fields.resize(kFieldsAtMost);
  std::optional<DWORD> kind = CallKindOf(fields[0]);
  std::optional<int64_t> start = ParseCallLogTime(fields[1]);
  std::optional<uint32_t> seconds = Seconds(fields[2]);
  std::optional<std::u16string> number = Utf8Field(fields[3]);
  std::optional<std::u16string> name = Utf8Field(fields[4]);
  std::optional<std::u16string> label = Utf8Field(fields[5]);
  if (!kind || !start || !seconds || !number || !name || !label) return std::nullopt;
  return CallLogRecord{*kind, *start, *seconds, std::move(*number), std::move(*name), std::move(*label)};
}

std::vector<CallLogRecord> ParseCallLog(std::string_view text) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  std::vector<CallLogRecord> records;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (std::optional<CallLogRecord> record = ParseCallLogLine(line)) records.push_back(std::move(*record));
  }
  return records;
}

std::string CallLogLine(const CallLogRecord& record) {
  std::string_view kind = CallKindName(record.kind);
  std::string start = CallLogTime(record.startTicks);
  if (kind.empty() || start.empty() || record.seconds > kMaxCallSeconds) return {};
  std::string line(kind);
  line += '\t' + start + '\t' + std::to_string(record.seconds);
  for (const std::u16string* text : {&record.number, &record.name, &record.label})
    line += '\t' + Printable(*text);
  return line + '\n';
}

bool ReadCallLogFile(std::vector<CallLogRecord>* records) {
  records->clear();
  HANDLE file = CreateFileW(kCallLogFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  DWORD size = GetFileSize(file, nullptr);
  std::string text(size == kInvalidFileSize ? 0 : std::min(size, kMaxFileBytes), '\0');
  DWORD read = 0;
  bool ok = size != kInvalidFileSize &&
            (text.empty() || ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr));
  CloseHandle(file);
  if (!ok) return false;
  text.resize(read);
  *records = ParseCallLog(text);
  return true;
}

bool AppendToCallLogFile(const CallLogRecord& record) {
  std::string line = CallLogLine(record);
  if (line.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  CreateDirectoryW(u"\\Windows", nullptr);  // there on a real device; an emulated one may lack it
  HANDLE file = CreateFileW(kCallLogFile, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
            written == line.size();
  CloseHandle(file);
  return ok;
}

}  // namespace platform
