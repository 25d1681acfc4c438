// Converting an appointment into a task and back. The source item is never changed.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMTask.h"

namespace {

// Loads the item (an appointment as the occurrence when it is one) and makes the item of the other
// kind from it; 0 when anything fails.
template <class Item>
CEOID Convert(CEOID oid) {
  return calyra::Guarded<CEOID>(0, [oid]() -> CEOID {
    calyra::ItemContext context;
    context.resources = calyra::Component::Process().Resources();
    Item item;
    item.oid = oid;
    if (!oid) return 0;
    if constexpr (std::is_same_v<Item, calyra::CPIMAppointment>) {
      // The occurrence of today when the appointment recurs, else the series.
      item.openScope = calyra::kOpenOccurrence;
      if (!item.Load(context)) {
        item.Reset();
        item.oid = oid;
        item.openScope = calyra::kOpenSeries;
      }
    }
    if (!item.loaded && !item.Load(context)) return 0;
    return item.Convert(context);
  });
}

}  // namespace

CALYRA_API CEOID CalyraEditor_SaveAppointmentAsTask(CEOID appointment) {
  return Convert<calyra::CPIMAppointment>(appointment);
}

CALYRA_API CEOID CalyraEditor_SaveTaskAsAppointment(CEOID task) {
  return Convert<calyra::CPIMTask>(task);
}
