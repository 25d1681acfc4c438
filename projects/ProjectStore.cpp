#include "projects/ProjectStore.h"

#include <optional>

#include "projects/AppointmentEntry.h"
#include "projects/ContactEntry.h"
#include "projects/FileEntry.h"
#include "projects/Project.h"
#include "projects/ProjectDatabase.h"
#include "projects/TaskEntry.h"
#include "projects/TimeRecordEntry.h"

namespace calyra {

namespace {

// One property of a record of the project database; null when the record or property is missing.
std::optional<PropertyValue> ReadProperty(ItemOid record, CEPROPID tag) {
  ProjectDatabase database;
  if (record == 0 || !database.Open() || !database.SeekToOid(record)) return std::nullopt;
  calyra::Record values;
  values.Request(tag);
  if (!database.ReadRecord(values) || values.Oid() != record) return std::nullopt;
  const PropertyValue* value = values.Find(tag);
  return value ? std::optional<PropertyValue>(*value) : std::nullopt;
}

// The record of the first entry whose property `tag` (a sort property) is `value`.
ItemOid FindByValue(CEPROPID tag, DWORD value) {
  ProjectDatabase database;
  if (value == 0 || !database.Open(tag)) return 0;
  if (!database.SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, PropertyValue::Integer(tag, value))) return 0;
  calyra::Record values;
  values.Request(tag);
  return database.ReadRecord(values) ? values.Oid() : 0;
}

}  // namespace

std::unique_ptr<ProjectEntry> MakeProjectEntry(DWORD entryType) {
  switch (static_cast<ProjectEntryType>(entryType)) {
    case ProjectEntryType::Project:
      return std::make_unique<Project>();
    case ProjectEntryType::TimeRecord:
      return std::make_unique<TimeRecordEntry>();
    case ProjectEntryType::Appointment:
      return std::make_unique<AppointmentEntry>();
    case ProjectEntryType::Task:
      return std::make_unique<TaskEntry>();
    case ProjectEntryType::Contact:
      return std::make_unique<ContactEntry>();
    case ProjectEntryType::File:
      return std::make_unique<FileEntry>();
    default:
      return nullptr;
  }
}

std::unique_ptr<ProjectEntry> CreateProjectEntry(ProjectEntryType type, ItemOid parentRecord) {
  ProjectId parentId = 0;
  if (parentRecord != 0 || type != ProjectEntryType::Project) {
    Project parent;
    if (!parent.Load(parentRecord)) return nullptr;
    parentId = parent.projectId;
  }
  std::unique_ptr<ProjectEntry> entry = MakeProjectEntry(static_cast<DWORD>(type));
  if (!entry) return nullptr;
  entry->parentId = parentId;
  entry->projectId = NewProjectId();
  return entry;
}

std::unique_ptr<ProjectEntry> LoadProjectEntry(ItemOid record) {
  ProjectDatabase database;
  if (record == 0 || !database.Open() || !database.SeekToOid(record)) return nullptr;
  calyra::Record values;
  if (!database.ReadRecord(values) || values.Oid() != record) return nullptr;
  const PropertyValue* type = values.Find(kEntryTypeTag);
  std::unique_ptr<ProjectEntry> entry = MakeProjectEntry(type ? static_cast<DWORD>(type->AsInteger()) : 0);
  if (!entry || !entry->Load(values)) return nullptr;
  return entry;
}

ItemOid FindEntryRecord(ProjectId id) {
  return FindByValue(kProjectIdTag, id);
}

ItemOid FindEntryLinking(ItemOid item) {
  return FindByValue(kLinkedItemTag, item);
}

ItemOid FindParentRecord(ItemOid record) {
  std::optional<PropertyValue> parent = ReadProperty(record, kParentIdTag);
  return parent ? FindEntryRecord(static_cast<ProjectId>(parent->AsInteger())) : 0;
}

bool DeleteProjectEntry(ItemOid record) {
  if (ReadEntryType(record) == ProjectEntryType::Project) {
    Project project;
    if (project.Load(record) && project.LoadChildren(kAllEntryTypes, false)) {
      for (const auto& child : project.children) DeleteProjectEntry(child->Record());
    }
  }
  ProjectDatabase database;
  return database.Open() && database.SeekToOid(record) && database.DeleteRecord();
}

ProjectEntryType ReadEntryType(ItemOid record) {
  std::optional<PropertyValue> type = ReadProperty(record, kEntryTypeTag);
  return type ? static_cast<ProjectEntryType>(type->AsInteger()) : ProjectEntryType::None;
}

}  // namespace calyra
