// Adding items and files to projects: the picker, or a project the host names.
#include "CalyraEditor.h"
#include "editors/ProjectPicker.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "projects/ProjectAdding.h"

CALYRA_API int CalyraEditor_AddItemToProject2(HWND owner, CEOID project, WORD, CEOID item,
                                              const SYSTEMTIME* date, const WCHAR* file) {
  return calyra::Guarded(0, [&] {
    return calyra::AddItemToProject2(owner, calyra::Component::Process().Resources(), project, item, date,
                                     file);
  });
}

CALYRA_API CEOID CalyraEditor_AddItemToProject(HWND owner, WORD, const WCHAR*, CEOID item,
                                               const SYSTEMTIME* date, const WCHAR* file) {
  return calyra::Guarded(CEOID{0}, [&]() -> CEOID {
    calyra::Component& component = calyra::Component::Process();
    HINSTANCE resources = component.Resources();
    if (!calyra::CheckAddable(owner, resources, item, file)) return 0;
    auto add = [&](calyra::ItemOid project) {
      return calyra::AddItemToProject2(owner, resources, project, item, date, file);
    };
    return calyra::PickProjectAndAdd(owner, resources, add, &component.modalDialog);
  });
}
