#include "store/CategoryCounts.h"

#include <algorithm>

#include "platform/text/Text.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"

namespace calyra {

namespace {

constexpr CEPROPID kCategoryName = 0x4001001F;
constexpr CEPROPID kCategoryIndex = 0x40020002;
constexpr CEPROPID kContactCount = 0x40040002;
constexpr CEPROPID kAppointmentCount = 0x40050002;
constexpr CEPROPID kTaskCount = 0x40060002;

CEPROPID CountTag(ItemKind kind) {
  switch (kind) {
    case ItemKind::Appointment:
      return kAppointmentCount;
    case ItemKind::Contact:
      return kContactCount;
    case ItemKind::Task:
      return kTaskCount;
    default:
      return 0;
  }
}

int64_t Adjusted(const PropertyValue* count, int delta) {
  int64_t value = (count ? count->AsInteger() : -1) + delta;
  return delta < 0 ? std::max<int64_t>(value, 0) : std::max<int64_t>(value, 1);
}

// The categories of the database by their case-folded names, and the highest number in use.
struct KnownCategories {
  std::vector<std::pair<std::u16string, int>> byName;
  int highest = -1;
};

KnownCategories ReadKnownCategories(Database& database) {
  KnownCategories known;
  Record request;
  request.Request(kCategoryName);
  request.Request(kCategoryIndex);
  database.Enumerate(request, [&](Record& record) {
    const PropertyValue* name = record.Find(kCategoryName);
    const PropertyValue* index = record.Find(kCategoryIndex);
    if (name && index) {
      int number = static_cast<int>(index->AsInteger());
      known.byName.emplace_back(platform::FoldCase(name->AsString()), number);
      known.highest = std::max(known.highest, number);
    }
    return true;
  });
  return known;
}

}  // namespace

int AdjustCategoryCounts(ItemKind kind, const CategorySet& categories, int delta) {
  CEPROPID countTag = CountTag(kind);
  if (!countTag || delta == 0 || categories.Empty()) return 0;
  Database database;
  if (!database.OpenByName(CategoriesDatabaseName())) return 0;
  Record names;
  names.Request(kCategoryIndex);
  names.Request(countTag);
  std::vector<Record> changed;
  database.Enumerate(names, [&](Record& record) {
    const PropertyValue* index = record.Find(kCategoryIndex);
    if (!index || !categories.Has(static_cast<int>(index->AsInteger()))) return true;
    Record update(record.Oid());
    update.Set(PropertyValue::Integer(countTag, Adjusted(record.Find(countTag), delta)));
    changed.push_back(std::move(update));
    return true;
  });
  int written = 0;
  for (Record& update : changed) written += database.WriteRecord(update) ? 1 : 0;
  return written;
}

std::vector<int> CategoryNumbersFor(const std::vector<std::u16string>& names) {
  Database database;
  if (!database.Exists(CategoriesDatabaseName()) && !database.Create(CategoriesDatabaseName(), 0, {}))
    return {};
  if (!database.OpenByName(CategoriesDatabaseName())) return {};
  KnownCategories known = ReadKnownCategories(database);
  std::vector<int> numbers;
  for (const std::u16string& name : names) {
    std::u16string folded = platform::FoldCase(name);
    auto found = std::find_if(known.byName.begin(), known.byName.end(),
                              [&](const auto& category) { return category.first == folded; });
    if (found != known.byName.end()) {
      numbers.push_back(found->second);
      continue;
    }
    if (known.highest + 1 >= CategorySet::kMaxCategories) continue;
    Record record;
    record.Set(PropertyValue::String(kCategoryName, name));
    record.Set(PropertyValue::Integer(kCategoryIndex, known.highest + 1));
    for (CEPROPID count : {kContactCount, kAppointmentCount, kTaskCount}) {
      record.Set(PropertyValue::Integer(count, 0));
    }
    if (!database.WriteRecord(record)) continue;
    known.byName.emplace_back(folded, ++known.highest);
    numbers.push_back(known.highest);
  }
  return numbers;
}

}  // namespace calyra
