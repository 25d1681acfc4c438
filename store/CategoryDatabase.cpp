#include "store/CategoryDatabase.h"

#include <algorithm>

#include "platform/text/Text.h"
#include "store/CategorySet.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/StoreTransaction.h"

namespace calyra {

namespace {

constexpr ItemKind kCountedKinds[] = {ItemKind::Appointment, ItemKind::Task, ItemKind::Contact};

int Count(const Record& record, CEPROPID tag) {
  const PropertyValue* value = record.Find(tag);
  return value ? static_cast<int>(value->AsInteger()) : 0;
}

CategoryRecord FromRecord(const Record& record) {
  CategoryRecord category;
  category.oid = record.Oid();
  if (const PropertyValue* name = record.Find(kCategoryNameTag)) category.name = name->AsString();
  if (const PropertyValue* index = record.Find(kCategoryIndexTag))
    category.index = static_cast<int>(index->AsInteger());
  category.listed = Count(record, kCategoryListedTag) != 0;
  category.appointments = Count(record, kCategoryAppointmentsTag);
  category.tasks = Count(record, kCategoryTasksTag);
  category.contacts = Count(record, kCategoryContactsTag);
  return category;
}

Record RequestAll() {
  Record names;
  for (CEPROPID tag : {kCategoryNameTag, kCategoryIndexTag, kCategoryListedTag, kCategoryContactsTag,
                       kCategoryAppointmentsTag, kCategoryTasksTag})
    names.Request(tag);
  return names;
}

// Sorted on the name when the database has that order; a database made without it (by another
// program) is read in its own order and sorted here the same way.
bool OpenCategories(Database& database, bool* sorted) {
  *sorted = database.OpenByName(CategoriesDatabaseName(), kCategoryNameTag);
  return *sorted || database.OpenByName(CategoriesDatabaseName());
}

// Clears bit `index` in every record of the kind's database that has it.
bool ClearCategoryBit(ItemKind kind, int index) {
  Database database;
  if (!database.Exists(DatabaseNameOfKind(kind))) return true;
  if (!database.OpenByName(DatabaseNameOfKind(kind))) return false;
  Record names;
  names.Request(kCategoriesTag);
  std::vector<Record> changed;
  database.Enumerate(names, [&](Record& record) {
    const PropertyValue* blob = record.Find(kCategoriesTag);
    if (!blob) return true;
    std::vector<BYTE> bits = blob->AsBlob();
    auto byte = static_cast<size_t>(index / 8);
    if (byte >= bits.size() || !(bits[byte] & (1u << (index % 8)))) return true;
    bits[byte] = static_cast<BYTE>(bits[byte] & ~(1u << (index % 8)));
    Record update(record.Oid());
    update.Set(PropertyValue::Blob(kCategoriesTag, std::move(bits)));
    changed.push_back(std::move(update));
    return true;
  });
  bool written = true;
  for (Record& update : changed) written = database.WriteRecord(update) && written;
  return written;
}

bool DeleteRecordsOf(Database& database, const std::vector<CEOID>& records) {
  bool deleted = true;
  for (CEOID record : records) deleted = database.SeekToOid(record) && database.DeleteRecord() && deleted;
  return deleted;
}

}  // namespace

CEPROPID CategoryCountTag(ItemKind kind) {
  switch (kind) {
    case ItemKind::Appointment:
      return kCategoryAppointmentsTag;
    case ItemKind::Contact:
      return kCategoryContactsTag;
    case ItemKind::Task:
      return kCategoryTasksTag;
    default:
      return 0;
  }
}

std::vector<CategoryRecord> ReadCategoryRecords() {
  std::vector<CategoryRecord> categories;
  // One snapshot: the records are read under one lock, not one per record.
  StoreTransaction step(StoreTransaction::Kind::Read);
  Database database;
  bool sorted = false;
  if (!OpenCategories(database, &sorted)) return categories;
  database.Enumerate(RequestAll(), [&](Record& record) {
    categories.push_back(FromRecord(record));
    return true;
  });
  if (!sorted) {
    std::stable_sort(categories.begin(), categories.end(), [](const auto& a, const auto& b) {
      return platform::CompareNoCase(a.name, b.name) < 0;
    });
  }
  return categories;
}

int LowestFreeCategoryIndex(const std::vector<CategoryRecord>& records) {
  std::vector<bool> used(CategorySet::kMaxCategories, false);
  for (const CategoryRecord& record : records) {
    if (record.index >= 0 && record.index < CategorySet::kMaxCategories)
      used[static_cast<size_t>(record.index)] = true;
  }
  auto free = std::find(used.begin(), used.end(), false);
  return free == used.end() ? CategorySet::kMaxCategories - 1 : static_cast<int>(free - used.begin());
}

bool EnsureCategoryDatabase() {
  Database database;
  if (database.Exists(CategoriesDatabaseName())) return true;
  return database.Create(CategoriesDatabaseName(), 0, {{kCategoryNameTag, CEDB_SORT_CASEINSENSITIVE}});
}

CategoryRecord AddCategoryRecord(std::u16string_view name) {
  return AddCategoryRecord(name, LowestFreeCategoryIndex(ReadCategoryRecords()));
}

CategoryRecord AddCategoryRecord(std::u16string_view name, int index) {
  CategoryRecord category;
  category.name = std::u16string(name);
  category.index = index;
  category.listed = true;
  Database database;
  if (!EnsureCategoryDatabase() || !database.OpenByName(CategoriesDatabaseName())) return category;
  Record record;
  record.Set(PropertyValue::String(kCategoryNameTag, category.name));
  record.Set(PropertyValue::Integer(kCategoryIndexTag, index));
  record.Set(PropertyValue::Integer(kCategoryListedTag, 1));
  for (CEPROPID count : {kCategoryContactsTag, kCategoryAppointmentsTag, kCategoryTasksTag})
    record.Set(PropertyValue::Integer(count, 0));
  if (database.WriteRecord(record)) category.oid = record.Oid();
  return category;
}

bool RenameCategoryRecord(CEOID oid, std::u16string_view name) {
  Database database;
  if (!database.OpenByName(CategoriesDatabaseName())) return false;
  Record record(oid);
  record.Set(PropertyValue::String(kCategoryNameTag, std::u16string(name)));
  return database.WriteRecord(record);
}

bool DeleteCategoryRecords(const std::vector<CEOID>& records) {
  if (records.empty()) return true;
  Database database;
  return database.OpenByName(CategoriesDatabaseName()) && DeleteRecordsOf(database, records);
}

bool DeleteCategory(const CategoryRecord& category) {
  StoreTransaction step(StoreTransaction::Kind::Write);
  if (category.index >= 0 && category.index < CategorySet::kMaxCategories) {
    for (ItemKind kind : kCountedKinds) {
      int count = kind == ItemKind::Appointment ? category.appointments
                  : kind == ItemKind::Task      ? category.tasks
                                                : category.contacts;
      if (count > 0 && !ClearCategoryBit(kind, category.index)) return false;
    }
  }
  Database database;
  if (!database.OpenByName(CategoriesDatabaseName()) || !DeleteRecordsOf(database, {category.oid}))
    return false;
  return step.Commit();
}

}  // namespace calyra
