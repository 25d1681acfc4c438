// Exports whose subsystems are not built yet. Each answers its failure value (0, null, or nothing)
// without doing anything, so that a host can load the library and link every name; docs/EXPORTS.md
// lists them. None pretends success.
#include "CalyraEditor.h"

CALYRA_API CEOID CalyraEditor_AddItemToProject(HWND, WORD, const WCHAR*, CEOID, const SYSTEMTIME*,
                                               const WCHAR*) {
  return 0;
}
