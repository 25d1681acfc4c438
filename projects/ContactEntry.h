#pragma once

#include "projects/LinkedItemEntry.h"

namespace calyra {

// A contact in a project.
class ContactEntry : public LinkedItemEntry {
 public:
  ContactEntry() : LinkedItemEntry(ProjectEntryType::Contact) {}
};

}  // namespace calyra
