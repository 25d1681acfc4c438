#include "store/CategoryCountBatch.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <set>

#include "store/CategoryCounts.h"

namespace calyra {

static_assert(CategorySet::kMaxBytes % sizeof(uint64_t) == 0 && std::endian::native == std::endian::little,
              "a set's bytes are read eight at a time, the first byte lowest");

void CategoryCountBatch::Add(ItemKind kind, const CategorySet& categories, int delta) {
  if (delta == 0) return;
  // Eight bytes of the set at a time: most items have a category or two of a thousand.
  const auto& bits = categories.Bits();
  for (size_t at = 0; at < bits.size(); at += sizeof(uint64_t)) {
    uint64_t word = 0;
    std::memcpy(&word, bits.data() + at, sizeof(word));
    for (; word != 0; word &= word - 1) {
      int number = static_cast<int>(at * 8) + std::countr_zero(word);
      deltas_[{kind, number}].push_back(static_cast<signed char>(delta));
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
