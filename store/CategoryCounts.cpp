#include "store/CategoryCounts.h"

#include <algorithm>

#include "platform/text/Text.h"
#include "store/CategoryDatabase.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"

namespace calyra {

namespace {

// The counts are 16-bit signed properties.
constexpr int64_t kHighestCount = 0x7FFF;

}  // namespace

int64_t AdjustedCategoryCount(std::optional<int64_t> count, int delta) {
  int64_t value = count.value_or(-1) + delta;
  value = delta < 0 ? std::max<int64_t>(value, 0) : std::max<int64_t>(value, 1);
  return std::min(value, kHighestCount);
}

int AdjustCategoryCounts(ItemKind kind, const CategorySet& categories, int delta) {
  if (delta == 0 || categories.Empty()) return 0;
  return RewriteCategoryCounts(kind, [&](int number, std::optional<int64_t> count) -> std::optional<int64_t> {
    if (!categories.Has(number)) return std::nullopt;
    return AdjustedCategoryCount(count, delta);
  });
}

int RewriteCategoryCounts(
    ItemKind kind,
    const std::function<std::optional<int64_t>(int number, std::optional<int64_t> count)>& next) {
  CEPROPID countTag = CategoryCountTag(kind);
  if (!countTag) return 0;
  Database database;
  if (!database.OpenByName(CategoriesDatabaseName())) return 0;
  Record names;
  names.Request(kCategoryIndexTag);
  names.Request(countTag);
  std::vector<Record> changed;
  database.Enumerate(names, [&](Record& record) {
    const PropertyValue* index = record.Find(kCategoryIndexTag);
    if (!index) return true;
    const PropertyValue* count = record.Find(countTag);
    std::optional<int64_t> value = next(static_cast<int>(index->AsInteger()),
                                        count ? std::optional<int64_t>(count->AsInteger()) : std::nullopt);
    if (!value) return true;
    Record update(record.Oid());
    update.Set(PropertyValue::Integer(countTag, *value));
    changed.push_back(std::move(update));
    return true;
  });
  int written = 0;
  for (Record& update : changed) written += database.WriteRecord(update) ? 1 : 0;
  return written;
}

std::vector<int> CategoryNumbersFor(const std::vector<std::u16string>& names) {
  if (!EnsureCategoryDatabase()) return {};
  std::vector<CategoryRecord> known = ReadCategoryRecords();
  std::vector<int> numbers;
  for (const std::u16string& name : names) {
    auto found = std::find_if(known.begin(), known.end(), [&](const CategoryRecord& category) {
      return category.index >= 0 && platform::EqualsNoCase(category.name, name);
    });
    if (found != known.end()) {
      numbers.push_back(found->index);
      continue;
    }
    // An import does not share the last index between categories once every number is taken.
    int index = LowestFreeCategoryIndex(known);
    bool allUsed = std::any_of(known.begin(), known.end(), [&](const auto& c) { return c.index == index; });
    if (allUsed) continue;
    CategoryRecord made = AddCategoryRecord(name, index);
    if (!made.oid) continue;
    known.push_back(made);
    numbers.push_back(index);
  }
  return numbers;
}

}  // namespace calyra
