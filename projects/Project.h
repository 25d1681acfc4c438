#pragma once

#include <memory>
#include <vector>

#include "projects/ProjectEntry.h"

namespace calyra {

// A project: dates, a completion state, notes, and the entries it contains (sub-projects, time
// records, items and files) once loaded.
class Project : public ProjectEntry {
 public:
  Project();

  void Reset() override;
  // Makes this a new top-level project: a fresh ProjectId, no record, no dates, empty texts.
  void InitNew();
  // A valid date (year 1900-2999) marks the project complete, which makes it 100 % done.
  void SetCompletedDate(const SYSTEMTIME& date);
  bool IsComplete() const;
  // How far the project is done: 0 to 100 (more is 100).
  void SetPercentComplete(DWORD percent);

  // Replaces `children` with the stored entries whose parent is this project and whose type is in
  // `typeMask` (0: every type); with `recurse`, each child project loads its own the same way.
  bool LoadChildren(DWORD typeMask, bool recurse);

  DWORD percentComplete = 0;  // 0-100
  std::vector<BYTE> projectData;
  std::u16string notes;
  SYSTEMTIME completedDate;
  std::vector<std::unique_ptr<ProjectEntry>> children;

 protected:
  void ReadProperties(const calyra::Record& values) override;
  void WriteProperties(calyra::Record& values) override;
};

}  // namespace calyra
