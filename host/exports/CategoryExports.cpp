// The category dialog and the change flags of category icons the host's views read.
#include "CalyraEditor.h"
#include "categories/CategoryDialog.h"
#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "platform/ui/Message.h"

int CalyraEditor_CategoryAddDeleteDialog(HWND parent, int showUnlisted) {
  return calyra::Guarded<int>(0, [&]() -> int {
    calyra::Component& component = calyra::Component::Process();
    calyra::CategoryDialog dialog(showUnlisted != 0, component.categoryChanges);
    calyra::CategoryDialogOutcome outcome =
        dialog.Show(parent, component.Resources(), &component.modalDialog);
    if (outcome.imagesChanged && component.hostWindow)
      PostMessageW(component.hostWindow, calyra::kNotifyCategoryImages, 0, 0);
    return outcome.ExportResult();
  });
}

int CalyraEditor_IsCategoryImageChanged(int view, int changeIndex, int clear) {
  return calyra::Guarded<int>(0, [&]() -> int {
    return calyra::Component::Process().categoryChanges.IsChanged(view, changeIndex, clear != 0) ? 1 : 0;
  });
}
