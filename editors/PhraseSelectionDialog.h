#pragma once

#include <vector>

#include "editors/ModalDialog.h"
#include "text/FieldCodes.h"
#include "text/PhraseLibrary.h"

namespace calyra {

// The phrase selection (dialog 364, menu bar 366): the library is read anew and the phrases that
// suit the field and item kind of the filter are listed by title. Tapping one expands it (asking for
// a contact first when it holds contact codes and none is set) and ends the dialog; "Edit Phrases"
// starts the phrase-editing program and ends it as cancelled.
class PhraseSelectionDialog : public ModalDialog {
 public:
  PhraseSelectionDialog(PhraseLibrary& library, GeneralCodeValues& values, ContactOpener openContact)
      : library_(library), values_(values), openContact_(std::move(openContact)) {}
  ~PhraseSelectionDialog() override;

  // True when a phrase was chosen: `text` takes its expansion (a local-heap buffer; null for an empty
  // phrase) and `contact` the contact picked for it. `modalSlot` names the dialog while it is up.
  bool Show(HWND owner, HINSTANCE resources, DWORD filter, CEOID& contact, char16_t*& text, HWND* modalSlot);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Init();
  void Fill();
  void Layout();
  void FitColumn();
  void Choose(int row);
  void StartPhraseEditor();
  INT_PTR HintColour(HWND control, HDC dc);

  PhraseLibrary& library_;
  GeneralCodeValues& values_;
  ContactOpener openContact_;
  DWORD filter_ = 0;
  CEOID contact_ = 0;
  char16_t* text_ = nullptr;
  std::vector<size_t> listed_;  // the library's index of each row
  HIMAGELIST images_ = nullptr;
  HBRUSH hintBrush_ = nullptr;
  HWND* modalSlot_ = nullptr;
};

// The program that edits the phrase file: the host executable's path cut after its third "\" and
// "CalyraQuillon.exe"; empty when the path has fewer than three.
std::u16string PhraseEditorPath(std::u16string_view executablePath);

}  // namespace calyra
