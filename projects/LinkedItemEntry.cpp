#include "projects/LinkedItemEntry.h"

#include "projects/ProjectDatabase.h"

namespace calyra {

void LinkedItemEntry::Reset() {
  ProjectEntry::Reset();
  linkedItem = 0;
}

void LinkedItemEntry::ReadProperties(const calyra::Record& values) {
  ProjectEntry::ReadProperties(values);
  linkedItem = NumberOf(values, kLinkedItemTag);
}

void LinkedItemEntry::WriteProperties(calyra::Record& values) {
  ProjectEntry::WriteProperties(values);
  values.Set(PropertyValue::Integer(kLinkedItemTag, linkedItem));
}

}  // namespace calyra
