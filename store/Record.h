#pragma once

#include <vector>

#include "store/ItemKind.h"
#include "store/PropertyValue.h"

namespace calyra {

// A record as the database classes read and write it: its oid and a list of property values. Before
// a read, the values name the properties to read (none: read every property).
class Record {
 public:
  Record() = default;
  explicit Record(ItemOid oid) : oid_(oid) {}

  ItemOid Oid() const { return oid_; }
  void SetOid(ItemOid oid) { oid_ = oid; }

  const std::vector<PropertyValue>& Values() const { return values_; }
  // Names a property to read, as an absent value.
  void Request(CEPROPID tag);
  // Replaces the value of the same tag, or adds it.
  void Set(PropertyValue value);
  // The present value of `tag`, or null.
  const PropertyValue* Find(CEPROPID tag) const;
  std::vector<CEPROPID> Tags() const;
  void Clear() { values_.clear(); }

 private:
  ItemOid oid_ = 0;
  std::vector<PropertyValue> values_;
};

}  // namespace calyra
