// Exports whose subsystems are not built yet. Each answers its failure value (0, null, or nothing)
// without doing anything, so that a host can load the library and link every name; docs/EXPORTS.md
// lists them. None pretends success.
#include "CalyraEditor.h"

CALYRA_API int CalyraEditor_SaveItemAsTemplate(HWND, CEOID) {
  return 0;
}
CALYRA_API int CalyraEditor_FillListViewWithTemplates(HWND, int, int) {
  return 0;
}
CALYRA_API int CalyraEditor_EditTemplateName(HWND, WCHAR*, int) {
  return 0;
}
