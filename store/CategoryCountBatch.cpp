#include "store/CategoryCountBatch.h"

#include <optional>
#include <set>

#include "store/CategoryCounts.h"

namespace calyra {

void CategoryCountBatch::Add(ItemKind kind, const CategorySet& categories, int delta) {
  if (delta == 0) return;
  const auto& bits = categories.Bits();
  for (size_t byte = 0; byte < bits.size(); ++byte) {
    if (!bits[byte]) continue;
    for (int bit = 0; bit < 8; ++bit) {
      if (bits[byte] & (1u << bit))
        deltas_[{kind, static_cast<int>(byte * 8) + bit}].push_back(static_cast<signed char>(delta));
    }
  }
}

bool CategoryCountBatch::Apply() {
  std::set<ItemKind> kinds;
  for (const auto& [key, steps] : deltas_) kinds.insert(key.first);
  bool whole = true;
  for (ItemKind kind : kinds) {
    int expected = 0;
    int written = RewriteCategoryCounts(kind, [&](int number, std::optional<int64_t> count) {
      auto found = deltas_.find({kind, number});
      if (found == deltas_.end()) return std::optional<int64_t>();
      for (signed char delta : found->second) count = AdjustedCategoryCount(count, delta);
      ++expected;
      return count;
    });
    whole = whole && written == expected;
  }
  deltas_.clear();
  return whole;
}

}  // namespace calyra
