// Adding items and files to projects, and the template count a host shows.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "projects/ProjectAdding.h"
#include "templates/TemplateOffer.h"

CALYRA_API int CalyraEditor_AddItemToProject2(HWND owner, CEOID project, WORD, CEOID item,
                                              const SYSTEMTIME* date, const WCHAR* file) {
  try {
    return calyra::AddItemToProject2(owner, calyra::Component::Process().Resources(), project, item, date,
                                     file);
  } catch (...) {
    return 0;
  }
}

CALYRA_API int CalyraEditor_GetTemplateCount(WORD kind) {
  try {
    return calyra::TemplateCount(static_cast<calyra::ItemKind>(kind));
  } catch (...) {
    return 0;
  }
}
