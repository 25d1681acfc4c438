#include "tests/projects/ReportCase.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/core/System.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "projects/Project.h"
#include "projects/ProjectStore.h"
#include "projects/TimeRecordEntry.h"

namespace calyra::testing {

namespace {

// Identifiers are given in file order from here, so that a case needs no clock moves between its
// entries (the clock is what open time records are counted to).
constexpr ProjectId kFirstId = 0x1000;

bool ReadEntry(const std::string& text, int depth, CaseEntry* entry) {
  size_t bar = text.find('|');
  if (bar == std::string::npos) return false;
  entry->name = text.substr(bar + 1);
  if (!entry->name.empty() && entry->name[0] == ' ') entry->name.erase(0, 1);
  std::istringstream words(text.substr(0, bar));
  std::string kind;
  words >> kind;
  entry->depth = depth;
  entry->isProject = kind == "project";
  if (!entry->isProject && kind != "record") return false;
  if (entry->isProject && !(words >> entry->key)) return false;
  std::string word;
  while (words >> word) {
    size_t equals = word.find('=');
    if (equals == std::string::npos) return false;
    entry->fields[word.substr(0, equals)] = word.substr(equals + 1);
  }
  return true;
}

// "none", "2024-03-18" or "2024-03-18T09:15".
bool ParseWhen(const std::string& text, SYSTEMTIME* when) {
  if (text == "none") {
    *when = platform::kNoDateSystemTime;
    return true;
  }
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  char rest = 0;
  int read = std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d%c", &year, &month, &day, &hour, &minute, &rest);
  if (read != 3 && read != 5) return false;
  *when = SYSTEMTIME{static_cast<WORD>(year), static_cast<WORD>(month),  0, static_cast<WORD>(day),
                     static_cast<WORD>(hour), static_cast<WORD>(minute), 0, 0};
  return true;
}

bool ApplyFields(const CaseEntry& entry, const std::map<std::string, ProjectId>& ids, ProjectEntry& target,
                 std::string* error) {
  for (const auto& [key, value] : entry.fields) {
    SYSTEMTIME when{};
    bool isDate = key == "start" || key == "end" || key == "planned" || key == "completed";
    if (isDate && !ParseWhen(value, &when)) {
      *error = "line " + std::to_string(entry.line) + ": " + key + "=" + value + " is no date";
      return false;
    }
    auto* project = dynamic_cast<Project*>(&target);
    auto* record = dynamic_cast<TimeRecordEntry*>(&target);
    if (key == "start") {
      target.startDate = when;
    } else if (key == "end") {
      target.endDate = when;
    } else if (key == "planned" && record) {
      record->plannedEnd = when;
    } else if (key == "completed" && project) {
      project->SetCompletedDate(when);
    } else if (key == "percent" && project) {
      project->percentComplete = static_cast<DWORD>(std::stoul(value));
    } else if (key == "booked" && record) {
      auto id = ids.find(value);
      record->bookedOn = value == "none"   ? 0
                         : id != ids.end() ? id->second
                                           : static_cast<ProjectId>(std::stoul(value, nullptr, 0));
    } else {
      *error = "line " + std::to_string(entry.line) + ": " + key + " is not a field of this entry";
      return false;
    }
  }
  return true;
}

}  // namespace

ReportCase ReadReportCase(const std::string& path) {
  ReportCase result;
  std::ifstream file(path);
  if (!file) result.error = "cannot read " + path;
  std::string text;
  int number = 0;
  while (result.error.empty() && std::getline(file, text)) {
    ++number;
    size_t indent = text.find_first_not_of(' ');
    if (indent == std::string::npos || text[indent] == '#') continue;
    if (text.rfind("setting ", 0) == 0) {
      size_t equals = text.find('=');
      if (equals != std::string::npos) {
        result.settings.emplace_back(text.substr(8, equals - 8), text.substr(equals + 1));
        continue;
      }
    }
    CaseEntry entry;
    entry.line = number;
    int depth = static_cast<int>(indent / 2);
    bool placed = depth == 0 || (!result.entries.empty() && depth <= result.entries.back().depth + 1);
    if (indent % 2 != 0 || !placed || !ReadEntry(text.substr(indent), depth, &entry) ||
        (depth == 0 && !entry.isProject)) {
      result.error = path + ":" + std::to_string(number) + ": cannot read \"" + text + "\"";
      break;
    }
    result.entries.push_back(entry);
  }
  if (result.error.empty() && result.entries.empty()) result.error = path + ": no project";
  return result;
}

ItemOid StoreReportCase(const ReportCase& reportCase, std::string* error) {
  for (const auto& [name, value] : reportCase.settings)
    platform::CurrentDevice()->SetSetting(name, platform::FromUtf8(value));
  std::map<std::string, ProjectId> ids;
  std::vector<ProjectId> idOf;
  for (size_t i = 0; i < reportCase.entries.size(); ++i) {
    idOf.push_back(kFirstId + static_cast<ProjectId>(i));
    if (reportCase.entries[i].isProject) ids[reportCase.entries[i].key] = idOf.back();
  }
  std::vector<ProjectId> parents;  // the project of each depth above the current entry
  ItemOid reported = 0;
  for (size_t i = 0; i < reportCase.entries.size(); ++i) {
    const CaseEntry& entry = reportCase.entries[i];
    if (static_cast<size_t>(entry.depth) > parents.size()) {
      *error = "line " + std::to_string(entry.line) + " is indented below a time record";
      return 0;
    }
    parents.resize(entry.depth);
    std::unique_ptr<ProjectEntry> made = MakeProjectEntry(
        static_cast<DWORD>(entry.isProject ? ProjectEntryType::Project : ProjectEntryType::TimeRecord));
    made->projectId = idOf[i];
    made->parentId = entry.depth == 0 ? 0 : parents.back();
    made->name = platform::FromUtf8(entry.name);
    if (!ApplyFields(entry, ids, *made, error)) return 0;
    ItemOid record = made->Save();
    if (record == 0) {
      *error = "line " + std::to_string(entry.line) + " cannot be saved";
      return 0;
    }
    if (reported == 0) reported = record;
    if (entry.isProject) parents.push_back(idOf[i]);
  }
  return reported;
}

}  // namespace calyra::testing
