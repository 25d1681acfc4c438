#include "notes/AlarmNoteActions.h"

#include "notes/AlarmNotification.h"
#include "notes/NoteName.h"
#include "platform/files/FileSystem.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

// A note of another kind has no file yet: its path is its folder.
bool HasFile(NoteKind kind) {
  return kind == NoteKind::Plain || kind == NoteKind::Alarm;
}

bool Move(const std::u16string& from, const std::u16string& to) {
  return !to.empty() && MoveFileW(from.c_str(), to.c_str());
}

// The note as its file's name at `path` says, without acting on it: a plain note's title is the name
// without its last extension; an alarm note's name that does not read makes it a plain note too.
void TakeName(AlarmNote& note, std::u16string_view path, NoteKind kind) {
  note.SetNotePath(path);
  note.kind = kind;
  if (kind == NoteKind::Alarm && IsAlarmNoteName(note.fileName) && note.ReadOwnName()) return;
  note.kind = NoteKind::Plain;
  note.title = PlainNoteTitle(note.fileName).substr(0, kNoteTitleChars);
  note.notification = 0;
  note.alarmTime = CurrentLocalTime();
  note.alarmText.clear();
}

// Renames the note's file; on success the note takes the new name.
bool RenameNote(AlarmNote& note, const std::u16string& to, NoteKind kind) {
  if (!Move(note.Path(), to)) return false;
  TakeName(note, to, kind);
  return true;
}

// A free name for the note at `current` to take: `target` itself when it only differs from the
// current name in case (the same file), else made unique.
std::u16string UniqueTarget(std::u16string_view current, const std::u16string& target) {
  if (target.empty() || platform::EqualsNoCase(current, target)) return target;
  return MakeUniqueName(target).path;
}

bool PlainToPlain(AlarmNote& note, std::u16string_view current, const std::u16string& title) {
  std::u16string target = UniqueTarget(current, PlainNotePath(note.folder, title));
  if (!Move(std::u16string(current), target)) return false;
  TakeName(note, target, NoteKind::Plain);
  return true;
}

bool AlarmToPlain(AlarmNote& note, std::u16string_view current, const std::u16string& title,
                  const AlarmNote& previous, AlarmNoteFolders& folders) {
  std::u16string target = UniqueTarget(current, PlainNotePath(folders.Documents(), title));
  if (!Move(std::u16string(current), target)) return false;
  if (previous.notification) ClearAlarmNotification(previous.notification);
  TakeName(note, target, NoteKind::Plain);
  return true;
}

bool PlainToAlarm(AlarmNote& note, std::u16string_view current, const std::u16string& title,
                  const SYSTEMTIME& time, AlarmNoteFolders& folders) {
  if (!IsValidNoteTime(time)) return false;
  std::u16string target = UniqueTarget(current, BuildNoteName(folders.AlarmNotes(), title, time, 0));
  if (!Move(std::u16string(current), target)) return false;
  TakeName(note, target, NoteKind::Alarm);
  return ScheduleAlarm(note, note.title, note.alarmTime) != 0 || !IsNoteTimeInFuture(note.alarmTime);
}

// Whether the renamed note is done: its notification (when the old alarm was still to come) keeps
// its time, moves, or goes with the handle in the name; a new time still to come is registered.
bool FollowNewTime(AlarmNote& note, std::u16string_view current, const SYSTEMTIME& time,
                   const AlarmNote& previous, bool pending) {
  DWORD handle = previous.notification;
  if (!pending) {
    // A passed alarm's notification, should it still wait in the queue, must not open the old name.
    if (handle) ClearAlarmNotification(handle);
    return !IsNoteTimeInFuture(time) || ScheduleAlarm(note, note.title, time) != 0;
  }
  if (SameNoteMinute(time, previous.alarmTime) && platform::EqualsNoCase(note.Path(), current)) return true;
  if (IsNoteTimeInFuture(time)) return SetAlarmNotification(handle, note.Path(), time) != 0;
  ClearAlarmNotification(handle);
  return RenameNote(note, UniqueTarget(note.Path(), BuildNoteName(note.folder, note.title, time, 0)),
                    NoteKind::Alarm);
}

bool AlarmToAlarm(AlarmNote& note, std::u16string_view current, const std::u16string& title,
                  const SYSTEMTIME& time, const AlarmNote& previous, bool* renamed) {
  if (!IsValidNoteTime(time)) return false;
  bool pending = previous.notification && IsNoteTimeInFuture(previous.alarmTime);
  std::u16string target =
      UniqueTarget(current, BuildNoteName(note.folder, title, time, pending ? previous.notification : 0));
  if (!Move(std::u16string(current), target)) return false;
  *renamed = true;
  TakeName(note, target, NoteKind::Alarm);
  return FollowNewTime(note, current, time, previous, pending);
}

}  // namespace

