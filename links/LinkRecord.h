#pragma once

#include <array>
#include <string>

#include "platform/objectstore/ObjectStoreTypes.h"
#include "store/ItemKind.h"

namespace calyra {

// What a link points to. The type names the far end: an item link A→B carries the kind of B.
enum class LinkType : WORD {
  None = 0,
  Contact = 1,
  Appointment = 2,
  Task = 3,
  File = 4,
  Web = 5,
  Icon = 6,
};

// File, web and icon links keep a text (path or address) instead of a target item.
constexpr bool HasLinkText(LinkType type) {
  return type == LinkType::File || type == LinkType::Web || type == LinkType::Icon;
}

// The link type of a link whose far end is an item of `kind`; None for anything but the three kinds.
LinkType LinkTypeOfItem(ItemKind kind);
// The item kind a link of `type` points to; None for file, web and icon links.
ItemKind ItemKindOfLink(LinkType type);

// The link database and its record.
inline constexpr const char16_t* kLinkDatabaseName = u"CalyraLinks";
inline constexpr DWORD kLinkDatabaseType = 0x20010002;
inline constexpr CEPROPID kLinkOwnerProperty = 0x00010003;
inline constexpr CEPROPID kLinkIdProperty = 0x00020002;
inline constexpr CEPROPID kLinkTypeProperty = 0x00030002;
inline constexpr CEPROPID kLinkTargetProperty = 0x00040003;
inline constexpr CEPROPID kLinkTextProperty = 0x0005001F;
inline constexpr CEPROPID kLinkReservedProperty = 0x00060005;
// Link ids run from 1 to kLastLinkId; 65535 is never used.
inline constexpr WORD kLastLinkId = 65534;
// Stored texts are read back cut to this many characters.
inline constexpr size_t kLinkTextChars = 259;

// One link as it is read: every field 0 or empty when its property is absent.
struct LinkRecord {
  ItemOid owner = 0;
  WORD linkId = 0;
  LinkType type = LinkType::None;
  std::u16string text;  // the stored text, or the far end's display text once resolved
  ItemOid target = 0;
  std::array<BYTE, 8> reserved{};
};

// The record of the properties a read returned: properties flagged as not found and unknown ones are
// skipped, the text is cut at kLinkTextChars.
LinkRecord LinkRecordFromProperties(const CEPROPVAL* values, WORD count);

}  // namespace calyra
