#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "links/LinkStore.h"
#include "platform/text/Text.h"

namespace calyra::testing {

// A link as the tests compare it: type, far end and text.
struct Link {
  LinkType type;
  ItemOid target;
  std::u16string text;
  bool operator==(const Link&) const = default;
};

inline void PrintTo(const Link& link, std::ostream* out) {
  *out << static_cast<int>(link.type) << " -> " << link.target << " '" << platform::ToUtf8(link.text) << "'";
}

// The item's links in the store's order, without display texts.
inline std::vector<Link> LinksOf(ItemOid item) {
  std::vector<Link> links;
  LinkStore store;
  LinkRecord record;
  for (CEOID at = store.FirstLinkOf(item, &record, false); at; at = store.NextLinkOf(item, &record, false)) {
    links.push_back({record.type, record.target, record.text});
  }
  return links;
}

}  // namespace calyra::testing
