#include "hosts/calyra/CallArguments.h"

#include <charconv>
#include <cinttypes>
#include <limits>
#include <optional>

#include "platform/core/LocalMemory.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"

namespace calyra::host {

namespace {

// Decimal or 0x hex, with an optional minus sign; nothing for anything else.
std::optional<int64_t> ParseNumber(std::string_view word) {
  bool negative = word.starts_with('-');
  if (negative) word.remove_prefix(1);
  int base = 10;
  if (word.starts_with("0x") || word.starts_with("0X")) {
    word.remove_prefix(2);
    base = 16;
  }
  uint64_t value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  if (value > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) return std::nullopt;
  return negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
}

// A number that fits `kind`: 32-bit kinds take -2^31 to 2^32 - 1, so that 0xFFFFFFFF and -1 both
// work, as a C caller writes either.
bool InRange(ParamKind kind, int64_t value) {
  switch (kind) {
    case ParamKind::kWord:
      return value >= -32768 && value <= 65535;
    case ParamKind::kWide:
    case ParamKind::kHandle:
      return true;
    default:
      return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<uint32_t>::max();
  }
}

// The text between double quotes, with \" \\ and \n; nothing when the quotes do not close it.
std::optional<std::string> Unquote(const std::string& word) {
  std::string text;
  for (size_t i = 1; i < word.size(); ++i) {
    char c = word[i];
    if (c == '"') return i + 1 == word.size() ? std::optional<std::string>(text) : std::nullopt;
    if (c == '\\' && i + 1 < word.size()) {
      c = word[++i];
      if (c == 'n') c = '\n';
    }
    text += c;
  }
  return std::nullopt;
}

}  // namespace

std::optional<SYSTEMTIME> ParseDate(const std::string& word) {
  unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0;
  int used = 0;
  bool withTime = word.size() == 16 && std::sscanf(word.c_str(), "%4u-%2u-%2uT%2u:%2u%n", &year, &month, &day,
                                                   &hour, &minute, &used) == 5;
  bool dateOnly =
      word.size() == 10 && std::sscanf(word.c_str(), "%4u-%2u-%2u%n", &year, &month, &day, &used) == 3;
  if ((!withTime && !dateOnly) || used != static_cast<int>(word.size())) return std::nullopt;
  if (year < 1601 || year > 9999 || month < 1 || month > 12 || hour > 23 || minute > 59) return std::nullopt;
  int y = static_cast<int>(year), m = static_cast<int>(month), d = static_cast<int>(day);
  if (d < 1 || d > platform::DaysInMonth(y, m)) return std::nullopt;
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wDayOfWeek = static_cast<WORD>(platform::DayOfWeek(y, m, d));
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  return time;
}

bool CallArguments::Parse(const ExportRow& row, const std::vector<std::string>& words, std::string* error) {
  if (words.size() != row.params.size()) {
    std::string kinds;
    for (ParamKind kind : row.params) kinds += std::string(kinds.empty() ? "" : " ") + KindName(kind);
    *error = std::string(row.name) + " takes " + std::to_string(row.params.size()) + " argument" +
             (row.params.size() == 1 ? "" : "s") + (kinds.empty() ? "" : " (" + kinds + ")") + ", not " +
             std::to_string(words.size());
    return false;
  }
  parsed_.clear();
  for (size_t i = 0; i < words.size(); ++i) {
    Parsed parsed;
    parsed.kind = row.params[i];
    std::string why;
    if (!ParseOne(row.params[i], words[i], &parsed, &why)) {
      *error = std::string(row.name) + " argument " + std::to_string(i + 1) + ": \"" + words[i] + "\" " + why;
      return false;
    }
    parsed_.push_back(parsed);
  }
  return true;
}

bool CallArguments::ParseOne(ParamKind kind, const std::string& word, Parsed* parsed, std::string* why) {
  if (word == "null" && kind != ParamKind::kInt && kind != ParamKind::kUint && kind != ParamKind::kWord &&
      kind != ParamKind::kWide) {
    return true;  // the null pointer (or null handle)
  }
  switch (kind) {
    case ParamKind::kTime:
      return ParseTime(word, parsed, why);
    case ParamKind::kText:
    case ParamKind::kTextBuffer:
      return ParseText(word, parsed, why);
    case ParamKind::kCategories:
      return ParseCategories(word, parsed, why);
    case ParamKind::kOutInt:
      if (word != "&int") {
        *why = "is not an out-argument (write &int, or null)";
        return false;
      }
      parsed->value.pointer = &outs_.emplace_back(0);
      parsed->written = true;
      return true;
    case ParamKind::kOutBuffer:
      if (word != "&buffer") {
        *why = "is not an out-buffer (write &buffer, or null)";
        return false;
      }
      parsed->value.pointer = &buffers_.emplace_back(nullptr);
      parsed->written = true;
      return true;
    case ParamKind::kRecord:
      *why = "is not null: a record cannot be written on the command line";
      return false;
    case ParamKind::kHandle:
      if (word == "host" || word == "resources") {
        parsed->source = word == "host" ? Source::kHost : Source::kResources;
        return true;
      }
      [[fallthrough]];
    default:
      break;
  }
  std::optional<int64_t> number = ParseNumber(word);
  if (!number || !InRange(kind, *number)) {
    *why = kind == ParamKind::kHandle ? "is not a handle (host, resources, null or a number)"
                                      : std::string("is not a number that fits a ") + KindName(kind);
    return false;
  }
  if (kind == ParamKind::kHandle) {
    parsed->value.pointer = reinterpret_cast<void*>(static_cast<uintptr_t>(*number));
  } else {
    parsed->value.number = *number;
  }
  return true;
}

bool CallArguments::ParseTime(const std::string& word, Parsed* parsed, std::string* why) {
  std::optional<SYSTEMTIME> time = word == "none" ? platform::kNoDateSystemTime : ParseDate(word);
  if (!time) {
    *why = "is not a date (YYYY-MM-DDTHH:MM, YYYY-MM-DD, none or null)";
    return false;
  }
  parsed->value.pointer = &times_.emplace_back(*time);
  return true;
}

bool CallArguments::ParseText(const std::string& word, Parsed* parsed, std::string* why) {
  bool buffer = parsed->kind == ParamKind::kTextBuffer;
  std::string text = word;
  if (buffer && word == "&text") {
    text.clear();
  } else if (word.starts_with('"')) {
    std::optional<std::string> unquoted = Unquote(word);
    if (!unquoted) {
      *why = "does not end with its closing quote";
      return false;
    }
    text = *unquoted;
  }
  // A word without quotes is the text as it stands: a shell has taken the quotes off "Call back".
  std::u16string& stored = texts_.emplace_back(platform::FromUtf8(text));
  if (buffer) {
    if (stored.size() >= kTextBufferSize) {
      *why = "is longer than the text buffer";
      return false;
    }
    stored.resize(kTextBufferSize, u'\0');
    parsed->written = true;
  }
  parsed->value.pointer = stored.data();
  return true;
}

bool CallArguments::ParseCategories(const std::string& word, Parsed* parsed, std::string* why) {
  *why = "is not a category list ([3,7] or [], without spaces, at most " +
         std::to_string(CALYRA_MAX_NEW_CATEGORIES) + " numbers of 16 bits)";
  if (word.size() < 2 || word.front() != '[' || word.back() != ']') return false;
  // The New exports read the whole array, so it is always as long as they read.
  std::vector<WORD>& numbers = categories_.emplace_back(CALYRA_MAX_NEW_CATEGORIES, 0);
  std::string_view list(word.data() + 1, word.size() - 2);
  size_t count = 0;
  while (!list.empty()) {
    size_t comma = list.find(',');
    std::optional<int64_t> number = ParseNumber(list.substr(0, comma));
    if (!number || *number < 0 || *number > 0xFFFF || count == numbers.size()) return false;
    numbers[count++] = static_cast<WORD>(*number);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
    if (list.empty()) return false;
  }
  parsed->value.pointer = numbers.data();
  return true;
}

CallArguments::~CallArguments() {
  for (WCHAR* buffer : buffers_) LocalFree(buffer);
}

std::vector<CallArgument> CallArguments::Values(HWND host, HINSTANCE resources) const {
  std::vector<CallArgument> values;
  for (const Parsed& parsed : parsed_) {
    CallArgument value = parsed.value;
    if (parsed.source == Source::kHost) value.pointer = host;
    if (parsed.source == Source::kResources) value.pointer = resources;
    values.push_back(value);
  }
  return values;
}

void CallArguments::PrintOuts(std::FILE* out) const {
  for (size_t i = 0; i < parsed_.size(); ++i) {
    const Parsed& parsed = parsed_[i];
    if (!parsed.written) continue;
    if (parsed.kind == ParamKind::kOutInt) {
      std::fprintf(out, "out %zu: %" PRIu32 "\n", i + 1, *static_cast<const DWORD*>(parsed.value.pointer));
    } else if (parsed.kind == ParamKind::kOutBuffer) {
      const WCHAR* buffer = *static_cast<WCHAR* const*>(parsed.value.pointer);
      if (buffer) {
        std::fprintf(out, "out %zu: \"%s\"\n", i + 1, platform::ToUtf8(buffer).c_str());
      } else {
        std::fprintf(out, "out %zu: null\n", i + 1);
      }
    } else {
      std::fprintf(out, "out %zu: \"%s\"\n", i + 1,
                   platform::ToUtf8(static_cast<const char16_t*>(parsed.value.pointer)).c_str());
    }
  }
}

}  // namespace calyra::host
