// The journal exports. No exception leaves an export.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "notes/JournalLog.h"

CALYRA_API int CalyraEditor_JournalEntry(CEOID item, DWORD type) {
  try {
    calyra::Component& component = calyra::Component::Process();
    calyra::JournalSettings settings{component.Options().JournalFlags(),
                                     component.Options().JournalLocation()};
    calyra::WriteJournalEntry(item, static_cast<calyra::JournalEntryType>(type), settings,
                              component.Resources());
  } catch (...) {
  }
  return 1;
}
