#include "links/LinkRecord.h"

#include <cstring>

#include "platform/text/Text.h"

namespace calyra {

LinkType LinkTypeOfItem(ItemKind kind) {
  switch (kind) {
    case ItemKind::Contact:
      return LinkType::Contact;
    case ItemKind::Appointment:
      return LinkType::Appointment;
    case ItemKind::Task:
      return LinkType::Task;
    default:
      return LinkType::None;
  }
}

ItemKind ItemKindOfLink(LinkType type) {
  switch (type) {
    case LinkType::Contact:
      return ItemKind::Contact;
    case LinkType::Appointment:
      return ItemKind::Appointment;
    case LinkType::Task:
      return ItemKind::Task;
    default:
      return ItemKind::None;
  }
}

LinkRecord LinkRecordFromProperties(const CEPROPVAL* values, WORD count) {
  LinkRecord record;
  for (WORD i = 0; values && i < count; ++i) {
    const CEPROPVAL& value = values[i];
    if (value.wFlags & CEDB_PROPNOTFOUND) continue;
    switch (value.propid) {
      case kLinkOwnerProperty:
        record.owner = value.val.ulVal;
        break;
      case kLinkIdProperty:
        record.linkId = value.val.uiVal;
        break;
      case kLinkTypeProperty:
        record.type = static_cast<LinkType>(value.val.uiVal);
        break;
      case kLinkTargetProperty:
        record.target = value.val.ulVal;
        break;
      case kLinkTextProperty:
        record.text = value.val.lpwstr ? platform::TextView(value.val.lpwstr, kLinkTextChars) : u"";
        break;
      case kLinkReservedProperty:
        std::memcpy(record.reserved.data(), &value.val.dblVal, record.reserved.size());
        break;
      default:
        break;
    }
  }
  return record;
}

}  // namespace calyra
