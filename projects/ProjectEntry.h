#pragma once

#include <string>

#include "platform/core/PlatformTypes.h"
#include "projects/ProjectId.h"
#include "store/Database.h"
#include "store/ItemKind.h"
#include "store/Record.h"

namespace calyra {

// What a record of the project database is. The values are bits, so that sets of types are masks.
enum class ProjectEntryType : DWORD {
  None = 0,
  Project = 1,
  TimeRecord = 2,
  Appointment = 4,
  Task = 8,
  Contact = 16,
  File = 32,
};

// Type masks for loading a project's children.
inline constexpr DWORD kAllEntryTypes = 0;
inline constexpr DWORD kProjectEntriesOnly = 1;
inline constexpr DWORD kItemAndFileEntries = 60;  // appointments, tasks, contacts and files

// Name and notes hold at most 2048 bytes with their zero.
inline constexpr size_t kMaxEntryText = 1023;

// One record of the project database: what every entry has. Each entry type is a class of its own
// that adds its properties. An entry knows its record once loaded or saved; Save writes a new record
// while it has none.
class ProjectEntry {
 public:
  virtual ~ProjectEntry() = default;

  // Back to a new entry's values: no record, no identifiers, no dates, empty texts.
  virtual void Reset();

  // Loads the entry from its record; false when the record is missing or of another type.
  bool Load(ItemOid record);
  // Loads the entry from the current record of an open project database.
  bool Load(Database& database);
  // Loads the entry from a record read with all its properties.
  bool Load(const calyra::Record& values);
  // Writes the entry into an open project database: its record, or a new one that it then keeps.
  bool Save(Database& database);
  // Writes the entry into the project database; its record, 0 on failure.
  ItemOid Save();

  bool HasRecord() const { return record_ != 0; }
  ItemOid Record() const { return record_; }

  const ProjectEntryType entryType;
  ProjectId parentId = 0;  // the project that contains the entry; 0 for a top-level project
  ProjectId projectId = 0;
  SYSTEMTIME startDate;
  SYSTEMTIME endDate;  // end or due date
  std::u16string name;

 protected:
  explicit ProjectEntry(ProjectEntryType type);
  ProjectEntry(const ProjectEntry&) = default;

  // Each type reads and writes its own properties after those of its base.
  virtual void ReadProperties(const calyra::Record& values);
  virtual void WriteProperties(calyra::Record& values);

  static DWORD NumberOf(const calyra::Record& values, CEPROPID tag);
  static SYSTEMTIME DateOf(const calyra::Record& values, CEPROPID tag);
  static std::u16string TextOf(const calyra::Record& values, CEPROPID tag, size_t limit);
  static PropertyValue DateValue(CEPROPID tag, const SYSTEMTIME& date);

  ItemOid record_ = 0;
};

}  // namespace calyra
