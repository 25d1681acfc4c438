#pragma once

#include <optional>
#include <string>

#include "platform/core/PlatformTypes.h"

// A note file's name is its whole state. Behind the folder it is one of
//   "yyyymmddhhmm]HHHHHHHH]title.pwi"  an alarm note whose notification is registered (handle in hex),
//   "yyyymmddhhmm]title.pwi"           an alarm note without a registered notification,
//   "title.pwi"                        a plain note.
// The timestamp is local time to the minute; 190001010000 means the alarm was removed.
namespace calyra {

inline constexpr size_t kNoteTitleChars = 192;
inline constexpr std::u16string_view kNoteExtension = u".pwi";
// The timestamp of a note whose alarm was removed: no alarm.
inline constexpr SYSTEMTIME kRemovedAlarmTime{1900, 1, 1, 1, 0, 0, 0, 0};
// The characters a title may not hold, because it becomes a file name (the dot would cut it).
inline constexpr std::u16string_view kTitleForbiddenChars = u"\\/:*?\"<>|.";

// What a name says.
struct NoteName {
  bool hasTime = false;  // false: a name without "]"
  SYSTEMTIME time{};     // local; seconds 0, weekday computed
  DWORD handle = 0;      // 0 when the name carries none
  std::u16string title;  // at most kNoteTitleChars, cut at its first "."
};

// Reads a name (without folder). A name with no "]" is a plain title up to its first "."; otherwise
// the twelve characters before the first "]" must be a date and time from 1900 to 2999, and a
// second "]" closes the hexadecimal handle (a character that is no hex digit counts as 0). None when
// the timestamp does not read.
std::optional<NoteName> ParseNoteName(std::u16string_view name);

// Whether a file name is in the alarm-note form: longer than 16 characters, "]" at index 12 and
// twelve decimal digits before it. Any other file is a plain note.
bool IsAlarmNoteName(std::u16string_view name);

// A plain note's title taken from its file name: the name without its last extension.
std::u16string PlainNoteTitle(std::u16string_view name);

// `folder` (with its backslash) and the alarm-note name of title, time and handle (no handle part
// when 0). A time outside 1900 to 2999 gives the plain form. Empty for a title longer than
// kNoteTitleChars.
std::u16string BuildNoteName(std::u16string_view folder, std::u16string_view title, const SYSTEMTIME& time,
                             DWORD handle);
// `folder` + title + ".pwi".
std::u16string PlainNotePath(std::u16string_view folder, std::u16string_view title);

// A time counts as an alarm time when its year lies from 1900 to 2999.
bool IsValidNoteTime(const SYSTEMTIME& time);
// Not earlier than the device's current local time; false for a time that is no calendar time.
bool IsNoteTimeInFuture(const SYSTEMTIME& time);
// Equal to the minute (weekday, seconds and milliseconds do not count).
bool SameNoteMinute(const SYSTEMTIME& a, const SYSTEMTIME& b);
// The device's current local time.
SYSTEMTIME CurrentLocalTime();

// A free name for `path`: the path itself, or the base with " (n)" before the extension, trying
// n = 1, 2, ... while a file of the name tried can be opened, at most 100 times. A base of 256
// characters or more is cut so that number and extension end within 255 characters.
struct UniqueName {
  std::u16string path;
  int number = 0;  // 0 when the path itself was free
};
UniqueName MakeUniqueName(std::u16string_view path);

}  // namespace calyra
