#pragma once

#include "projects/LinkedItemEntry.h"

namespace calyra {

// A task in a project.
class TaskEntry : public LinkedItemEntry {
 public:
  TaskEntry() : LinkedItemEntry(ProjectEntryType::Task) {}
};

}  // namespace calyra
