// The journal exports: the journal entries written for items, the journal window and the entry the
// person writes. No exception leaves an export.
#include "CalyraEditor.h"
#include "editors/JournalEntryDialog.h"
#include "editors/JournalWindow.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "notes/JournalFile.h"
#include "notes/JournalLog.h"

namespace {

using calyra::Component;

// The entry dialog over `owner`, its phrases from the component's phrase selection.
std::optional<calyra::JournalEntry> AskEntry(HWND owner) {
  Component& component = Component::Process();
  calyra::JournalEntryDialog dialog(
      [&component](HWND phraseOwner, DWORD usage) { return component.SelectPhrase(phraseOwner, usage); },
      component.FieldCodeValues());
  return dialog.Show(owner, component.Resources(), &component.modalDialog);
}

}  // namespace

CALYRA_API int CalyraEditor_JournalEntry(CEOID item, DWORD type) {
  calyra::Guarded([&] {
    Component& component = Component::Process();
    calyra::JournalSettings settings{component.Options().JournalFlags(),
                                     component.Options().JournalLocation()};
    calyra::WriteJournalEntry(item, static_cast<calyra::JournalEntryType>(type), settings,
                              component.Resources());
  });
  return 1;
}

// The window works on the journal whether or not the journal is on: the flag says only whether
// entries are written for items.
CALYRA_API int CalyraEditor_OpenJournal(HWND owner) {
  calyra::Guarded([&] {
    Component& component = Component::Process();
    calyra::OptionStore& options = component.Options();
    calyra::JournalWindow window(options.JournalLocation(),
                                 {options.JournalWindowState(0), options.JournalWindowState(1)}, AskEntry);
    if (auto state = window.Show(owner, component.Resources(), &component.modalDialog))
      options.SetJournalWindowState(state->view, state->sortAscending);
  });
  return 1;
}

// An entry the person writes is the person's own: like the window, it asks for a journal file only,
// not for the flag that turns the entries written for items on.
CALYRA_API int CalyraEditor_AddJournalEntryCustom(HWND owner) {
  calyra::Guarded([&] {
    std::optional<calyra::JournalEntry> entry = AskEntry(owner);
    std::u16string path = Component::Process().Options().JournalLocation();
    if (entry && !path.empty()) calyra::JournalFile(path).Append(*entry);
  });
  return 1;
}
