#pragma once

#include "CalyraEditor.h"
#include "editors/ModalDialog.h"

namespace calyra {

// The note options dialog (499) of the notes pages: the input mode of new notes, of notes with
// content and of alarm notes, the zoom, the font size and the note flags. OK writes them into the
// options it was given.
class NoteOptionsDialog : public ModalDialog {
 public:
  explicit NoteOptionsDialog(CalyraNoteOptions& options) : options_(options) {}

  // IDOK, IDCANCEL, or -1 when the host asked to switch away meanwhile (or the dialog could not be
  // made). `modalSlot` names the dialog while it is up.
  INT_PTR Show(HWND owner, HINSTANCE resources, HWND* modalSlot);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Fill();
  void Accept();

  CalyraNoteOptions& options_;
  HWND* modalSlot_ = nullptr;
};

}  // namespace calyra
