#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editors/ModalDialog.h"
#include "notes/JournalFile.h"
#include "notes/JournalTimeTexts.h"

namespace calyra {

// What the journal window shows and hands back to the journal options: the first column's content
// (0 date, 1 time, 2 date and time) and the order (non-zero: oldest first).
struct JournalWindowState {
  DWORD view = 0;
  DWORD sortAscending = 1;
};

// The journal window (506): the journal's entries in a list of two columns (when, and the text),
// sorted by time, with the view choice, the two sort buttons, Add (the entry dialog), Delete, Clear
// All and Export. Added and deleted rows stay in the window until OK, which then rewrites the file
// in the order shown; Cancel leaves the file as it was.
class JournalWindow : public ModalDialog {
 public:
  // Asks the person for a new entry over `owner` (the entry dialog); none when they wrote none.
  using EntryPrompt = std::function<std::optional<JournalEntry>(HWND owner)>;

  JournalWindow(std::u16string path, JournalWindowState state, EntryPrompt askEntry);

  // Loads the journal and shows it over `owner` until it ends. None, and nothing shown, when the
  // journal cannot be opened or is not a journal; otherwise the view and order as the window leaves
  // them, whichever way it ended. `modalSlot` names the window while it is up.
  std::optional<JournalWindowState> Show(HWND owner, HINSTANCE resources, HWND* modalSlot);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // A row's entry and the place it was written in: the file's order, then the order rows were added.
  struct Row {
    JournalEntry entry;
    size_t written = 0;
  };

  void Init();
  static bool Before(const Row& a, const Row& b, bool ascending);
  void SortRows();
  bool Command(int id, WORD code);
  void AddColumn(int index, unsigned title, int width);
  void FillViewChoice();
  void ChooseView();
  std::u16string WhenText(const JournalEntry& entry) const;
  void InsertRow(size_t index);
  void ShowWhen();
  void Sort(bool ascending);
  void Add();
  void DeleteSelected();
  void ClearAll();
  void Export();
  void Accept();
  HWND List() const;

  std::u16string path_;
  DWORD view_;
  bool ascending_;
  EntryPrompt askEntry_;
  JournalTimeTexts texts_;
  std::vector<Row> rows_;  // in the order shown
  size_t nextWritten_ = 0;
  bool changed_ = false;  // a row was added or deleted
  bool shown_ = false;
  HWND* modalSlot_ = nullptr;
};

}  // namespace calyra
