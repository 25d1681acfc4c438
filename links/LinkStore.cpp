#include "links/LinkStore.h"

#include <cstring>

#include "links/LinkCache.h"
#include "platform/core/LocalMemory.h"
#include "platform/files/FileSystem.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/ItemIdentity.h"
#include "store/NamedLock.h"
#include "store/PimDatabase.h"
#include "store/StoreTransaction.h"

namespace calyra {

namespace {

// Serialises choosing a free id and writing the link among every process of the device.
constexpr const char16_t* kAddLinkMutexName = u"CalyraLinksAddMtx";
constexpr WORD kRecordProperties = 5;
// Ids above this are stored as negative 16-bit values and sort before the others.
constexpr WORD kLastPositiveId = 0x7FFF;

CEGUID ObjectStoreVolume() {
  CEGUID volume;
  CREATE_SYSTEMGUID(&volume);
  return volume;
}

bool ObjectExists(CEOID oid) {
  CEOIDINFO info{};
  return oid != 0 && CeOidGetInfo(oid, &info) != FALSE;
}

bool FileExists(const std::u16string& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The read buffer may hold link texts: it is wiped before it is freed.
void FreeReadBuffer(BYTE* buffer, DWORD size) {
  if (!buffer) return;
  std::memset(buffer, 0, size);
  LocalFree(buffer);
}

}  // namespace

LinkStore::~LinkStore() {
  CloseLinkStore();
}

bool LinkStore::OpenLinkStore(bool createIfMissing, bool autoIncrement, HWND notifyWindow, DWORD notifyParam,
                              CEPROPID sortProperty) {
  if (handle_ != INVALID_HANDLE_VALUE && sortProperty == sortProperty_ && notifyWindow == notifyWindow_ &&
      notifyParam == notifyParam_ && autoIncrement == autoIncrement_) {
    return true;
  }
  CloseLinkStore();
  CENOTIFYREQUEST* notify = nullptr;
  if (notifyWindow) {
    notifyRequest_ =
        CENOTIFYREQUEST{sizeof(CENOTIFYREQUEST), notifyWindow, CEDB_EXNOTIFICATION, nullptr, notifyParam};
    notify = &notifyRequest_;
  }
  CEGUID volume = ObjectStoreVolume();
  DWORD flags = autoIncrement ? CEDB_AUTOINCREMENT : 0;
  databaseOid_ = 0;
  handle_ = CeOpenDatabaseEx(&volume, &databaseOid_, kLinkDatabaseName, sortProperty, flags, notify);
  if (handle_ == INVALID_HANDLE_VALUE) {
    if (!createIfMissing || !Create()) {
      CloseLinkStore();
      return false;
    }
    databaseOid_ = 0;
    handle_ = CeOpenDatabaseEx(&volume, &databaseOid_, kLinkDatabaseName, sortProperty, flags, notify);
    if (handle_ == INVALID_HANDLE_VALUE) {
      CloseLinkStore();
      return false;
    }
  }
  sortProperty_ = sortProperty;
  notifyWindow_ = notifyWindow;
  notifyParam_ = notifyParam;
  autoIncrement_ = autoIncrement;
  return true;
}

bool LinkStore::Create() {
  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDNAME | CEDB_VALIDTYPE | CEDB_VALIDSORTSPEC;
  std::char_traits<char16_t>::copy(info.szDbaseName, kLinkDatabaseName,
                                   std::char_traits<char16_t>::length(kLinkDatabaseName) + 1);
  info.dwDbaseType = kLinkDatabaseType;
  info.wNumSortOrder = 3;
  info.rgSortSpecs[0] = SORTORDERSPEC{kLinkOwnerProperty, 0};
  info.rgSortSpecs[1] = SORTORDERSPEC{kLinkIdProperty, 0};
  info.rgSortSpecs[2] = SORTORDERSPEC{kLinkTargetProperty, 0};
  CEGUID volume = ObjectStoreVolume();
  return CeCreateDatabaseEx(&volume, &info) != 0;
}

void LinkStore::CloseLinkStore() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  databaseOid_ = 0;
  autoIncrement_ = false;
  notifyWindow_ = nullptr;
  notifyParam_ = 0;
  notifyRequest_ = CENOTIFYREQUEST{};
  sortProperty_ = 0;
}

bool LinkStore::Open(CEPROPID sortProperty, bool autoIncrement, bool create) {
  return OpenLinkStore(create, autoIncrement, nullptr, 0, sortProperty);
}

bool LinkStore::SeekValue(DWORD seekType, CEPROPID property, DWORD value) {
  CEPROPVAL key{};
  key.propid = property;
  if (property == kLinkIdProperty) {
    key.val.iVal = static_cast<SHORT>(static_cast<WORD>(value));
  } else {
    key.val.ulVal = value;
  }
  return CeSeekDatabase(handle_, seekType, reinterpret_cast<uintptr_t>(&key), nullptr) != 0;
}

bool LinkStore::ReadCurrent(LinkRecord* record, CEOID* oid) {
  BYTE* buffer = nullptr;
  DWORD size = 0;
  WORD count = 0;
  CEOID read = CeReadRecordPropsEx(handle_, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr);
  if (read != 0) *record = LinkRecordFromProperties(reinterpret_cast<const CEPROPVAL*>(buffer), count);
  FreeReadBuffer(buffer, size);
  if (oid) *oid = read;
  return read != 0;
}

std::optional<WORD> LinkStore::IdAtIndex(DWORD index) {
  if (CeSeekDatabase(handle_, CEDB_SEEK_BEGINNING, index, nullptr) == 0) return std::nullopt;
  CEPROPID property = kLinkIdProperty;
  CEPROPVAL value{};
  BYTE* buffer = reinterpret_cast<BYTE*>(&value);
  DWORD size = sizeof(value);
  WORD count = 1;
  if (CeReadRecordPropsEx(handle_, 0, &count, &property, &buffer, &size, nullptr) == 0) return std::nullopt;
  return (value.wFlags & CEDB_PROPNOTFOUND) ? WORD{0} : value.val.uiVal;
}

bool LinkStore::IdInUse(WORD linkId) {
  CeSeekDatabase(handle_, CEDB_SEEK_BEGINNING, 0, nullptr);
  return SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, kLinkIdProperty, linkId);
}

