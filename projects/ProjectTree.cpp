#include "projects/ProjectTree.h"

#include "platform/text/Formatter.h"
#include "projects/ProjectDatabase.h"
#include "text/DateTimeText.h"

namespace calyra {

namespace {

constexpr ProjectId kTopLevel = 0;

bool IsValidDate(const SYSTEMTIME& date) {
  return date.wYear >= 1900 && date.wYear <= 2999;
}

std::u16string EndDateText(const SYSTEMTIME& end, const SYSTEMTIME& today) {
  DateTimeText texts;
  if (end.wYear == today.wYear) return texts.FormatDayMonth(end, false);
  return texts.FormatNumericDate(end);
}

}  // namespace

std::vector<std::unique_ptr<Project>> LoadProjectTree() {
  std::vector<std::unique_ptr<Project>> projects;
  {
    ProjectDatabase database;
    if (!database.Open(kParentIdTag)) return projects;
    PropertyValue parent = PropertyValue::Integer(kParentIdTag, kTopLevel);
    for (bool found = database.SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, parent); found;
         found = database.SeekValue(CEDB_SEEK_VALUENEXTEQUAL, parent)) {
      calyra::Record values;
      if (!database.ReadRecord(values)) break;
      const PropertyValue* type = values.Find(kEntryTypeTag);
      if (!type || type->AsInteger() != static_cast<int64_t>(ProjectEntryType::Project)) continue;
      auto project = std::make_unique<Project>();
      if (project->Load(values)) projects.push_back(std::move(project));
    }
  }
  for (auto& project : projects) project->LoadChildren(kProjectEntriesOnly, true);
  return projects;
}

std::u16string ProjectDisplayLabel(const Project& project, const SYSTEMTIME& today,
                                   const std::u16string& completeMark) {
  std::u16string label = project.name.substr(0, kProjectLabelNameChars);
  if (project.IsComplete()) return label + u" (" + completeMark + u")";
  // A project without an end date has no date to show.
  if (IsValidDate(project.endDate)) label += u" (" + EndDateText(project.endDate, today) + u")";
  if (project.percentComplete != 0) label += platform::FormatText(u" %d%%", {project.percentComplete});
  return label;
}

}  // namespace calyra
