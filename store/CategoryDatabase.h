#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/objectstore/ObjectStoreTypes.h"
#include "store/ItemKind.h"

// The records of "\Categories Database", shared by appointments, tasks and contacts: one per
// category, with the bit number it has in an item's category set and how many items of each kind
// carry it.
namespace calyra {

inline constexpr CEPROPID kCategoryNameTag = 0x4001001F;
inline constexpr CEPROPID kCategoryIndexTag = 0x40020002;
inline constexpr CEPROPID kCategoryListedTag = 0x40030002;  // 1: made here; 0: listed on request only
inline constexpr CEPROPID kCategoryContactsTag = 0x40040002;
inline constexpr CEPROPID kCategoryAppointmentsTag = 0x40050002;
inline constexpr CEPROPID kCategoryTasksTag = 0x40060002;

// The count property of an item kind; 0 for any other kind.
CEPROPID CategoryCountTag(ItemKind kind);

struct CategoryRecord {
  CEOID oid = 0;
  std::u16string name;
  int index = -1;  // -1 when the record has none
  bool listed = false;
  // Missing counts read as 0.
  int appointments = 0;
  int tasks = 0;
  int contacts = 0;

  bool InUse() const { return appointments > 0 || tasks > 0 || contacts > 0; }
};

// Every record in name order (the database's own order on the name, case-insensitive); empty when
// the database cannot be opened.
std::vector<CategoryRecord> ReadCategoryRecords();

// The lowest category index from 0 to 1023 that none of `records` uses; 1023 when all are used.
int LowestFreeCategoryIndex(const std::vector<CategoryRecord>& records);

// Opens (making it when missing) the database; false when it cannot be had. A new database is sorted
// on the name.
bool EnsureCategoryDatabase();

// Makes a listed category with the lowest free index and counts of 0; the record made (oid 0 when the
// write failed).
CategoryRecord AddCategoryRecord(std::u16string_view name);
CategoryRecord AddCategoryRecord(std::u16string_view name, int index);
bool RenameCategoryRecord(CEOID record, std::u16string_view name);
// Deletes the records; false when any could not be deleted.
bool DeleteCategoryRecords(const std::vector<CEOID>& records);

// Deletes a category: its bit is cleared in every item record of the kinds whose count is above 0,
// then its record goes, all in one store step.
bool DeleteCategory(const CategoryRecord& category);

}  // namespace calyra
