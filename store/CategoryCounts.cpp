#include "store/CategoryCounts.h"

#include <algorithm>

#include "store/Database.h"
#include "store/DatabaseNames.h"

namespace calyra {

namespace {

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

}  // namespace calyra
