#include "notes/NoteName.h"

#include "platform/files/FileSystem.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"

namespace calyra {

namespace {

constexpr size_t kStampChars = 12;
constexpr size_t kShortestAlarmName = 16;
constexpr int kUniqueTries = 100;
constexpr size_t kLongBase = 256;
constexpr size_t kLongestName = 255;

// The decimal number of `text`, when every character is a digit and the value lies in [low, high].
std::optional<WORD> Number(std::u16string_view text, int low, int high) {
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  if (value < low || value > high) return std::nullopt;
  return static_cast<WORD>(value);
}

std::optional<SYSTEMTIME> ReadStamp(std::u16string_view stamp) {
  if (stamp.size() != kStampChars) return std::nullopt;
  auto year = Number(stamp.substr(0, 4), 1900, 2999);
  auto month = Number(stamp.substr(4, 2), 1, 12);
  auto day = Number(stamp.substr(6, 2), 1, 31);
  auto hour = Number(stamp.substr(8, 2), 0, 23);
  auto minute = Number(stamp.substr(10, 2), 0, 59);
  if (!year || !month || !day || !hour || !minute) return std::nullopt;
  SYSTEMTIME time{*year, *month, 0, *day, *hour, *minute, 0, 0};
  time.wDayOfWeek = static_cast<WORD>(platform::DayOfWeek(*year, *month, *day));
  return time;
}

// Hex digits in either case; any other character adds a 0 digit.
DWORD ReadHandle(std::u16string_view text) {
  DWORD value = 0;
  for (char16_t c : text) {
    DWORD digit = 0;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    }
    value = value * 16 + digit;
  }
  return value;
}

std::u16string CutTitle(std::u16string_view title) {
  title = title.substr(0, kNoteTitleChars);
  return std::u16string(title.substr(0, title.find(u'.')));
}

bool FileCanBeOpened(const std::u16string& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace

std::optional<NoteName> ParseNoteName(std::u16string_view name) {
  NoteName read;
  size_t first = name.find(u']');
  if (first == std::u16string_view::npos) {
    read.title = CutTitle(name);
    return read;
  }
  auto time = ReadStamp(name.substr(0, first));
  if (!time) return std::nullopt;
  read.hasTime = true;
  read.time = *time;
  std::u16string_view rest = name.substr(first + 1);
  if (size_t second = rest.find(u']'); second != std::u16string_view::npos) {
    read.handle = ReadHandle(rest.substr(0, second));
    rest = rest.substr(second + 1);
  }
  read.title = CutTitle(rest);
  return read;
}

bool IsAlarmNoteName(std::u16string_view name) {
  if (name.size() <= kShortestAlarmName || name[kStampChars] != u']') return false;
  for (char16_t c : name.substr(0, kStampChars)) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

std::u16string PlainNoteTitle(std::u16string_view name) {
  return std::u16string(name.substr(0, name.rfind(u'.')));
}

std::u16string BuildNoteName(std::u16string_view folder, std::u16string_view title, const SYSTEMTIME& time,
                             DWORD handle) {
  if (title.size() > kNoteTitleChars) return {};
  if (!IsValidNoteTime(time)) return PlainNotePath(folder, title);
  std::u16string stamp = platform::FormatText(u"%04d%02d%02d%02d%02d",
                                              {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute});
  std::u16string name(folder);
  name += stamp + u"]";
  if (handle) name += platform::FormatText(u"%08X]", {handle});
  name += title;
  name += kNoteExtension;
  return name;
}

std::u16string PlainNotePath(std::u16string_view folder, std::u16string_view title) {
  std::u16string path(folder);
  path += title;
  path += kNoteExtension;
  return path;
}

bool IsValidNoteTime(const SYSTEMTIME& time) {
  return platform::IsDateSet(time);
}

SYSTEMTIME CurrentLocalTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return now;
}

bool IsNoteTimeInFuture(const SYSTEMTIME& time) {
  SYSTEMTIME now = CurrentLocalTime();
  FILETIME then{}, current{};
  if (!SystemTimeToFileTime(&time, &then) || !SystemTimeToFileTime(&now, &current)) return false;
  return CompareFileTime(&then, &current) >= 0;
}

bool SameNoteMinute(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute;
}

UniqueName MakeUniqueName(std::u16string_view path) {
  size_t dot = path.rfind(u'.');
  size_t slash = path.rfind(u'\\');
  if (dot != std::u16string_view::npos && slash != std::u16string_view::npos && dot < slash)
    dot = std::u16string_view::npos;  // a dot in a folder's name is no extension
  std::u16string_view base = path.substr(0, dot);
  std::u16string_view extension = dot == std::u16string_view::npos ? u"" : path.substr(dot);
  UniqueName unique{std::u16string(path), 0};
  while (unique.number < kUniqueTries && FileCanBeOpened(unique.path)) {
    ++unique.number;
    std::u16string suffix = platform::FormatText(u" (%d)", {unique.number});
    std::u16string_view kept = base;
    if (base.size() >= kLongBase) {
      size_t room = suffix.size() + extension.size();
      kept = base.substr(0, room < kLongestName ? kLongestName - room : 0);
    }
    unique.path = std::u16string(kept) + suffix + std::u16string(extension);
  }
  return unique;
}

}  // namespace calyra
