// The option exports: the host hands its settings over and reads two groups back.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"

namespace {

template <class Record, class F>
int WithRecord(Record* record, F&& body) {
  if (record == nullptr) return 0;
  return calyra::Guarded(0, [&] {
    body(calyra::Component::Process().Options(), *record);
    return 1;
  });
}

}  // namespace

CALYRA_API int CalyraEditor_SetEditorOptions(const CalyraEditorOptions* options) {
  return WithRecord(options,
                    [](calyra::OptionStore& store, const auto& record) { store.SetEditorOptions(record); });
}

CALYRA_API int CalyraEditor_SetNoteOptions(const CalyraNoteOptions* options) {
  return WithRecord(options,
                    [](calyra::OptionStore& store, const auto& record) { store.SetNoteOptions(record); });
}

CALYRA_API int CalyraEditor_GetNoteOptions(CalyraNoteOptions* options) {
  return WithRecord(options, [](calyra::OptionStore& store, auto& record) { store.GetNoteOptions(&record); });
}

CALYRA_API int CalyraEditor_SetDisplayOptions(const CalyraDisplayOptions* options) {
  // Through the component, which remakes the fonts built from the options.
  return WithRecord(options, [](calyra::OptionStore&, const auto& record) {
    calyra::Component::Process().SetDisplayOptions(record);
  });
}

CALYRA_API int CalyraEditor_SetJournalOptions(const CalyraJournalOptions* options) {
  return WithRecord(options,
                    [](calyra::OptionStore& store, const auto& record) { store.SetJournalOptions(record); });
}

CALYRA_API int CalyraEditor_GetJournalOptions(CalyraJournalOptions* options) {
  return WithRecord(options,
                    [](calyra::OptionStore& store, auto& record) { store.GetJournalOptions(&record); });
}

CALYRA_API int CalyraEditor_SetContactOptions(const CalyraContactOptions* options) {
  return WithRecord(options,
                    [](calyra::OptionStore& store, const auto& record) { store.SetContactOptions(record); });
}
