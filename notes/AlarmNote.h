#pragma once

#include <string>

#include "platform/core/PlatformTypes.h"
#include "platform/time/TimeConversion.h"

namespace calyra {

// What a note is, in the host's numbers.
enum class NoteKind : DWORD {
  None = 0,
  NewAlarm = 1,  // 1, 2 and 5: a note that has no file yet; its path is its folder alone
  NewUntitled = 2,
  Plain = 3,  // a ".pwi" file without alarm
  Alarm = 4,  // a ".pwi" file whose name carries its alarm time
  NewPlain = 5,
};

// A note in memory: what its file's name says, with the host's display texts. The file name is the
// only lasting form of the state, so every change renames the file and reads the name again.
struct AlarmNote {
  std::u16string fileName;  // without folder
  std::u16string folder;    // with its trailing backslash
  std::u16string title;
  std::u16string alarmText;  // empty unless the host set it
  NoteKind kind = NoteKind::None;
  SYSTEMTIME alarmTime = platform::kNoDateSystemTime;  // local; a plain note's reads as now
  DWORD notification = 0;                              // handle of the registered notification
  std::u16string listText;

  // folder + fileName, cut at MAX_PATH - 1.
  std::u16string Path() const;
  // Splits a full path at its last backslash.
  void SetNotePath(std::u16string_view path);
  // Takes time, handle and title from a file name (NoteName.h). A name without "]" is a plain title
  // with handle 0 and the current time; false, leaving the note as it was, when a timestamp does not
  // read.
  bool ReadNoteName(std::u16string_view name);
  // The note's own file name read again.
  bool ReadOwnName() { return ReadNoteName(fileName); }
};

// The host's record and back; texts are cut at the record's buffers.
CalyraAlarmNote ToHostNote(const AlarmNote& note);
AlarmNote FromHostNote(const CalyraAlarmNote& record);

}  // namespace calyra
