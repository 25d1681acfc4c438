#pragma once

#include <vector>

#include "editors/EditorPage.h"
#include "editors/NoteInk.h"

namespace calyra {

// The notes of an item (appointment, task, contact) in an ink control filling the page: typed rich
// text, links and pen strokes, written back into the item as its notes blob. The project editor's
// second instance (PageNumber 10) edits the project's notes text in the same control.
class NotesPage : public EditorPage {
 public:
  explicit NotesPage(PageNumber number = PageNumber::Notes) : EditorPage(number) {}
  ~NotesPage() override;

  void Load() override;
  // Refuses only notes larger than the item's notes capacity (message 63650).
  bool Store(CloseAction action) override;
  void Reset(CloseAction action) override;
  void UpdateMenuBar() override;

  HWND Ink() const { return ink_; }
  NoteMode Mode() const { return mode_; }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool EditsProject() const;
  void CreateInk();
  void ApplyZoom();
  std::vector<BYTE> StoredNotes() const;
  void SwitchMode(NoteMode mode);
  bool StoreItemNotes();
  void StoreProjectNotes();
  bool RunNoteCommand(int command);
  void InsertPhrase();
  void InsertContact();
  void EditNoteOptions();
  void NextZoom();

  HWND ink_ = nullptr;
  HWND rich_ = nullptr;  // the control's rich-ink window
  NoteMode mode_ = NoteMode::Typing;
};

}  // namespace calyra
