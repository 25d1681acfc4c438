#pragma once

#include "projects/ProjectEntry.h"

namespace calyra {

// An entry that points to a Pocket Outlook item (appointment, task or contact) by its ItemOid.
class LinkedItemEntry : public ProjectEntry {
 public:
  void Reset() override;

  ItemOid linkedItem = 0;

 protected:
  explicit LinkedItemEntry(ProjectEntryType type) : ProjectEntry(type) {}

  void ReadProperties(const calyra::Record& values) override;
  void WriteProperties(calyra::Record& values) override;
};

}  // namespace calyra
