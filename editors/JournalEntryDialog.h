#pragma once

#include <functional>
#include <optional>
#include <string>

#include "editors/ModalDialog.h"
#include "notes/JournalFile.h"
#include "text/FieldCodes.h"

namespace calyra {

// The phrase selection the entry dialog's Phrase button opens over `owner` for a field of `usage`:
// the chosen phrase expanded, or none when the person cancelled.
using PhraseSelector = std::function<std::optional<std::u16string>(HWND owner, DWORD usage)>;

// The journal entry dialog (507): a date picker and a time picker, both at now, and the entry's text,
// into which the Phrase button inserts a chosen phrase and the Field button a general field code's
// expansion, each at the caret in place of the selection.
class JournalEntryDialog : public ModalDialog {
 public:
  // The phrase library's usage for the entry's text: the notes-text field of every item kind.
  static constexpr DWORD kPhraseUsage = 0xFFFF0004;

  JournalEntryDialog(PhraseSelector selectPhrase, GeneralCodeValues& codeValues)
      : selectPhrase_(std::move(selectPhrase)), codeValues_(codeValues) {}

  // OK with a text: the entry the person wrote (type 0, no item, the picked date at the picked time).
  // None for an empty text, Cancel, a switch away by the host, or a dialog that could not be made.
  // `modalSlot` names the dialog while it is up.
  std::optional<JournalEntry> Show(HWND owner, HINSTANCE resources, HWND* modalSlot);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Init();
  void InsertText(const std::u16string& text);
  void InsertPhrase();
  void InsertField();
  void Accept();

  PhraseSelector selectPhrase_;
  GeneralCodeValues& codeValues_;
  HWND* modalSlot_ = nullptr;
  std::optional<JournalEntry> entry_;
};

}  // namespace calyra
