// The journal exports. No exception leaves an export.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "notes/JournalLog.h"

CALYRA_API int CalyraEditor_JournalEntry(CEOID item, DWORD type) {
  calyra::Guarded([&] {
    calyra::Component& component = calyra::Component::Process();
    calyra::JournalSettings settings{component.Options().JournalFlags(),
                                     component.Options().JournalLocation()};
    calyra::WriteJournalEntry(item, static_cast<calyra::JournalEntryType>(type), settings,
                              component.Resources());
  });
  return 1;
}