// The smallest id not in use. The ids that count from 1 stand sorted after the first id above 0: when the
// last of them equals their number there is no gap, else the first index whose id is not its place finds
// the gap in a binary search. Ids that are not unique (only a foreign writer makes them) may hide a gap:
// the id is then still one not in use, checked before it is taken, and when the check fails every id is
// tried in turn.
// Records whose id is 0, or above 32767 and so stored below zero, sort before the others. Only a
// foreign writer makes them, so the place of the first positive id is counted only when there are any.
DWORD LinkStore::FirstPositiveIndex(DWORD records) {
  std::optional<WORD> lowest = IdAtIndex(0);
  if (!lowest) return records;
  if (*lowest >= 1 && *lowest <= kLastPositiveId) return 0;
  DWORD index = 0;
  bool found = SeekValue(CEDB_SEEK_VALUEGREATER, kLinkIdProperty, 0) &&
               CeSeekDatabase(handle_, CEDB_SEEK_CURRENT, 0, &index) != 0;
  return found ? index : records;
}

WORD LinkStore::SmallestFreeId() {
  DWORD records = DatabaseRecordCount(databaseOid_);
  DWORD first = FirstPositiveIndex(records);
  DWORD low = 0;
  DWORD high = records > first ? records - first : 0;
  // Ids without a gap, the usual case: the last one tells, with no search.
  std::optional<WORD> last = high > 0 ? IdAtIndex(first + high - 1) : std::nullopt;
  if (last && *last == high) low = high;
  while (low < high) {
    DWORD middle = low + (high - low) / 2;
    std::optional<WORD> id = IdAtIndex(first + middle);
    if (id && *id == middle + 1) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low + 1 <= kLastPositiveId && !IdInUse(static_cast<WORD>(low + 1)) &&
      (low == 0 || IdInUse(static_cast<WORD>(low)))) {
    return static_cast<WORD>(low + 1);
  }
  for (DWORD id = 1; id <= kLastLinkId; ++id) {
    if (!IdInUse(static_cast<WORD>(id))) return static_cast<WORD>(id);
  }
  return 0;
}

