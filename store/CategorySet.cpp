#include "store/CategorySet.h"

#include <algorithm>

#include "store/CategoryCountBatch.h"
#include "store/CategoryCounts.h"
#include "store/PimDatabase.h"
#include "store/StoreTransaction.h"

namespace calyra {

CategorySet CategorySet::FromBlob(const std::vector<BYTE>& blob) {
  CategorySet set;
  if (blob.empty() || blob.size() > kMaxBytes) return set;
  std::copy(blob.begin(), blob.end(), set.bits_.begin());
  return set;
}

CategorySet CategorySet::FromRecord(const Record& record) {
  const PropertyValue* blob = record.Find(kCategoriesTag);
  return blob ? FromBlob(blob->AsBlob()) : CategorySet();
}

CategorySet CategorySet::FromNumbers(const std::vector<int>& numbers) {
  CategorySet set;
  for (int number : numbers) set.Set(number);
  return set;
}

void CategorySet::Set(int number) {
  if (number < 0 || number >= kMaxCategories) return;
  bits_[static_cast<size_t>(number / 8)] |= static_cast<BYTE>(1u << (number % 8));
}

bool CategorySet::Has(int number) const {
  if (number < 0 || number >= kMaxCategories) return false;
  return bits_[static_cast<size_t>(number / 8)] & (1u << (number % 8));
}

bool CategorySet::Empty() const {
  for (BYTE byte : bits_) {
    if (byte) return false;
  }
  return true;
}

std::vector<int> CategorySet::Numbers() const {
  std::vector<int> numbers;
  for (int number = 0; number < kMaxCategories; ++number) {
    if (Has(number)) numbers.push_back(number);
  }
  return numbers;
}

std::vector<BYTE> CategorySet::ToBlob() const {
  size_t used = kMaxBytes;
  while (used > 0 && bits_[used - 1] == 0) --used;
  size_t length = std::max<size_t>(4, (used + 3) / 4 * 4);
  return std::vector<BYTE>(bits_.begin(), bits_.begin() + static_cast<ptrdiff_t>(length));
}

CategorySet ReadCategorySet(ItemOid item, ItemKind kind) {
  std::vector<BYTE> blob;
  if (!ReadPimProperty(item, kind, kCategoriesTag, &blob)) return {};
  return CategorySet::FromBlob(blob);
}

namespace {

bool WriteCategorySet(ItemOid item, ItemKind kind, const CategorySet& stored, const CategorySet& categories,
                      CategoryCountBatch* batch) {
  if (stored == categories) return true;
  // The blob and the counters change together or not at all.
  StoreTransaction step(StoreTransaction::Kind::Write);
  std::vector<BYTE> blob = categories.ToBlob();
  if (!WritePimProperty(item, kind, kCategoriesTag, blob.data(), static_cast<DWORD>(blob.size())))
    return false;
  if (batch) {
    batch->Add(kind, stored, -1);
    batch->Add(kind, categories, +1);
  } else {
    AdjustCategoryCounts(kind, stored, -1);
    AdjustCategoryCounts(kind, categories, +1);
  }
  return step.Commit();
}

}  // namespace

bool SaveCategorySet(ItemOid item, ItemKind kind, const CategorySet& categories, CategoryCountBatch* batch) {
  return WriteCategorySet(item, kind, ReadCategorySet(item, kind), categories, batch);
}

bool SaveNewCategorySet(ItemOid item, ItemKind kind, const CategorySet& categories,
                        CategoryCountBatch* batch) {
  return WriteCategorySet(item, kind, CategorySet(), categories, batch);
}

}  // namespace calyra
