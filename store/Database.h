#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/objectstore/ObjectStoreTypes.h"
#include "store/Record.h"

namespace calyra {

struct DatabaseInformation {
  std::u16string name;
  DWORD type = 0;
  DWORD flags = 0;
  std::vector<SORTORDERSPEC> sortOrders;
  DWORD records = 0;
  DWORD size = 0;
};

// A database of the object store used as a record set. Every operation asks Check() first, so that
// a subclass may refuse; a false result leaves the platform's last error set. The handle is closed
// when the object goes.
class Database {
 public:
  Database() = default;
  explicit Database(CEOID oid) : oid_(oid) {}
  virtual ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  virtual bool Check();

  virtual bool Create(std::u16string_view name, DWORD type, const std::vector<SORTORDERSPEC>& sortOrders);
  virtual bool OpenByOid(CEOID oid, CEPROPID sortProperty = 0, DWORD flags = 0);
  virtual bool OpenByName(std::u16string_view name, CEPROPID sortProperty = 0, DWORD flags = 0);
  // False only when the platform says there is no such database; any other failure counts as there.
  virtual bool Exists(std::u16string_view name);
  virtual bool Close();
  virtual bool Delete();

  virtual bool GetInformation(DatabaseInformation* information);
  virtual bool SetName(std::u16string_view name);  // cut to the platform's bound
  virtual bool SetType(DWORD type);
  virtual bool SetSortOrders(const std::vector<SORTORDERSPEC>& sortOrders);

  virtual bool SeekBeginning();
  virtual bool SeekEnd(DWORD offsetBack = 0);
  virtual bool SeekToOid(CEOID record);
  // Moves on one record; at the end it fails and sets the end-of-data flag.
  virtual bool SeekNext();
  // Moves back one record; before the first it fails.
  virtual bool SeekPrevious();
  // seekType is one of the value seeks (CEDB_SEEK_VALUESMALLER ... CEDB_SEEK_VALUEGREATER).
  virtual bool SeekValue(DWORD seekType, const PropertyValue& value);
  // The current position, or -1.
  virtual long CurrentIndex();

  // Reads the properties `record` names (all when it names none) of the current record into it.
  virtual bool ReadRecord(Record& record);
  // As ReadRecord, into the caller's buffer: a record whose values do not fit is refused
  // (ERROR_INSUFFICIENT_BUFFER) instead of growing it.
  virtual bool ReadRecordInto(Record& record, std::span<BYTE> buffer);
  // Reads the current record and moves on; refuses with ERROR_HANDLE_EOF once past the last one.
  virtual bool ReadNextRecord(Record& record);
  // Calls `callback` for each record from the first, with the properties `names` names, until it
  // returns false.
  virtual bool Enumerate(const Record& names, const std::function<bool(Record&)>& callback);
  // Writes the record's values (a new record when its oid is 0, which then receives the new oid).
  virtual bool WriteRecord(Record& record);
  virtual bool DeleteRecord();

  CEOID Oid() const { return oid_; }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool PositionValid() const { return positionValid_; }
  bool EndOfData() const { return endOfData_; }

 protected:
  bool Seek(DWORD seekType, uintptr_t value);

  CEOID oid_ = 0;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  CEOID current_ = 0;
  bool positionValid_ = false;
  bool endOfData_ = false;
};

}  // namespace calyra
