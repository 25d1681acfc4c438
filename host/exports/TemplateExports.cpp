// Templates: saving an item as one, counting and listing them, renaming one.
#include "CalyraEditor.h"
#include "editors/TemplateNameDialog.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "platform/text/Text.h"
#include "templates/TemplateList.h"
#include "templates/TemplateWalk.h"
#include "templates/TemplateWriter.h"

namespace {

calyra::ItemKind KindOf(int kind) {
  return static_cast<calyra::ItemKind>(kind & 0xFFFF);
}

}  // namespace

CALYRA_API int CalyraEditor_SaveItemAsTemplate(HWND owner, CEOID item) {
  return calyra::Guarded(0, [&] {
    calyra::ItemContext context = calyra::Component::Process().OperationContextFor(owner).ItemContextFor();
    return calyra::TemplateWriter(context).SaveItemAsTemplate(item) ? 1 : 0;
  });
}

CALYRA_API int CalyraEditor_GetTemplateCount(WORD kind) {
  return calyra::Guarded(0, [kind] { return calyra::TemplateCount(KindOf(kind)); });
}

CALYRA_API int CalyraEditor_FillListViewWithTemplates(HWND list, int kind, int withIcons) {
  return calyra::Guarded(0, [&] {
    if (!IsWindow(list)) return 0;
    return calyra::TemplateList(list).Fill(KindOf(kind), withIcons != 0);
  });
}

// The dialog keeps its own bound whatever `limit` says: the caller's buffer holds that many
// characters and the zero.
CALYRA_API int CalyraEditor_EditTemplateName(HWND owner, WCHAR* name, int) {
  return calyra::Guarded(0, [&] {
    if (!name) return 0;
    constexpr size_t kChars = calyra::TemplateNameDialog::kNameChars;
    calyra::TemplateNameDialog dialog(platform::TextView(name, kChars));
    auto result = static_cast<int>(dialog.Show(owner, calyra::Component::Process().Resources()));
    if (result == IDOK) platform::BoundedCopy(name, kChars + 1, dialog.Name());
    return result;
  });
}
