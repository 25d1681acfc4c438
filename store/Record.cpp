#include "store/Record.h"

#include <algorithm>

namespace calyra {

void Record::Request(CEPROPID tag) {
  CEPROPVAL absent{};
  absent.propid = tag;
  absent.wFlags = CEDB_PROPNOTFOUND;
  Set(PropertyValue(absent));
}

void Record::Set(PropertyValue value) {
  auto same =
      std::find_if(values_.begin(), values_.end(), [&](const auto& v) { return v.Tag() == value.Tag(); });
  if (same != values_.end()) {
    *same = std::move(value);
  } else {
    values_.push_back(std::move(value));
  }
}

const PropertyValue* Record::Find(CEPROPID tag) const {
  for (const PropertyValue& value : values_) {
    if (value.Tag() == tag && !value.IsAbsent()) return &value;
  }
  return nullptr;
}

std::vector<CEPROPID> Record::Tags() const {
  std::vector<CEPROPID> tags;
  for (const PropertyValue& value : values_) tags.push_back(value.Tag());
  return tags;
}

}  // namespace calyra
