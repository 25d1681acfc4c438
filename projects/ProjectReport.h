#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "projects/Project.h"
#include "projects/ReportTexts.h"
#include "projects/ReportWriter.h"
#include "projects/TimeRecordEntry.h"

namespace calyra {

// A time record the project editor keeps for its project: saved or not yet, perhaps marked to be
// deleted when the project is saved.
struct HeldTimeRecord {
  TimeRecordEntry* entry = nullptr;
  bool deleted = false;
};

// The project report: a project's dates, completion and the time booked on it, its time records
// grouped by the project they are booked on, then the same for each sub-project, one level deeper,
// in the order SortReportEntries gives them.
// The project's values are taken as given (the editor's, saved or not); its sub-projects and time
// records are read from the store.
class ProjectReport {
 public:
  // The texts come from `resources`.
  explicit ProjectReport(HINSTANCE resources);

  // The editor's own list of the project's time records: the report lists these instead of the
  // stored ones, and those not yet saved count into the project's total. Records marked deleted are
  // neither listed nor counted, saved or not.
  void HoldTimeRecords(std::vector<HeldTimeRecord> records);

  // Writes the report of `project` through `writer` into the file at `path`. False when the file
  // cannot be created (the one there stays as it was) or a write failed.
  bool Write(const Project& project, ReportWriter& writer, std::u16string_view path);
  // Writes the report as rich text into the report file beside the program; its path, or none when
  // it could not be written.
  std::optional<std::u16string> WriteReportFile(const Project& project);

 private:
  int64_t TotalOf(Project& project);
  int64_t TakeHeldRecords(Project& stored, std::vector<ProjectEntry*>& reported);
  int64_t StoredDuration(Project& project, ItemOid record);
  std::u16string GroupTitle(ProjectId bookedOn) const;

  void WriteProjectBlock(int level, const Project& project, int64_t total, bool withToday);
  void WriteLabelLine(int level, const std::u16string& label, std::u16string_view value);
  void WriteEntriesHeading(int level);
  void WriteTimeRecordSection(int level, std::vector<ProjectEntry*> entries);
  void WriteGroupTotal(int level, int64_t minutes);
  void WriteSubProjectSection(int level, Project& project);

  ReportStrings strings_;
  std::optional<std::vector<HeldTimeRecord>> held_;
  // Of the report being written:
  ReportWriter* writer_ = nullptr;
  SYSTEMTIME now_{};
  std::map<ProjectId, std::u16string> projectNames_;  // the project and every loaded sub-project
  std::map<const Project*, int64_t> totals_;          // of the loaded sub-projects
};

// Sorts entries as the report lists them: time records before projects; time records by the
// project they are booked on, then by date (the start, else the end; none last), then by name
// ignoring case; projects by date, then by name.
void SortReportEntries(std::vector<ProjectEntry*>& entries);

}  // namespace calyra
