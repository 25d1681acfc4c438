#pragma once

#include <string>

#include "notes/AlarmNote.h"
#include "notes/AlarmNoteFolders.h"

// What can be done to a note file. Each step is a rename followed by reading the new name, so the
// note in memory always says what its file's name says; a registered notification's handle is part
// of the name for as long as it is registered, and a failed rename never leaves a notification that
// would open a file that is not there.
namespace calyra {

enum class UniqueNaming { No, Yes };

// Takes the file at `path` as a note: an alarm-note name (IsAlarmNoteName) that reads is an alarm
// note, whose alarm is registered when its name has no handle and the time is still to come, and
// whose name loses a handle whose time has passed (made unique); any other file is a plain note
// titled by its name without the last extension.
void RecogniseNote(AlarmNote& note, std::u16string_view path);

// Registers the alarm of the note's file named by title and time without a handle (in the note's
// folder) and renames the file to carry the handle. The handle, or 0: the time is not valid or
// already past, the title is empty, or the registration or the rename failed (a notification made
// for it is cleared again).
DWORD ScheduleAlarm(AlarmNote& note, std::u16string_view title, const SYSTEMTIME& time);

// An alarm note's notification cleared and its file renamed to the removed-alarm timestamp
// (1900-01-01 00:00). False for a note of another kind or when the rename failed.
bool RemoveAlarm(AlarmNote& note, UniqueNaming unique);

// Deletes the note's file, an alarm note after its alarm was removed. False for a note that has no
// file yet (its path is a folder) or when the file could not be deleted.
bool DeleteNote(AlarmNote& note);

// An alarm note without its alarm, renamed to its title alone in the same folder: a plain note.
// False for a note that has no file yet or when the rename failed.
bool ConvertToPlainNote(AlarmNote& note);

// Moves the alarm to `time`. A plain note moves into the alarm notes folder and becomes an alarm
// note. An alarm note is renamed to the new time when both times are valid and the new one is still
// to come; its notification follows (registered when it had none). True when the note's alarm stands
// at `time` afterwards (also when it stood there already).
bool ChangeAlarmTime(AlarmNote& note, const SYSTEMTIME& time, AlarmNoteFolders& folders);

// Renames and registers again after an edit was saved. `note` carries the kind, title and alarm time
// the edit gave it; its file is still at `currentPath`, whose state `previous` is (as the editor read
// it). Plain to plain renames for a new title; alarm to alarm renames and moves, keeps, registers or
// drops the notification by whether the old and the new time are still to come; alarm to plain
// moves the file into the documents folder and clears the notification; plain to alarm moves it into
// the alarm notes folder and registers the alarm. New names are made unique. False when a rename or
// a registration failed; after a failed rename the note is its old file again.
bool ApplyNoteChanges(AlarmNote& note, std::u16string_view currentPath, const AlarmNote& previous,
                      AlarmNoteFolders& folders);

}  // namespace calyra
