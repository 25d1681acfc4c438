#include "platform/outlook/ItemStore.h"

#include "platform/core/LastError.h"
#include "platform/core/LocalMemory.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/outlook/OutlookProperties.h"
#include "platform/text/Text.h"

namespace platform::outlook {
namespace {

// Closes an open database when it goes.
class OpenDatabase {
 public:
  explicit OpenDatabase(HANDLE handle) : handle_(handle) {}
  ~OpenDatabase() {
    if (valid()) CloseHandle(handle_);
  }
  OpenDatabase(const OpenDatabase&) = delete;
  OpenDatabase& operator=(const OpenDatabase&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

HANDLE Open(ItemKind kind, bool create, bool sorted = false) {
  const char16_t* name = DatabaseNameOf(kind);
  if (name == nullptr) return INVALID_HANDLE_VALUE;
  CEOID oid = 0;
  CEPROPID sort = sorted ? SortPropertyOf(kind) : 0;
  HANDLE database = CeOpenDatabaseEx(nullptr, &oid, name, sort, 0, nullptr);
  if (database != INVALID_HANDLE_VALUE || !create || GetLastError() != ERROR_FILE_NOT_FOUND) return database;
  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDNAME | CEDB_VALIDSORTSPEC;
  BoundedCopy(info.szDbaseName, CEDB_MAXDBASENAMELEN, name);
  info.wNumSortOrder = 1;
  info.rgSortSpecs[0].propid = SortPropertyOf(kind);
  info.rgSortSpecs[0].dwFlags = kind == ItemKind::Appointment ? 0 : CEDB_SORT_CASEINSENSITIVE;
  CeCreateDatabaseEx(nullptr, &info);  // another process may have made it meanwhile
  oid = 0;
  return CeOpenDatabaseEx(nullptr, &oid, name, sort, 0, nullptr);
}

PropValue FromPropVal(const CEPROPVAL& value) {
  PropValue out;
  out.type = TypeFromPropID(value.propid);
  switch (out.type) {
    case CEVT_I2:
      out.number = static_cast<uint32_t>(static_cast<int32_t>(value.val.iVal));
      break;
    case CEVT_UI2:
      out.number = value.val.uiVal;
      break;
    case CEVT_I4:
    case CEVT_UI4:
    case CEVT_BOOL:
      out.number = value.val.ulVal;
      break;
    case CEVT_FILETIME:
      out.ticks = static_cast<int64_t>((static_cast<uint64_t>(value.val.filetime.dwHighDateTime) << 32) |
                                       value.val.filetime.dwLowDateTime);
      break;
    case CEVT_LPWSTR:
      out.text = std::u16string(TextView(value.val.lpwstr));
      break;
    case CEVT_BLOB:
      if (value.val.blob.lpb != nullptr)
        out.blob.assign(value.val.blob.lpb, value.val.blob.lpb + value.val.blob.dwCount);
      break;
    default:
      break;
  }
  return out;
}

}  // namespace

PropValue NumberValue(uint32_t number) {
  PropValue value;
  value.number = number;
  return value;
}

PropValue TimeValue(int64_t ticks) {
  PropValue value;
  value.ticks = ticks;
  return value;
}

PropValue TextValue(std::u16string text) {
  PropValue value;
  value.absent = text.empty();
  value.text = std::move(text);
  return value;
}

PropValue BlobValue(std::vector<uint8_t> bytes) {
  PropValue value;
  value.absent = bytes.empty();
  value.blob = std::move(bytes);
  return value;
}

const char16_t* DatabaseNameOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::Appointment:
      return u"Appointments Database";
    case ItemKind::Task:
      return u"Tasks Database";
    case ItemKind::Contact:
      return u"Contacts Database";
    default:
      return nullptr;
  }
}

CEPROPID SortPropertyOf(ItemKind kind) {
  switch (kind) {
    case ItemKind::Appointment:
      return kPropAppointmentStart;
    case ItemKind::Task:
      return kPropSubject;
    case ItemKind::Contact:
      return kPropFileAs;
    default:
      return 0;
  }
}

ItemKind KindOfRecord(CEOID oid) {
  if (oid == 0) return ItemKind::None;
  CEOIDINFO info{};
  if (!CeOidGetInfo(oid, &info) || info.wObjType != OBJTYPE_RECORD) return ItemKind::None;
  CEOIDINFO parent{};
  if (!CeOidGetInfo(info.infRecord.oidParent, &parent) || parent.wObjType != OBJTYPE_DATABASE)
    return ItemKind::None;
  std::u16string_view name = TextView(parent.infDatabase.szDbaseName, CEDB_MAXDBASENAMELEN);
  for (ItemKind kind : {ItemKind::Appointment, ItemKind::Task, ItemKind::Contact}) {
    if (EqualsNoCase(name, DatabaseNameOf(kind))) return kind;
  }
  return ItemKind::None;
}

bool ReadItemRecord(ItemKind kind, CEOID oid, PropertyMap* properties, bool kindKnown) {
  if (oid == 0 || (!kindKnown && KindOfRecord(oid) != kind)) return false;
  OpenDatabase database(Open(kind, false));
  if (!database.valid() || CeSeekDatabase(database.get(), CEDB_SEEK_CEOID, oid, nullptr) != oid) return false;
  LPBYTE buffer = nullptr;
  DWORD size = 0;
  WORD count = 0;
  if (CeReadRecordPropsEx(database.get(), CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size, nullptr) !=
      oid) {
    if (buffer) LocalFree(buffer);
    return false;
  }
  properties->clear();
  const auto* values = reinterpret_cast<const CEPROPVAL*>(buffer);
  for (WORD i = 0; i < count; ++i) {
    if (values[i].wFlags & CEDB_PROPNOTFOUND) continue;
    (*properties)[values[i].propid] = FromPropVal(values[i]);
  }
  LocalFree(buffer);
  return true;
}

CEOID WriteItemRecord(ItemKind kind, CEOID oid, const PropertyMap& properties) {
  OpenDatabase database(Open(kind, true));
  if (!database.valid()) return 0;
  std::vector<CEPROPVAL> values;
  values.reserve(properties.size());
  for (const auto& [propid, value] : properties) {
    CEPROPVAL v{};
    v.propid = propid;
    WORD type = TypeFromPropID(propid);
    if (value.absent) {
      if (oid == 0) continue;  // nothing to delete on a new record
      v.wFlags = CEDB_PROPDELETE;
    } else if (type == CEVT_FILETIME) {
      v.val.filetime.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(value.ticks));
      v.val.filetime.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(value.ticks) >> 32);
    } else if (type == CEVT_LPWSTR) {
      v.val.lpwstr = const_cast<LPWSTR>(value.text.c_str());  // the map outlives the write
    } else if (type == CEVT_BLOB) {
      v.val.blob.dwCount = static_cast<DWORD>(value.blob.size());
      v.val.blob.lpb = const_cast<LPBYTE>(value.blob.data());
    } else if (type == CEVT_I2 || type == CEVT_UI2) {
      v.val.uiVal = static_cast<USHORT>(value.number);
    } else {
      v.val.ulVal = value.number;
    }
    values.push_back(v);
  }
  if (oid != 0 && KindOfRecord(oid) != kind) return 0;
  if (values.empty() && oid != 0) return oid;
  return CeWriteRecordProps(database.get(), oid, static_cast<WORD>(values.size()), values.data());
}

