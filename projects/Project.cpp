#include "projects/Project.h"

#include <algorithm>
#include <set>

#include "platform/time/TimeConversion.h"
#include "projects/ProjectDatabase.h"
#include "projects/ProjectStore.h"

namespace calyra {

namespace {

constexpr DWORD kComplete = 100;

bool InMask(DWORD type, DWORD mask) {
  return mask == kAllEntryTypes || (type & mask) != 0;
}

// Walks the records whose parent is `project` along the parent sort order and loads those of the
// mask. `visited` holds the projects already loaded on this walk, so that a damaged store in which
// a project contains itself cannot recurse without end.
bool LoadChildrenOf(Project& project, DWORD typeMask, bool recurse, std::set<ProjectId>& visited) {
  project.children.clear();
  if (project.projectId == 0) return false;
  visited.insert(project.projectId);
  {
    ProjectDatabase database;
    if (!database.Open(kParentIdTag)) return false;
    PropertyValue parent = PropertyValue::Integer(kParentIdTag, project.projectId);
    for (bool found = database.SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, parent); found;
         found = database.SeekValue(CEDB_SEEK_VALUENEXTEQUAL, parent)) {
      calyra::Record values;
      if (!database.ReadRecord(values)) return false;
      const PropertyValue* type = values.Find(kEntryTypeTag);
      if (!type || !InMask(static_cast<DWORD>(type->AsInteger()), typeMask)) continue;
      std::unique_ptr<ProjectEntry> entry = MakeProjectEntry(static_cast<DWORD>(type->AsInteger()));
      if (entry && entry->Load(values)) project.children.push_back(std::move(entry));
    }
  }
  if (!recurse) return true;
  bool loaded = true;
  for (auto& child : project.children) {
    if (child->entryType != ProjectEntryType::Project || visited.count(child->projectId)) continue;
    loaded &= LoadChildrenOf(static_cast<Project&>(*child), typeMask, recurse, visited);
  }
  return loaded;
}

}  // namespace

Project::Project() : ProjectEntry(ProjectEntryType::Project), completedDate(platform::kNoDateSystemTime) {}

void Project::Reset() {
  ProjectEntry::Reset();
  percentComplete = 0;
  projectData.clear();
  notes.clear();
  completedDate = platform::kNoDateSystemTime;
  children.clear();
}

void Project::InitNew() {
  Reset();
  projectId = NewProjectId();
}

void Project::SetCompletedDate(const SYSTEMTIME& date) {
  completedDate = date;
  if (platform::IsDateSet(date)) percentComplete = kComplete;
}

void Project::SetPercentComplete(DWORD percent) {
  percentComplete = std::min(percent, kComplete);
}

bool Project::IsComplete() const {
  return platform::IsDateSet(completedDate);
}

bool Project::LoadChildren(DWORD typeMask, bool recurse) {
  std::set<ProjectId> visited;
  return LoadChildrenOf(*this, typeMask, recurse, visited);
}

void Project::ReadProperties(const calyra::Record& values) {
  ProjectEntry::ReadProperties(values);
  percentComplete = NumberOf(values, kPercentCompleteTag);
  if (const PropertyValue* data = values.Find(kProjectDataTag)) projectData = data->AsBlob();
  notes = TextOf(values, kProjectNotesTag, kMaxEntryText);
  completedDate = DateOf(values, kCompletedDateTag);
}

void Project::WriteProperties(calyra::Record& values) {
  ProjectEntry::WriteProperties(values);
  if (IsComplete()) percentComplete = kComplete;
  percentComplete = std::min(percentComplete, kComplete);
  notes.resize(std::min(notes.size(), kMaxEntryText));
  values.Set(PropertyValue::Integer(kPercentCompleteTag, percentComplete));
  if (!projectData.empty()) values.Set(PropertyValue::Blob(kProjectDataTag, projectData));
  values.Set(PropertyValue::String(kProjectNotesTag, notes));
  values.Set(DateValue(kCompletedDateTag, completedDate));
}

}  // namespace calyra
