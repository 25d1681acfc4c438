#include "lists/FieldProvider.h"

#include "lists/ListConstants.h"

namespace calyra::lists {

void FieldTable::AddHeading(std::u16string text, DWORD rowFlags) {
  ListField field;
  field.label = std::move(text);
  field.flags = kFieldHeading;
  field.rowFlags = rowFlags;
  fields_.push_back(std::move(field));
}

void FieldTable::AddValue(std::u16string label, std::u16string value, DWORD rowFlags, DWORD flags) {
  ListField field;
  field.label = std::move(label);
  field.value = std::move(value);
  field.flags = flags;
  field.rowFlags = rowFlags;
  fields_.push_back(std::move(field));
}

}  // namespace calyra::lists
