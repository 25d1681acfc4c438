#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/objectstore/ObjectStoreTypes.h"

namespace calyra {

// One property of a record with its own copy of string or blob data. Its platform form points into
// this object, so it stays valid as long as the value does.
class PropertyValue {
 public:
  PropertyValue() = default;
  explicit PropertyValue(const CEPROPVAL& value);
  static PropertyValue Integer(CEPROPID tag, int64_t value);
  static PropertyValue Double(CEPROPID tag, double value);
  static PropertyValue Time(CEPROPID tag, FILETIME value);
  static PropertyValue String(CEPROPID tag, std::u16string value);
  static PropertyValue Blob(CEPROPID tag, std::vector<BYTE> value);
  // A value that deletes its property when written.
  static PropertyValue Deletion(CEPROPID tag);

  CEPROPID Tag() const { return tag_; }
  WORD Type() const { return TypeFromPropID(tag_); }
  WORD Flags() const { return flags_; }
  bool IsAbsent() const { return (flags_ & CEDB_PROPNOTFOUND) != 0; }

  int64_t AsInteger() const;
  double AsDouble() const;
  FILETIME AsTime() const;
  const std::u16string& AsString() const;
  const std::vector<BYTE>& AsBlob() const;

  // The platform's form, for a write.
  CEPROPVAL ToPropVal() const;

 private:
  CEPROPID tag_ = 0;
  WORD flags_ = 0;
  std::variant<int64_t, double, std::u16string, std::vector<BYTE>> value_ = int64_t{0};
};

}  // namespace calyra