bool LinkStore::WriteLink(ItemOid owner, WORD linkId, LinkType type, ItemOid target,
                          std::u16string_view text) {
  std::u16string storedText(text);
  CEPROPVAL props[kRecordProperties]{};
  props[0].propid = kLinkOwnerProperty;
  props[0].val.ulVal = owner;
  props[1].propid = kLinkIdProperty;
  props[1].val.uiVal = linkId;
  props[2].propid = kLinkTypeProperty;
  props[2].val.uiVal = static_cast<WORD>(type);
  if (HasLinkText(type)) {
    props[3].propid = kLinkTextProperty;
    props[3].val.lpwstr = storedText.data();
  } else {
    props[3].propid = kLinkTargetProperty;
    props[3].val.ulVal = target;
  }
  props[4].propid = kLinkReservedProperty;
  props[4].val.dblVal = 0.0;
  return CeWriteRecordProps(handle_, 0, kRecordProperties, props) != 0;
}

bool LinkStore::AddLink(ItemOid owner, WORD* linkId, LinkType type, ItemOid target,
                        std::u16string_view text) {
  WORD id = 0;
  bool written = false;
  {
    NamedLock lock(kAddLinkMutexName);
    if (!Open(kLinkIdProperty, false, true)) return false;
    id = SmallestFreeId();
    if (id == 0) {
      CloseLinkStore();
      return false;
    }
    written = WriteLink(owner, id, type, target, text);
  }
  if (written && linkId) *linkId = id;
  CloseLinkStore();
  if (cache_) cache_->Append(owner, id, type, HasLinkText(type) ? 0 : target);
  return written;
}

bool LinkStore::AddTwoWayLink(ItemOid owner, WORD* linkId, LinkType type, ItemOid target) {
  if (!AddLink(owner, linkId, type, target)) return false;
  WORD reverseId = 0;
  AddLink(target, &reverseId, LinkTypeOfItem(ItemKindOf(owner)), owner);
  return true;
}

bool LinkStore::DeleteLink(DWORD linkId) {
  WORD id = static_cast<WORD>(linkId);
  if (id == 0 || !Open(kLinkIdProperty) || !SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, kLinkIdProperty, id))
    return false;
  LinkRecord record;
  CEOID oid = 0;
  if (!ReadCurrent(&record, &oid)) {
    CeDeleteRecord(handle_, CeSeekDatabase(handle_, CEDB_SEEK_CURRENT, 0, nullptr));
    return true;
  }
  if (cache_) cache_->RemoveLinkId(id);
  CeDeleteRecord(handle_, oid);
  if (HasLinkText(record.type) || !Open(kLinkOwnerProperty)) return true;
  // Every reverse half goes, also duplicates of it: walk the records the far end owns.
  bool positioned = SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, kLinkOwnerProperty, record.target);
  while (positioned) {
    LinkRecord reverse;
    CEOID reverseOid = 0;
    bool read = ReadCurrent(&reverse, &reverseOid);
    if (read && reverse.owner != record.target) break;
    if (read && reverse.target == record.owner && CeDeleteRecord(handle_, reverseOid)) {
      if (cache_) cache_->RemoveLinkId(reverse.linkId);
      // Deleting moved the position on to the record after it.
      positioned = CeSeekDatabase(handle_, CEDB_SEEK_CURRENT, 0, nullptr) != 0;
    } else {
      positioned = SeekValue(CEDB_SEEK_VALUENEXTEQUAL, kLinkOwnerProperty, record.target);
    }
  }
  return true;
}

int LinkStore::DeleteAllEqual(CEPROPID property, ItemOid item) {
  int deleted = 0;
  while (SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, property, item)) {
    CEOID record = CeSeekDatabase(handle_, CEDB_SEEK_CURRENT, 0, nullptr);
    if (!CeDeleteRecord(handle_, record)) break;
    ++deleted;
  }
  return deleted;
}

bool LinkStore::DeleteLinksOfItem(ItemOid item, int* count) {
  if (!Open(kLinkOwnerProperty, true)) return false;
  int deleted = DeleteAllEqual(kLinkOwnerProperty, item);
  if (cache_) cache_->RemoveItem(item);
  if (Open(kLinkTargetProperty, true)) deleted += DeleteAllEqual(kLinkTargetProperty, item);
  if (count) *count = deleted;
  return true;
}

CEOID LinkStore::FirstLinkOf(ItemOid owner, LinkRecord* record, bool resolveText) {
  if (!Open(kLinkOwnerProperty) || !SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, kLinkOwnerProperty, owner)) return 0;
  CEOID oid = 0;
  if (!ReadCurrent(record, &oid)) return 0;
  if (resolveText) ResolveLinkText(record);
  return oid;
}

