#pragma once

#include <memory>

#include "projects/ProjectEntry.h"

// Operations on the project database as a whole. Each opens the database for the call only.
namespace calyra {

// The object of an entry type, with a new entry's values; null for a value that names no type.
std::unique_ptr<ProjectEntry> MakeProjectEntry(DWORD entryType);
// A new entry of `type` in the project whose record is `parentRecord`, not yet written: a fresh
// ProjectId, the parent's ProjectId as parentId, no dates, empty texts. Only a project may go
// without a parent (0: a top-level project). Null when the parent is needed but is no project.
std::unique_ptr<ProjectEntry> CreateProjectEntry(ProjectEntryType type, ItemOid parentRecord);
// The stored entry of a record, as the object of its type; null when the record is none.
std::unique_ptr<ProjectEntry> LoadProjectEntry(ItemOid record);

// The record of the entry whose ProjectId is `id`; 0 for none.
ItemOid FindEntryRecord(ProjectId id);
// The record of the (first) entry whose linkedItem is `item`; 0 for none.
ItemOid FindEntryLinking(ItemOid item);
// The record of the project that contains the entry of `record`; 0 for a top-level project or when
// the parent is missing.
ItemOid FindParentRecord(ItemOid record);
// Deletes the entry of `record` (a project with everything it contains, all the way down); false
// when the record could not be deleted.
bool DeleteProjectEntry(ItemOid record);
// The type of the entry of `record`; None when the record is missing or has no type.
ProjectEntryType ReadEntryType(ItemOid record);

}  // namespace calyra
