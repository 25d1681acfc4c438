#include "projects/ProjectReport.h"

#include <algorithm>

#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "projects/ProjectDates.h"
#include "projects/RtfReportWriter.h"
#include "store/StoreTransaction.h"

namespace calyra {

namespace {

constexpr DWORD kReportedEntries =
    static_cast<DWORD>(ProjectEntryType::Project) | static_cast<DWORD>(ProjectEntryType::TimeRecord);

bool IsTimeRecord(const ProjectEntry& entry) {
  return entry.entryType == ProjectEntryType::TimeRecord;
}

bool IsProject(const ProjectEntry& entry) {
  return entry.entryType == ProjectEntryType::Project;
}

// The start, else the end; an entry with neither sorts after every date.
int64_t DateKey(const ProjectEntry& entry) {
  const SYSTEMTIME& date = platform::IsDateSet(entry.startDate) ? entry.startDate : entry.endDate;
  return platform::TicksOf(StoredProjectTime(date));
}

bool ReportsBefore(const ProjectEntry* a, const ProjectEntry* b) {
  bool aRecord = IsTimeRecord(*a);
  if (aRecord != IsTimeRecord(*b)) return aRecord;
  if (aRecord) {
    ProjectId aBooked = static_cast<const TimeRecordEntry*>(a)->bookedOn;
    ProjectId bBooked = static_cast<const TimeRecordEntry*>(b)->bookedOn;
    if (aBooked != bBooked) return aBooked < bBooked;
  }
  int64_t aDate = DateKey(*a);
  int64_t bDate = DateKey(*b);
  if (aDate != bDate) return aDate < bDate;
  return aRecord ? platform::CompareNoCase(a->name, b->name) < 0 : a->name < b->name;
}

std::vector<ProjectEntry*> SortedEntries(const Project& project) {
  std::vector<ProjectEntry*> entries;
  entries.reserve(project.children.size());
  for (const auto& child : project.children) entries.push_back(child.get());
  SortReportEntries(entries);
  return entries;
}

void CollectNames(const Project& project, std::map<ProjectId, std::u16string>& names) {
  for (const auto& child : project.children) {
    if (!IsProject(*child)) continue;
    names.emplace(child->projectId, child->name);
    CollectNames(static_cast<const Project&>(*child), names);
  }
}

}  // namespace

void SortReportEntries(std::vector<ProjectEntry*>& entries) {
  std::stable_sort(entries.begin(), entries.end(), ReportsBefore);
}

ProjectReport::ProjectReport(HINSTANCE resources) : strings_(resources) {}

void ProjectReport::HoldTimeRecords(std::vector<HeldTimeRecord> records) {
  held_ = std::move(records);
}

std::optional<std::u16string> ProjectReport::WriteReportFile(const Project& project) {
  std::u16string path = ReportFilePath();
  RtfReportWriter writer;
  if (!Write(project, writer, path)) return std::nullopt;
  return path;
}

bool ProjectReport::Write(const Project& project, ReportWriter& writer, std::u16string_view path) {
  // One snapshot of the store for the whole report: its records and the locale's settings.
  StoreTransaction reading(StoreTransaction::Kind::Read);
  GetLocalTime(&now_);
  // The stored sub-projects and time records; what cannot be read is left out of the report.
  Project stored;
  stored.projectId = project.projectId;
  if (project.projectId != 0) stored.LoadChildren(kReportedEntries, true);
  projectNames_.clear();
  totals_.clear();
  CollectNames(stored, projectNames_);
  projectNames_[project.projectId] = project.name;

  int64_t total = TotalOf(stored);
  std::vector<ProjectEntry*> entries = SortedEntries(stored);
  std::vector<ProjectEntry*> reported = entries;
  if (held_) total += TakeHeldRecords(stored, reported);

  if (!writer.Open(path)) return false;
  writer_ = &writer;
  WriteProjectBlock(0, project, total, true);
  if (!reported.empty()) WriteEntriesHeading(0);
  WriteTimeRecordSection(1, reported);
  for (ProjectEntry* entry : entries) {
    if (IsProject(*entry)) WriteSubProjectSection(1, static_cast<Project&>(*entry));
  }
  writer_ = nullptr;
  return writer.Close();
}

// The total of a project's own time records and of its sub-projects, kept for each sub-project.
int64_t ProjectReport::TotalOf(Project& project) {
  int64_t total = 0;
  for (auto& child : project.children) {
    if (IsTimeRecord(*child)) {
      total += static_cast<TimeRecordEntry&>(*child).DurationMinutes(now_);
    } else if (IsProject(*child)) {
      Project& subProject = static_cast<Project&>(*child);
      int64_t subTotal = TotalOf(subProject);
      totals_[&subProject] = subTotal;
      total += subTotal;
    }
  }
  return total;
}

// Replaces `reported` with the editor's time records; the minutes they add to the stored total.
int64_t ProjectReport::TakeHeldRecords(Project& stored, std::vector<ProjectEntry*>& reported) {
  int64_t added = 0;
  reported.clear();
  for (const HeldTimeRecord& record : *held_) {
    if (record.entry == nullptr) continue;
    bool saved = record.entry->HasRecord();
    if (record.deleted) {
      // A saved record the editor is about to delete no longer counts.
      if (saved) added -= StoredDuration(stored, record.entry->Record());
      continue;
    }
    reported.push_back(record.entry);
    if (!saved) added += record.entry->DurationMinutes(now_);
  }
  return added;
}

// The duration of the project's own stored time record of `record`; 0 when it has none.
int64_t ProjectReport::StoredDuration(Project& project, ItemOid record) {
  for (auto& child : project.children) {
    if (IsTimeRecord(*child) && child->Record() == record)
      return static_cast<TimeRecordEntry&>(*child).DurationMinutes(now_);
  }
  return 0;
}

std::u16string ProjectReport::GroupTitle(ProjectId bookedOn) const {
  auto found = projectNames_.find(bookedOn);
  return found == projectNames_.end() ? strings_.noProject : found->second;
}

void ProjectReport::WriteProjectBlock(int level, const Project& project, int64_t total, bool withToday) {
  writer_->Indent(level);
  writer_->BoldOn();
  writer_->WriteText(project.name);
  writer_->BoldOff();
  writer_->EndParagraph();
  if (withToday) {
    writer_->BeginValue();
    writer_->Indent(level);
    writer_->WriteText(ReportDate(now_, strings_));
    writer_->EndValue();
    writer_->EndParagraph();
    writer_->EndParagraph();
  }
  WriteLabelLine(level, strings_.startDate, ReportDate(project.startDate, strings_));
  WriteLabelLine(level, strings_.endDate, ReportDate(project.endDate, strings_));
  if (project.IsComplete()) {
    WriteLabelLine(level, strings_.completed, ReportDate(project.completedDate, strings_));
  } else if (project.percentComplete != 0) {
    WriteLabelLine(level, strings_.percentComplete,
                   platform::FormatText(u"%d%%", {static_cast<long long>(project.percentComplete)}));
  }
  WriteLabelLine(level, strings_.totalTime, ReportTotal(total, strings_));
  writer_->EndParagraph();
}

void ProjectReport::WriteLabelLine(int level, const std::u16string& label, std::u16string_view value) {
  writer_->Indent(level);
  writer_->BoldOn();
  writer_->WriteText(label);
  writer_->WriteText(u": ");
  writer_->BoldOff();
  writer_->BeginValue();
  writer_->WriteText(value);
  writer_->EndValue();
  writer_->EndParagraph();
}

void ProjectReport::WriteEntriesHeading(int level) {
  writer_->Indent(level);
  writer_->BoldOn();
  writer_->WriteText(strings_.timeRecords);
  writer_->WriteText(u": ");
  writer_->BoldOff();
  writer_->EndParagraph();
}

// The time records of `entries`, in groups by the project they are booked on, each group with its
// title and the sum of its records.
void ProjectReport::WriteTimeRecordSection(int level, std::vector<ProjectEntry*> entries) {
  SortReportEntries(entries);
  bool inGroup = false;
  ProjectId group = 0;
  int64_t sum = 0;
  for (ProjectEntry* entry : entries) {
    if (!IsTimeRecord(*entry)) break;  // sorted after every time record
    auto& record = static_cast<TimeRecordEntry&>(*entry);
    if (!inGroup || record.bookedOn != group) {
      if (inGroup) WriteGroupTotal(level, sum);
      writer_->EndParagraph();
      writer_->Indent(level);
      writer_->BoldOn();
      writer_->WriteText(GroupTitle(record.bookedOn));
      writer_->BoldOff();
      writer_->EndParagraph();
      inGroup = true;
      group = record.bookedOn;
      sum = 0;
    }
    int64_t minutes = record.DurationMinutes(now_);
    sum += minutes;
    writer_->Indent(level + 1);
    writer_->BeginValue();
    writer_->WriteText(ReportDuration(minutes));
    writer_->WriteText(ReportDate(record.startDate, strings_));
    writer_->WriteText(u" ");
    writer_->EndValue();
    writer_->BoldOn();
    writer_->WriteText(record.name);
    writer_->BoldOff();
    writer_->EndParagraph();
  }
  if (!inGroup) return;
  WriteGroupTotal(level, sum);
  writer_->EndParagraph();
  writer_->EndParagraph();
}

// A group's total line; a group whose records add up to nothing has none.
void ProjectReport::WriteGroupTotal(int level, int64_t minutes) {
  if (minutes == 0) return;
  writer_->Indent(level + 1);
  writer_->BoldOn();
  writer_->WriteText(ReportDuration(minutes));
  writer_->WriteText(strings_.groupTotal);
  writer_->BoldOff();
  writer_->EndParagraph();
}

void ProjectReport::WriteSubProjectSection(int level, Project& project) {
  WriteProjectBlock(level, project, totals_[&project], false);
  if (project.children.empty()) return;
  WriteEntriesHeading(level);
  std::vector<ProjectEntry*> entries = SortedEntries(project);
  WriteTimeRecordSection(level + 1, entries);
  for (ProjectEntry* entry : entries) {
    if (IsProject(*entry)) WriteSubProjectSection(level + 1, static_cast<Project&>(*entry));
  }
}

}  // namespace calyra
