#include "store/Database.h"

#include "platform/core/LastError.h"
#include "platform/core/LocalMemory.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

bool Refuse(DWORD error) {
  SetLastError(error);
  return false;
}

CEDBASEINFO InfoWithSortOrders(const std::vector<SORTORDERSPEC>& sortOrders) {
  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDSORTSPEC;
  info.wNumSortOrder = static_cast<WORD>(sortOrders.size());
  for (size_t i = 0; i < sortOrders.size() && i < CEDB_MAXSORTORDER; ++i) info.rgSortSpecs[i] = sortOrders[i];
  return info;
}

}  // namespace

Database::~Database() {
  if (IsOpen()) CloseHandle(handle_);
}

bool Database::Check() {
  return true;
}

bool Database::Create(std::u16string_view name, DWORD type, const std::vector<SORTORDERSPEC>& sortOrders) {
  if (!Check()) return false;
  if (sortOrders.size() > CEDB_MAXSORTORDER) return Refuse(ERROR_INVALID_PARAMETER);
  CEDBASEINFO info = InfoWithSortOrders(sortOrders);
  info.dwFlags |= CEDB_VALIDNAME | CEDB_VALIDTYPE;
  platform::BoundedCopy(info.szDbaseName, CEDB_MAXDBASENAMELEN, name);
  info.dwDbaseType = type;
  CEOID oid = CeCreateDatabaseEx(nullptr, &info);
  if (oid == 0) return false;
  oid_ = oid;
  return true;
}