CEOID LinkStore::NextLinkOf(ItemOid owner, LinkRecord* record, bool resolveText) {
  if (handle_ == INVALID_HANDLE_VALUE || !SeekValue(CEDB_SEEK_VALUENEXTEQUAL, kLinkOwnerProperty, owner))
    return 0;
  CEOID oid = 0;
  if (!ReadCurrent(record, &oid)) return 0;
  if (resolveText) ResolveLinkText(record);
  return oid;
}

bool LinkStore::ReadLinkById(DWORD linkId, LinkRecord* record) {
  WORD id = static_cast<WORD>(linkId);
  bool read = id != 0 && Open(kLinkIdProperty) && SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, kLinkIdProperty, id) &&
              ReadCurrent(record);
  CloseLinkStore();
  return read;
}

bool LinkStore::IsStale(const LinkRecord& record) {
  if (!ObjectExists(record.owner)) return true;
  switch (record.type) {
    case LinkType::File:
    case LinkType::Icon:
      return !record.text.empty() && !FileExists(record.text);
    case LinkType::Web:
      return false;
    default:
      return !ObjectExists(record.target);
  }
}

void LinkStore::PurgeStaleLinks() {
  if (!Open(kLinkIdProperty) || CeSeekDatabase(handle_, CEDB_SEEK_BEGINNING, 0, nullptr) == 0) {
    CloseLinkStore();
    return;
  }
  for (;;) {
    LinkRecord record;
    CEOID oid = 0;
    // Deleting the current record moves the position on to the next one.
    if (ReadCurrent(&record, &oid) && IsStale(record) && CeDeleteRecord(handle_, oid)) {
      if (CeSeekDatabase(handle_, CEDB_SEEK_CURRENT, 0, nullptr) == 0) break;
      continue;
    }
    if (CeSeekDatabase(handle_, CEDB_SEEK_CURRENT, 1, nullptr) == 0) break;
  }
  CloseLinkStore();
}

namespace {

// Links read in one read step of the store: its locks are taken once per batch rather than once per
// record, and a host thread that writes waits for one batch at most.
constexpr DWORD kLoadBatch = 512;

struct CachedLink {
  ItemOid owner;
  WORD linkId;
  LinkType type;
  ItemOid target;
};

// Reads up to `wanted` links at the handle's position into `links`; false when the reading ended early.
bool ReadLinkBatch(HANDLE handle, DWORD wanted, std::vector<CachedLink>& links) {
  static constexpr CEPROPID kCached[] = {kLinkOwnerProperty, kLinkIdProperty, kLinkTypeProperty,
                                         kLinkTargetProperty};
  alignas(CEPROPVAL) BYTE buffer[128] = {};
  StoreTransaction step(StoreTransaction::Kind::Read);
  for (DWORD read = 0; read < wanted; ++read) {
    BYTE* data = buffer;
    DWORD size = sizeof(buffer);
    WORD count = std::size(kCached);
    if (CeReadRecordPropsEx(handle, 0, &count, kCached, &data, &size, nullptr) == 0) return false;
    LinkRecord record = LinkRecordFromProperties(reinterpret_cast<const CEPROPVAL*>(buffer), count);
    links.push_back({record.owner, record.linkId, record.type, record.target});
  }
  return true;
}

}  // namespace

void LoadLinkCache(LinkCache& cache) {
  CEGUID volume = ObjectStoreVolume();
  CEOID database = 0;
  HANDLE handle = CeOpenDatabaseEx(&volume, &database, kLinkDatabaseName, kLinkOwnerProperty,
                                   CEDB_AUTOINCREMENT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  DWORD records = DatabaseRecordCount(database);
  CeSeekDatabase(handle, CEDB_SEEK_BEGINNING, 0, nullptr);
  std::vector<CachedLink> links;
  links.reserve(kLoadBatch);
  for (DWORD done = 0; done < records; done += kLoadBatch) {
    links.clear();
    bool whole = ReadLinkBatch(handle, std::min(kLoadBatch, records - done), links);
    // The cache is filled outside the store's step, so that its lock never waits inside one.
    for (const CachedLink& link : links) cache.Append(link.owner, link.linkId, link.type, link.target);
    if (!whole) break;
  }
  CloseHandle(handle);
}

}  // namespace calyra
