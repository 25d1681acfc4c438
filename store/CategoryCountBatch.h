#pragma once

#include <map>
#include <utility>
#include <vector>

#include "store/CategorySet.h"
#include "store/ItemKind.h"

namespace calyra {

// The category counter changes of many saves in one store step, written once at its end. An import
// saves thousands of items; adjusting the counters at each save would walk and write the category
// records each time. Applied, the counts are those that adjusting them save by save would give.
class CategoryCountBatch {
 public:
  // Notes `delta` (+1 or -1) for every category of `categories`, as AdjustCategoryCounts would apply it.
  void Add(ItemKind kind, const CategorySet& categories, int delta);
  // Writes the counts noted so far, in the order noted, and forgets them; false when a kind's
  // categories could not be written.
  bool Apply();
  bool Empty() const { return deltas_.empty(); }

 private:
  std::map<std::pair<ItemKind, int>, std::vector<signed char>> deltas_;
};

}  // namespace calyra
