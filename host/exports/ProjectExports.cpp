// Adding items and files to projects.
#include "CalyraEditor.h"
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