bool Database::OpenByOid(CEOID oid, CEPROPID sortProperty, DWORD flags) {
  if (!Check()) return false;
  if (IsOpen()) Close();
  CEGUID volume;
  CREATE_SYSTEMGUID(&volume);
  CEOID target = oid;
  HANDLE handle = CeOpenDatabaseEx(&volume, &target, nullptr, sortProperty, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  handle_ = handle;
  oid_ = target;
  positionValid_ = false;
  endOfData_ = false;
  return true;
}

bool Database::OpenByName(std::u16string_view name, CEPROPID sortProperty, DWORD flags) {
  if (!Check()) return false;
  if (IsOpen()) Close();
  CEGUID volume;
  CREATE_SYSTEMGUID(&volume);
  CEOID oid = 0;
  std::u16string text(name);
  HANDLE handle = CeOpenDatabaseEx(&volume, &oid, text.c_str(), sortProperty, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  handle_ = handle;
  oid_ = oid;
  positionValid_ = false;
  endOfData_ = false;
  return true;
}

bool Database::Exists(std::u16string_view name) {
  if (!Check()) return false;
  CEOID oid = 0;
  std::u16string text(name);
  HANDLE handle = CeOpenDatabaseEx(nullptr, &oid, text.c_str(), 0, 0, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    CloseHandle(handle);
    return true;
  }
  return GetLastError() != ERROR_FILE_NOT_FOUND;
}

bool Database::Close() {
  if (!Check()) return false;
  if (!IsOpen()) return Refuse(ERROR_INVALID_HANDLE);
  BOOL closed = CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  positionValid_ = false;
  return closed != FALSE;
}

bool Database::Delete() {
  if (!Check()) return false;
  if (IsOpen()) Close();
  if (!CeDeleteDatabase(oid_)) return false;
  oid_ = 0;
  return true;
}

bool Database::GetInformation(DatabaseInformation* information) {
  if (!Check() || information == nullptr) return false;
  *information = DatabaseInformation{};
  CEOIDINFO info{};
  if (!CeOidGetInfo(oid_, &info) || info.wObjType != OBJTYPE_DATABASE) return true;  // unknown: all zero
  const CEDBASEINFO& db = info.infDatabase;
  information->name = db.szDbaseName;
  information->type = db.dwDbaseType;
  information->flags = db.dwDbaseFlags;
  information->sortOrders.assign(db.rgSortSpecs, db.rgSortSpecs + db.wNumSortOrder);
  information->records = db.dwNumRecords;
  information->size = db.dwSize;
  return true;
}

bool Database::SetName(std::u16string_view name) {
  if (!Check()) return false;
  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDNAME;
  platform::BoundedCopy(info.szDbaseName, CEDB_MAXDBASENAMELEN, name);
  return CeSetDatabaseInfoEx(nullptr, oid_, &info) != FALSE;
}

bool Database::SetType(DWORD type) {
  if (!Check()) return false;
  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDTYPE;
  info.dwDbaseType = type;
  return CeSetDatabaseInfoEx(nullptr, oid_, &info) != FALSE;
}

bool Database::SetSortOrders(const std::vector<SORTORDERSPEC>& sortOrders) {
  if (!Check()) return false;
  if (sortOrders.size() > CEDB_MAXSORTORDER) return Refuse(ERROR_INVALID_PARAMETER);
  CEDBASEINFO info = InfoWithSortOrders(sortOrders);
  return CeSetDatabaseInfoEx(nullptr, oid_, &info) != FALSE;
}

bool Database::Seek(DWORD seekType, uintptr_t value) {
  if (!Check()) return false;
  if (!IsOpen()) return Refuse(ERROR_INVALID_HANDLE);
  CEOID found = CeSeekDatabase(handle_, seekType, value, nullptr);
  if (found == 0) return false;
  current_ = found;
  positionValid_ = true;
  endOfData_ = false;
  return true;
}

bool Database::SeekBeginning() {
  return Seek(CEDB_SEEK_BEGINNING, 0);
}
bool Database::SeekEnd(DWORD offsetBack) {
  return Seek(CEDB_SEEK_END, offsetBack);
}
bool Database::SeekToOid(CEOID record) {
  return Seek(CEDB_SEEK_CEOID, record);
}

bool Database::SeekNext() {
  if (Seek(CEDB_SEEK_CURRENT, 1)) return true;
  endOfData_ = true;
  return false;
}

bool Database::SeekPrevious() {
  return Seek(CEDB_SEEK_CURRENT, static_cast<DWORD>(-1));
}

bool Database::SeekValue(DWORD seekType, const PropertyValue& value) {
  switch (seekType) {
    case CEDB_SEEK_VALUESMALLER:
    case CEDB_SEEK_VALUEFIRSTEQUAL:
    case CEDB_SEEK_VALUENEXTEQUAL:
    case CEDB_SEEK_VALUEGREATER:
      break;
    default:
      return Refuse(ERROR_INVALID_PARAMETER);
  }
  CEPROPVAL platformValue = value.ToPropVal();
  return Seek(seekType, reinterpret_cast<uintptr_t>(&platformValue));
}

long Database::CurrentIndex() {
  if (!Check() || !IsOpen()) return -1;
  DWORD index = 0;
  if (CeSeekDatabase(handle_, CEDB_SEEK_CURRENT, 0, &index) == 0) return -1;
  return static_cast<long>(index);
}

bool Database::ReadRecord(Record& record) {
  if (!Check()) return false;
  if (!IsOpen()) return Refuse(ERROR_INVALID_HANDLE);
  std::vector<CEPROPID> tags = record.Tags();
  WORD count = static_cast<WORD>(tags.size());
  LPBYTE buffer = nullptr;
  DWORD size = 0;
  CEOID oid = CeReadRecordProps(handle_, CEDB_ALLOWREALLOC, &count, tags.empty() ? nullptr : tags.data(),
                                &buffer, &size);
  if (oid != 0) {
    record.SetOid(oid);
    const auto* values = reinterpret_cast<const CEPROPVAL*>(buffer);
    for (WORD i = 0; i < count; ++i) record.Set(PropertyValue(values[i]));
  }
  LocalFree(buffer);
  return oid != 0;
}

bool Database::ReadRecordInto(Record& record, std::span<BYTE> buffer) {
  if (!Check()) return false;
  if (!IsOpen()) return Refuse(ERROR_INVALID_HANDLE);
  std::vector<CEPROPID> tags = record.Tags();
  WORD count = static_cast<WORD>(tags.size());
  LPBYTE data = buffer.data();
  auto size = static_cast<DWORD>(buffer.size());
  CEOID oid = CeReadRecordProps(handle_, 0, &count, tags.empty() ? nullptr : tags.data(), &data, &size);
  if (oid == 0) return false;
  record.SetOid(oid);
  const auto* values = reinterpret_cast<const CEPROPVAL*>(data);
  for (WORD i = 0; i < count; ++i) record.Set(PropertyValue(values[i]));
  return true;
}

bool Database::ReadNextRecord(Record& record) {
  if (endOfData_) return Refuse(ERROR_HANDLE_EOF);
  if (!ReadRecord(record)) return false;
  SeekNext();
  return true;
}

bool Database::Enumerate(const Record& names, const std::function<bool(Record&)>& callback) {
  if (!Check()) return false;
  if (!SeekBeginning()) return IsOpen();  // an empty database enumerates nothing
  DatabaseInformation information;
  GetInformation(&information);
  for (DWORD i = 0; i < information.records; ++i) {
    Record record = names;
    if (!ReadRecord(record)) return false;
    if (!callback(record)) break;
    if (!SeekNext()) break;
  }
  return true;
}

bool Database::WriteRecord(Record& record) {
  if (!Check()) return false;
  if (!IsOpen()) return Refuse(ERROR_INVALID_HANDLE);
  std::vector<CEPROPVAL> values;
  for (const PropertyValue& value : record.Values()) values.push_back(value.ToPropVal());
  CEOID oid = CeWriteRecordProps(handle_, record.Oid(), static_cast<WORD>(values.size()), values.data());
  if (oid == 0) return false;
  record.SetOid(oid);
  return true;
}

bool Database::DeleteRecord() {
  if (!Check()) return false;
  if (!IsOpen()) return Refuse(ERROR_INVALID_HANDLE);
  if (!positionValid_) return Refuse(ERROR_HANDLE_EOF);
  if (!CeDeleteRecord(handle_, current_)) return false;
  DWORD index = 0;
  CEOID next = CeSeekDatabase(handle_, CEDB_SEEK_CURRENT, 0, &index);
  positionValid_ = next != 0;
  current_ = next;
  return true;
}

}  // namespace calyra
