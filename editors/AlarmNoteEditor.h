#pragma once

#include <optional>
#include <string>

#include "CalyraEditor.h"
#include "editors/ModalDialog.h"
#include "editors/NoteInk.h"
#include "notes/AlarmNote.h"
#include "notes/AlarmNoteFolders.h"
#include "notes/NoteSave.h"

namespace calyra {

// What the note editor needs of the component that opens it.
class NoteEditorHost {
 public:
  virtual ~NoteEditorHost() = default;
  virtual HINSTANCE Resources() const = 0;
  // The component's own module: it carries the question of a note saved without alarm.
  virtual HINSTANCE OwnModule() const = 0;
  // The title line's label font (bold, 8 points).
  virtual HFONT TitleLabelFont() const = 0;
  virtual AlarmNoteFolders& Folders() = 0;
  virtual CalyraNoteOptions NoteOptions() const = 0;
  // Writes back a zoom index that had to be reset.
  virtual void SetNoteZoom(DWORD zoom) = 0;
  // The phrase selection (`usage`: the phrase library's usage flags); the same hook as the notes
  // pages'. None when the person cancelled; a host without phrases answers none.
  virtual std::optional<std::u16string> SelectPhrase(HWND, DWORD /*usage*/) { return std::nullopt; }
  // Where the component names its open modal dialog, and its open note editor; null: nowhere.
  virtual HWND* ModalDialogSlot() { return nullptr; }
  virtual HWND* NoteEditorSlot() { return nullptr; }
};

// The modal note editor (610): a title line (label and title field; none without title) over an
// ink control with the note's content, which is the note file's bytes. OK saves the note as
// `SaveNoteFromEditor` does and closes with 1; a refused save keeps it open with the focus on the
// title; Cancel closes with 0 and writes nothing.
class AlarmNoteEditor : public ModalDialog {
 public:
  // `note` is the note to edit (a copy); for a new note only its alarm time is read.
  AlarmNoteEditor(NoteEditorHost& host, NoteEditorMode mode, AlarmNote note);

  // 1 saved, 0 cancelled, -1 when the dialog could not be made. `hostNote` takes the new state of
  // an edited note whose title, kind or time changed.
  INT_PTR Show(HWND owner, CalyraAlarmNote* hostNote = nullptr);
  const AlarmNote& Note() const { return note_; }

  // The alarm of "next full hour": the next hour, or the one after when fewer than 15 minutes are
  // left; seconds kept.
  static SYSTEMTIME NextFullHour(const SYSTEMTIME& now);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Create();
  void CreateMenuBar();
  void BuildTitleLine();
  void PlaceInk();
  void LoadContent();
  void SwitchMode(NoteMode mode);
  void ShowPenButtons(bool pen);
  bool RunCommand(int command);
  void ToggleView();
  void InsertPhrase();
  void EditAlarm();
  void Save();
  void Close(INT_PTR result);
  void RefuseSwitchAway(LPARAM flag);
  std::u16string TitleText() const;

  NoteEditorHost& host_;
  NoteEditorMode mode_;
  AlarmNote note_;
  SYSTEMTIME alarmTime_;
  CalyraAlarmNote* hostNote_ = nullptr;
  HWND ink_ = nullptr;
  HWND menuBar_ = nullptr;
  NoteMode inputMode_ = NoteMode::Typing;
};

}  // namespace calyra
