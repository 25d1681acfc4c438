#include "store/PimDatabase.h"

#include <string>

#include "platform/core/LocalMemory.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/DatabaseNames.h"

namespace calyra {

HANDLE OpenPimDatabase(ItemKind kind, CEPROPID sortProperty, bool autoIncrement, CEOID* databaseOid) {
  const char16_t* name = DatabaseNameOfKind(kind);
  if (name == nullptr) return INVALID_HANDLE_VALUE;
  CEOID oid = 0;
  HANDLE db =
      CeOpenDatabaseEx(nullptr, &oid, name, sortProperty, autoIncrement ? CEDB_AUTOINCREMENT : 0, nullptr);
  // An opened database stands on its first record already; a seek would look it up at once, and
  // most callers move elsewhere first.
  if (db == INVALID_HANDLE_VALUE) return db;
  if (databaseOid) *databaseOid = oid;
  return db;
}

bool ReadPimProperty(ItemOid record, ItemKind kind, CEPROPID tag, std::vector<BYTE>* data) {
  HANDLE db = OpenPimDatabase(kind, 0, false, nullptr);
  if (db == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  LPBYTE buffer = nullptr;
  DWORD size = 0;
  WORD count = 1;
  if (record != 0 && CeSeekDatabase(db, CEDB_SEEK_CEOID, record, nullptr) == record &&
      CeReadRecordProps(db, CEDB_ALLOWREALLOC, &count, &tag, &buffer, &size) == record && buffer != nullptr) {
    const auto* value = reinterpret_cast<const CEPROPVAL*>(buffer);
    if (!(value->wFlags & CEDB_PROPNOTFOUND) && TypeFromPropID(value->propid) == CEVT_BLOB &&
        value->val.blob.dwCount > 0) {
      if (data) data->assign(value->val.blob.lpb, value->val.blob.lpb + value->val.blob.dwCount);
      found = true;
    }
  }
  LocalFree(buffer);
  CloseHandle(db);
  return found;
}

bool WritePimProperty(ItemOid record, ItemKind kind, CEPROPID tag, const void* data, DWORD size) {
  if (record == 0 || (data == nullptr && size > 0)) return false;
  CEPROPVAL value{};
  value.propid = tag;
  std::u16string text;
  switch (TypeFromPropID(tag)) {
    case CEVT_BLOB:
      value.val.blob.dwCount = size;
      value.val.blob.lpb = static_cast<LPBYTE>(const_cast<void*>(data));
      break;
    case CEVT_LPWSTR:
      text.assign(static_cast<const char16_t*>(data), size / sizeof(char16_t));
      value.val.lpwstr = text.data();
      break;
    default:
      return false;
  }
  HANDLE db = OpenPimDatabase(kind, 0, true, nullptr);
  if (db == INVALID_HANDLE_VALUE) return false;
  CEOID written = CeWriteRecordProps(db, record, 1, &value);
  CloseHandle(db);
  return written == record;
}

DWORD DatabaseRecordCount(CEOID database) {
  CEOIDINFO info{};
  if (!CeOidGetInfo(database, &info) || info.wObjType != OBJTYPE_DATABASE) return 0;
  return info.infDatabase.dwNumRecords;
}

}  // namespace calyra
