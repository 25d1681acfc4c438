// The delete exports. Each first keeps its confirm argument as the confirm option, so that the host's
// choice also holds for deletions started later from the editors; the questions belong to the main
// window.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/MainWindow.h"
#include "host/exports/ExportGuard.h"
#include "operations/ItemDeletion.h"

namespace {

calyra::OperationContext MainWindowContext(int confirm) {
  calyra::Component& component = calyra::Component::Process();
  component.Options().SetConfirmDeletions(confirm != 0);
  return component.OperationContextFor(component.mainWindow ? component.mainWindow->Window() : nullptr);
}

}  // namespace

CALYRA_API int CalyraEditor_DeleteAppointment(CEOID item, int occurrence, const SYSTEMTIME* date,
                                              int confirm) {
  return calyra::Guarded(0, [&] {
    calyra::OperationContext context = MainWindowContext(confirm);
    return calyra::DeleteAppointment(context, item, occurrence ? date : nullptr, confirm != 0);
  });
}

CALYRA_API int CalyraEditor_DeleteTask(CEOID item, int occurrence, int confirm) {
  return calyra::Guarded(0, [&] {
    calyra::OperationContext context = MainWindowContext(confirm);
    return calyra::DeleteTask(context, item, occurrence != 0, confirm != 0);
  });
}

CALYRA_API int CalyraEditor_DeleteContact(CEOID item, int ask, DWORD* result, int confirm) {
  return calyra::Guarded(0, [&] {
    calyra::OperationContext context = MainWindowContext(confirm);
    return calyra::DeleteContact(context, item, ask != 0, result, confirm != 0);
  });
}
