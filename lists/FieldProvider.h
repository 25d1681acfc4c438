#pragma once

#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"

namespace calyra::lists {

// One record of a field provider: a label (the record's first text) and a value (its fourth), the
// field flags (kField*) and the attributes its value row takes (kRow*: bold, indent, e-mail, web,
// icon widths, offset from the right; for a heading its line position and style).
struct ListField {
  std::u16string label;
  std::u16string value;
  DWORD flags = 0;
  DWORD rowFlags = 0;
  int image = -1;     // an icon of the image list below, drawn on the row's right
  int imageList = 0;  // 0 to 2
};

// What a list shows: fields by identifier, 0 to FieldCount() - 1, in order.
class FieldProvider {
 public:
  virtual ~FieldProvider() = default;
  virtual int FieldCount() const = 0;
  virtual const ListField& Field(int id) const = 0;
};

// A provider over fields collected beforehand.
class FieldTable : public FieldProvider {
 public:
  int FieldCount() const override { return static_cast<int>(fields_.size()); }
  const ListField& Field(int id) const override { return fields_[static_cast<size_t>(id)]; }
  void Add(ListField field) { fields_.push_back(std::move(field)); }
  void AddHeading(std::u16string text, DWORD rowFlags = 0);
  void AddValue(std::u16string label, std::u16string value, DWORD rowFlags = 0, DWORD flags = 0);

 private:
  std::vector<ListField> fields_;
};

}  // namespace calyra::lists