void RecogniseNote(AlarmNote& note, std::u16string_view path) {
  TakeName(note, path, NoteKind::Alarm);
  if (note.kind != NoteKind::Alarm) return;
  if (!note.notification) {
    ScheduleAlarm(note, note.title, note.alarmTime);
    return;
  }
  if (IsNoteTimeInFuture(note.alarmTime)) return;
  DWORD handle = note.notification;
  std::u16string target = MakeUniqueName(BuildNoteName(note.folder, note.title, note.alarmTime, 0)).path;
  // Cleared only once the name no longer claims it, so that a failed rename keeps both together.
  if (RenameNote(note, target, NoteKind::Alarm)) ClearAlarmNotification(handle);
}

DWORD ScheduleAlarm(AlarmNote& note, std::u16string_view title, const SYSTEMTIME& time) {
  if (!IsValidNoteTime(time) || !IsNoteTimeInFuture(time) || title.empty()) return 0;
  std::u16string from = BuildNoteName(note.folder, title, time, 0);
  if (from.empty()) return 0;
  DWORD handle = SetAlarmNotification(0, kNoNotePath, time);
  if (!handle) return 0;
  std::u16string to = BuildNoteName(note.folder, title, time, handle);
  if (!Move(from, to)) {
    ClearAlarmNotification(handle);
    return 0;
  }
  SetAlarmNotification(handle, to, time);
  TakeName(note, to, NoteKind::Alarm);
  return handle;
}

bool RemoveAlarm(AlarmNote& note, UniqueNaming unique) {
  if (note.kind != NoteKind::Alarm || !note.ReadOwnName()) return false;
  if (note.notification) ClearAlarmNotification(note.notification);
  std::u16string target = BuildNoteName(note.folder, note.title, kRemovedAlarmTime, 0);
  if (unique == UniqueNaming::Yes) target = UniqueTarget(note.Path(), target);
  return RenameNote(note, target, NoteKind::Alarm);
}

bool DeleteNote(AlarmNote& note) {
  if (!HasFile(note.kind)) return false;
  RemoveAlarm(note, UniqueNaming::Yes);
  return DeleteFileW(note.Path().c_str());
}

bool ConvertToPlainNote(AlarmNote& note) {
  if (!HasFile(note.kind)) return false;
  RemoveAlarm(note, UniqueNaming::No);
  if (!Move(note.Path(), PlainNotePath(note.folder, note.title))) return false;
  RecogniseNote(note, PlainNotePath(note.folder, note.title));
  return true;
}

bool ChangeAlarmTime(AlarmNote& note, const SYSTEMTIME& time, AlarmNoteFolders& folders) {
  if (note.kind == NoteKind::Plain) {
    if (!IsValidNoteTime(time)) return false;
    std::u16string target = BuildNoteName(folders.AlarmNotes(), note.title, time, 0);
    if (!Move(note.Path(), target)) return false;
    RecogniseNote(note, target);
    return note.kind == NoteKind::Alarm;
  }
  if (note.kind != NoteKind::Alarm || !IsValidNoteTime(note.alarmTime) || !IsValidNoteTime(time) ||
      !IsNoteTimeInFuture(time))
    return false;
  if (SameNoteMinute(time, note.alarmTime)) return true;
  DWORD handle = note.notification;
  std::u16string from = BuildNoteName(note.folder, note.title, note.alarmTime, handle);
  std::u16string to = BuildNoteName(note.folder, note.title, time, handle);
  if (!Move(from, to)) {
    if (handle) ClearAlarmNotification(handle);
    return false;
  }
  TakeName(note, to, NoteKind::Alarm);
  if (!handle) return ScheduleAlarm(note, note.title, time) != 0;
  return SetAlarmNotification(handle, note.Path(), time) != 0;
}

bool ApplyNoteChanges(AlarmNote& note, std::u16string_view currentPath, const AlarmNote& previous,
                      AlarmNoteFolders& folders) {
  std::u16string title = note.title;
  SYSTEMTIME time = note.alarmTime;
  NoteKind kind = note.kind;
  note.SetNotePath(currentPath);
  bool renamed = false;
  bool done = false;
  if (previous.kind == NoteKind::Plain && kind == NoteKind::Plain) {
    done = title == previous.title || PlainToPlain(note, currentPath, title);
    renamed = done && title != previous.title;
  } else if (previous.kind == NoteKind::Alarm && kind == NoteKind::Alarm) {
    done = AlarmToAlarm(note, currentPath, title, time, previous, &renamed);
  } else if (previous.kind == NoteKind::Alarm && kind == NoteKind::Plain) {
    done = renamed = AlarmToPlain(note, currentPath, title, previous, folders);
  } else if (previous.kind == NoteKind::Plain && kind == NoteKind::Alarm) {
    done = renamed = PlainToAlarm(note, currentPath, title, time, folders);
  }
  // A note whose file kept its old name is that file again.
  if (!renamed) TakeName(note, currentPath, previous.kind);
  return done;
}

}  // namespace calyra