bool DeleteItemRecord(ItemKind kind, CEOID oid) {
  if (oid == 0 || KindOfRecord(oid) != kind) return false;
  OpenDatabase database(Open(kind, false));
  return database.valid() && CeDeleteRecord(database.get(), oid);
}

std::vector<CEOID> ListItemRecords(ItemKind kind) {
  std::vector<CEOID> oids;
  OpenDatabase database(Open(kind, false, true));
  if (!database.valid()) return oids;
  if (CeSeekDatabase(database.get(), CEDB_SEEK_BEGINNING, 0, nullptr) == 0) return oids;
  const CEPROPID wanted[] = {kPropExceptionOf};
  LPBYTE buffer = nullptr;
  DWORD size = 0;
  for (;;) {
    WORD count = 1;
    CEOID oid =
        CeReadRecordPropsEx(database.get(), CEDB_ALLOWREALLOC, &count, wanted, &buffer, &size, nullptr);
    if (oid == 0) break;
    const auto* values = reinterpret_cast<const CEPROPVAL*>(buffer);
    bool exception = kind == ItemKind::Appointment && !(values[0].wFlags & CEDB_PROPNOTFOUND);
    if (!exception) oids.push_back(oid);
    if (CeSeekDatabase(database.get(), CEDB_SEEK_CURRENT, 1, nullptr) == 0) break;
  }
  if (buffer) LocalFree(buffer);
  return oids;
}

}  // namespace platform::outlook
