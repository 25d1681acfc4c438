#include "projects/ProjectEntry.h"

#include <algorithm>

#include "platform/time/TimeConversion.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectDates.h"

namespace calyra {

ProjectEntry::ProjectEntry(ProjectEntryType type)
    : entryType(type), startDate(platform::kNoDateSystemTime), endDate(platform::kNoDateSystemTime) {}

void ProjectEntry::Reset() {
  record_ = 0;
  parentId = 0;
  projectId = 0;
  startDate = endDate = platform::kNoDateSystemTime;
  name.clear();
}

bool ProjectEntry::Load(ItemOid record) {
  ProjectDatabase database;
  if (record == 0 || !database.Open() || !database.SeekToOid(record)) return false;
  return Load(database);
}

bool ProjectEntry::Load(Database& database) {
  calyra::Record values;
  if (!database.ReadRecord(values)) return false;
  return Load(values);
}

bool ProjectEntry::Load(const calyra::Record& values) {
  if (NumberOf(values, kEntryTypeTag) != static_cast<DWORD>(entryType)) return false;
  Reset();
  record_ = values.Oid();
  ReadProperties(values);
  return true;
}

bool ProjectEntry::Save(Database& database) {
  calyra::Record values(record_);
  WriteProperties(values);
  if (!database.WriteRecord(values)) return false;
  record_ = values.Oid();
  return true;
}

ItemOid ProjectEntry::Save() {
  ProjectDatabase database;
  if (!database.Open() || !Save(database)) return 0;
  return record_;
}

void ProjectEntry::ReadProperties(const calyra::Record& values) {
  parentId = NumberOf(values, kParentIdTag);
  projectId = NumberOf(values, kProjectIdTag);
  startDate = DateOf(values, kStartDateTag);
  endDate = DateOf(values, kEndDateTag);
  name = TextOf(values, kNameTag, kMaxEntryText);
}

void ProjectEntry::WriteProperties(calyra::Record& values) {
  name.resize(std::min(name.size(), kMaxEntryText));
  values.Set(PropertyValue::Integer(kEntryTypeTag, static_cast<DWORD>(entryType)));
  values.Set(PropertyValue::Integer(kParentIdTag, parentId));
  values.Set(PropertyValue::Integer(kProjectIdTag, projectId));
  values.Set(DateValue(kStartDateTag, startDate));
  values.Set(DateValue(kEndDateTag, endDate));
  values.Set(PropertyValue::String(kNameTag, name));
}

DWORD ProjectEntry::NumberOf(const calyra::Record& values, CEPROPID tag) {
  const PropertyValue* value = values.Find(tag);
  return value ? static_cast<DWORD>(value->AsInteger()) : 0;
}

SYSTEMTIME ProjectEntry::DateOf(const calyra::Record& values, CEPROPID tag) {
  const PropertyValue* value = values.Find(tag);
  return value ? LocalProjectTime(value->AsTime()) : platform::kNoDateSystemTime;
}

std::u16string ProjectEntry::TextOf(const calyra::Record& values, CEPROPID tag, size_t limit) {
  const PropertyValue* value = values.Find(tag);
  return value ? value->AsString().substr(0, limit) : std::u16string();
}

PropertyValue ProjectEntry::DateValue(CEPROPID tag, const SYSTEMTIME& date) {
  return PropertyValue::Time(tag, StoredProjectTime(date));
}

}  // namespace calyra
