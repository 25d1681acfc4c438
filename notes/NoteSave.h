#pragma once

#include <optional>
#include <span>
#include <string>

#include "notes/AlarmNote.h"
#include "notes/AlarmNoteFolders.h"
#include "platform/core/PlatformTypes.h"

// Saving a note from the note editor: the title checked, the kind settled, the content written and
// the file named (and its alarm registered) as the note's state says.
namespace calyra {

// How the note editor was opened.
enum class NoteEditorMode : int {
  NewAlarm = 0,  // a new alarm note
  Edit = 1,      // an existing note
  Untitled = 2,  // without title line
  NewPlain = 3,  // a new note without alarm
};

// What the editor hands over when the person saves.
struct NoteSaveRequest {
  std::u16string_view titleText;  // the title box as it stands
  SYSTEMTIME alarmTime{};         // the editor's alarm time
  NoteEditorMode mode = NoteEditorMode::NewAlarm;
  std::span<const BYTE> content;  // the ink control's data, written as it is
};

// The two things saving may have to ask or tell the person.
class NoteSaveQuestions {
 public:
  virtual ~NoteSaveQuestions() = default;
  // The title holds a character a file name cannot (message 63695).
  virtual void RefuseTitle() = 0;
  // The alarm time is not valid: true to save the note without alarm (dialog 200, Yes).
  virtual bool SaveWithoutAlarm() = 0;
};

// The questions as the person sees them over the editor window: the message from the host's
// resources, the dialog from the component's own module.
class NoteSaveDialogs : public NoteSaveQuestions {
 public:
  NoteSaveDialogs(HWND owner, HINSTANCE resources, HINSTANCE ownModule)
      : owner_(owner), resources_(resources), ownModule_(ownModule) {}
  void RefuseTitle() override;
  bool SaveWithoutAlarm() override;

 private:
  HWND owner_;
  HINSTANCE resources_;
  HINSTANCE ownModule_;
};

enum class NoteSaveResult {
  Saved,
  Refused,  // nothing written: the title was refused, or the person kept the note an alarm note
  Failed,   // the content could not be written, or the file could not be named as the note says
};

// The title a title box gives: cut at kNoteTitleChars, leading blanks dropped. Empty when it holds
// a character that a file name cannot hold (kTitleForbiddenChars).
std::optional<std::u16string> NoteTitleOf(std::u16string_view titleText);

// Saves the note. `note` is the state the editor was opened with (for a new note its folder and kind
// are not read) and becomes the saved note's state. Editing an existing note writes the content to
// its file, then, when kind, title or alarm time changed, renames it (ApplyNoteChanges) and copies
// the new state into `hostNote` (when given). A new note is named in the alarm notes folder (alarm
// note) or the documents folder (plain note), made unique, written, and its alarm registered.
NoteSaveResult SaveNoteFromEditor(AlarmNote& note, const NoteSaveRequest& request,
                                  NoteSaveQuestions& questions, AlarmNoteFolders& folders,
                                  CalyraAlarmNote* hostNote = nullptr);

}  // namespace calyra
