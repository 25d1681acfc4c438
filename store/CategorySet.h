#pragma once

#include <array>
#include <vector>

#include "platform/core/PlatformTypes.h"
#include "store/ItemKind.h"
#include "store/Record.h"

namespace calyra {

// Pocket Outlook's category set of an item.
inline constexpr CEPROPID kCategoriesTag = 0x00160041;

// The categories of an item as Pocket Outlook keeps them in property 0x00160041: a bit map in which
// bit n mod 8 of byte n / 8 stands for category number n (0 to 1023). Stored as 1 to 128 bytes, the
// length a multiple of 4.
class CategorySet {
 public:
  static constexpr int kMaxCategories = 1024;
  static constexpr size_t kMaxBytes = kMaxCategories / 8;

  // The set a stored blob holds; a blob of 0 or more than 128 bytes gives the empty set.
  static CategorySet FromBlob(const std::vector<BYTE>& blob);
  // The set in a record read with kCategoriesTag requested; empty when the record has none.
  static CategorySet FromRecord(const Record& record);
  // The set of the numbers given; numbers outside 0 to 1023 are ignored.
  static CategorySet FromNumbers(const std::vector<int>& numbers);

  void Set(int number);
  bool Has(int number) const;
  bool Empty() const;
  std::vector<int> Numbers() const;
  // The blob to store: up to the last byte in use, rounded up to 4 bytes (4 zero bytes when empty).
  std::vector<BYTE> ToBlob() const;
  const std::array<BYTE, kMaxBytes>& Bits() const { return bits_; }

  bool operator==(const CategorySet& other) const = default;

 private:
  std::array<BYTE, kMaxBytes> bits_{};
};

// The category set stored in an item's record; empty when the record or the property is missing.
CategorySet ReadCategorySet(ItemOid item, ItemKind kind);
class CategoryCountBatch;

// Writes the set when it differs from the stored one, moving the category counters of the kind from
// the old set to the new (at once, or noted in `batch` for the end of the store step); true when
// nothing needed writing or the write succeeded.
bool SaveCategorySet(ItemOid item, ItemKind kind, const CategorySet& categories,
                     CategoryCountBatch* batch = nullptr);
// The same for a record this save has just made, which holds no set yet: nothing to read or lower.
bool SaveNewCategorySet(ItemOid item, ItemKind kind, const CategorySet& categories,
                        CategoryCountBatch* batch = nullptr);

}  // namespace calyra
