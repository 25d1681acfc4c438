// The link exports: the cache's loader, whether an item is linked, its icon link, and linking two items.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "links/LinkOperations.h"
#include "platform/text/Text.h"

using calyra::Component;
using calyra::Guarded;

CALYRA_API int CalyraEditor_InitLoadLinksInformation(void) {
  Guarded([] { Component::Process().StartLinkLoad(); });
  return 1;
}

CALYRA_API int CalyraEditor_IsItemLinked(CEOID item) {
  return Guarded(0, [&] { return calyra::IsItemLinked(Component::Process().links, item) ? 1 : 0; });
}

CALYRA_API HIMAGELIST CalyraEditor_GetIconLinkImage(CEOID item) {
  return Guarded(static_cast<HIMAGELIST>(nullptr),
                 [&] { return calyra::GetIconLinkImage(Component::Process().links, item); });
}

CALYRA_API int CalyraEditor_SetIconLink(CEOID item, const WCHAR* imagePath) {
  return Guarded(0, [&] {
    std::u16string_view path = imagePath ? platform::TextView(imagePath) : std::u16string_view();
    return calyra::SetIconLink(Component::Process().links, item, path) ? 1 : 0;
  });
}

CALYRA_API int CalyraEditor_AddLinkToItem(CEOID item, CEOID other, int otherKind) {
  return Guarded(0, [&] {
    auto kind = static_cast<calyra::ItemKind>(otherKind);
    return calyra::AddLinkToItem(Component::Process().links, item, other, kind) ? 1 : 0;
  });
}
