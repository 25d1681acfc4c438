#include "store/ItemIdentity.h"

#include "platform/objectstore/ObjectStore.h"
#include "platform/text/Text.h"
#include "store/DatabaseNames.h"

namespace calyra {

ItemKind ItemKindOf(ItemOid oid) {
  CEOIDINFO info{};
  if (oid == 0 || !CeOidGetInfo(oid, &info) || info.wObjType != OBJTYPE_RECORD) return ItemKind::None;
  CEOID parent = info.infRecord.oidParent;
  if (!CeOidGetInfo(parent, &info) || info.wObjType != OBJTYPE_DATABASE) return ItemKind::None;
  std::u16string_view name = info.infDatabase.szDbaseName;
  for (ItemKind kind : {ItemKind::Contact, ItemKind::Appointment, ItemKind::Task}) {
    if (platform::EqualsNoCase(name, DatabaseNameOfKind(kind))) return kind;
  }
  return ItemKind::None;
}

}  // namespace calyra
