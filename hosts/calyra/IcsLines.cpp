#include "hosts/calyra/IcsLines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>

namespace calyra::ics {

namespace {

constexpr std::string_view kKnownComponents[] = {
    "VCALENDAR", "VEVENT", "VTODO", "VJOURNAL", "VFREEBUSY", "VALARM", "VTIMEZONE", "STANDARD", "DAYLIGHT"};

// The length of the UTF-8 sequence at `at`, or 0 when it is not a valid one.
size_t Utf8Length(std::string_view text, size_t at) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  unsigned char second = byte(at + 1);
  if (lead == 0xE0 && second < 0xA0) return 0;   // overlong
  if (lead == 0xED && second >= 0xA0) return 0;  // a surrogate
  if (lead == 0xF0 && second < 0x90) return 0;   // overlong
  if (lead == 0xF4 && second >= 0x90) return 0;  // above U+10FFFF
  return length;
}

// Names and values compared here are ASCII; the C library's locale-aware calls cost a call a byte.
std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// The offset of the first byte that is not valid UTF-8 or is a NUL, or the text's size. Eight
// ASCII bytes at a time: a calendar is nearly all ASCII.
size_t FirstBadByte(std::string_view text) {
  constexpr uint64_t kHigh = 0x8080808080808080ULL, kLow = 0x0101010101010101ULL;
  size_t at = 0;
  while (at < text.size()) {
    if (text.size() - at >= 8) {
      uint64_t word = 0;
      std::memcpy(&word, text.data() + at, 8);
      bool hasZero = ((word - kLow) & ~word & kHigh) != 0;
      if ((word & kHigh) == 0 && !hasZero) {
        at += 8;
        continue;
      }
    }
    if (text[at] == '\0') return at;
    size_t length = Utf8Length(text, at);
    if (length == 0) return at;
    at += length;
  }
  return at;
}

// A content line after unfolding: a view of the file's text, or of the joined text of a folded one.
struct Logical {
  std::string_view text;
  int line = 0;
};

}  // namespace

int ComponentLines::LineOf(std::string_view property) const {
  for (const auto& [name, at] : properties) {
    if (name == property) return at;
  }
  return line;
}

bool CheckCalendarLines(std::string_view text, std::vector<ComponentLines>* components, ReadError* error) {
  auto fail = [&](int line, std::string message) {
    error->line = line;
    error->message = std::move(message);
    return false;
  };
  // UTF-8 first, naming the line of the first bad byte.
  if (size_t bad = FirstBadByte(text); bad < text.size()) {
    int badLine =
        1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(bad), '\n'));
    return fail(badLine, text[bad] == '\0' ? "a NUL character" : "the text is not valid UTF-8");
  }
  int line = 0;
  // Unfolding: a line that starts with a space or tab continues the one before.
  std::vector<Logical> lines;
  std::deque<std::string> joined;  // the texts of folded lines; a deque keeps them in place
  // About as many as a calendar's lines take; counting them would cost a pass over the text.
  lines.reserve(text.size() / 32 + 1);
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view physical = text.substr(at, end - at);
    at = end + 1;
    ++line;
    if (!physical.empty() && physical.back() == '\r') physical.remove_suffix(1);
    if (physical.empty()) continue;
    if (physical[0] == ' ' || physical[0] == '\t') {
      if (lines.empty()) return fail(line, "a folded line continues nothing");
      Logical& last = lines.back();
      if (joined.empty() || last.text.data() != joined.back().data()) joined.emplace_back(last.text);
      joined.back().append(physical.substr(1));
      last.text = joined.back();
    } else {
      lines.push_back({physical, line});
    }
  }
  components->clear();
  std::vector<size_t> open;  // indexes into components
  for (const Logical& logical : lines) {
    size_t nameEnd = 0;
    while (nameEnd < logical.text.size() && IsNameCharacter(logical.text[nameEnd])) ++nameEnd;
    if (nameEnd == 0 || nameEnd == logical.text.size() ||
        (logical.text[nameEnd] != ':' && logical.text[nameEnd] != ';') ||
        logical.text.find(':', nameEnd) == std::string_view::npos) {
      return fail(logical.line, "not a content line \"NAME:value\" (a folded line must start with a space)");
    }
    std::string name = Upper(logical.text.substr(0, nameEnd));
    bool begin = name == "BEGIN";
    std::string value = begin || name == "END" ? Upper(logical.text.substr(logical.text.find(':') + 1)) : "";
    if (begin) {
      if (std::find(std::begin(kKnownComponents), std::end(kKnownComponents), value) ==
          std::end(kKnownComponents)) {
        return fail(logical.line, "unknown component BEGIN:" + value);
      }
      if (open.empty() != (value == "VCALENDAR")) {
        return fail(logical.line, open.empty() ? "BEGIN:" + value + " outside a VCALENDAR"
                                               : std::string("a VCALENDAR inside another component"));
      }
      open.push_back(components->size());
      components->push_back({value, logical.line, {}});
      components->back().properties.reserve(16);  // what an event or a task has, mostly
    } else if (name == "END") {
      if (open.empty()) return fail(logical.line, "END:" + value + " without its BEGIN");
      const std::string& expected = (*components)[open.back()].name;
      if (value != expected)
        return fail(logical.line, "END:" + value + " where END:" + expected + " belongs");
      open.pop_back();
    } else {
      if (open.empty()) return fail(logical.line, name + " outside a VCALENDAR");
      (*components)[open.back()].properties.emplace_back(name, logical.line);
    }
  }
  if (!open.empty()) {
    const ComponentLines& unclosed = (*components)[open.back()];
    return fail(unclosed.line, "BEGIN:" + unclosed.name + " is never ended");
  }
  if (components->empty()) return fail(0, "no VCALENDAR in the file");
  return true;
}

}  // namespace calyra::ics
