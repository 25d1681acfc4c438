// The category records: their order, the index a new category gets, the counters and deleting a
// category that items carry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/CategoryCounts.h"
#include "store/CategoryDatabase.h"
#include "store/CategorySet.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/StoreTransaction.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kSubject = 0x0037001F;

class CategoryDatabaseTest : public DeviceTest {
 protected:
  static ItemOid AddRecord(const char16_t* database, std::vector<PropertyValue> values) {
    Database db;
    if (!db.Exists(database)) db.Create(database, 0, {});
    EXPECT_TRUE(db.OpenByName(database));
    Record record;
    for (auto& value : values) record.Set(value);
    EXPECT_TRUE(db.WriteRecord(record));
    return record.Oid();
  }
  static ItemOid AddItem(ItemKind kind, const std::u16string& subject, const std::vector<int>& categories) {
    ItemOid item = AddRecord(DatabaseNameOfKind(kind), {PropertyValue::String(kSubject, subject)});
    EXPECT_TRUE(SaveCategorySet(item, kind, CategorySet::FromNumbers(categories)));
    return item;
  }
  static CategoryRecord Find(const std::u16string& name) {
    for (const CategoryRecord& record : ReadCategoryRecords()) {
      if (record.name == name) return record;
    }
    return {};
  }
  static std::vector<CategoryRecord> WithIndexes(const std::vector<int>& indexes) {
    std::vector<CategoryRecord> records;
    for (int index : indexes) records.push_back({1, u"x", index});
    return records;
  }
};

TEST_F(CategoryDatabaseTest, ANewCategoryTakesTheLowestFreeIndex) {
  std::vector<int> all;
  for (int i = 0; i < CategorySet::kMaxCategories; ++i) all.push_back(i);
  struct Case {
    std::vector<int> used;
    int expected;
    const char* why;
  };
  const Case cases[] = {
      {{}, 0, "an empty database starts at 0"},
      {{0, 1, 3}, 2, "the gap is filled first"},
      {{1023}, 0, "the top index does not move the next one up"},
      {{-1, 1024, 1026, 0}, 1, "indexes outside 0 to 1023 leave no index used"},
      {all, 1023, "with every index used, 1023"},
  };
  for (const Case& c : cases) EXPECT_EQ(LowestFreeCategoryIndex(WithIndexes(c.used)), c.expected) << c.why;
}

TEST_F(CategoryDatabaseTest, WithEveryIndexUsedANewCategoryTakes1023) {
  {
    StoreTransaction step(StoreTransaction::Kind::Write);
    for (int index = 0; index < CategorySet::kMaxCategories; ++index)
      ASSERT_NE(AddCategoryRecord(u"C" + std::u16string(1, char16_t(u'A' + index % 26)), index).oid, 0u);
    ASSERT_TRUE(step.Commit());
  }
  CategoryRecord made = AddCategoryRecord(u"One more");
  EXPECT_NE(made.oid, 0u);
  EXPECT_EQ(made.index, 1023);
  EXPECT_TRUE(CategoryNumbersFor({u"Another"}).empty()) << "an import does not share the last index";
}

TEST_F(CategoryDatabaseTest, AddedCategoriesAreListedWithCountsOfZeroAndReadInNameOrder) {
  for (const char16_t* name : {u"Work", u"errands", u"Holiday"}) ASSERT_NE(AddCategoryRecord(name).oid, 0u);
  std::vector<CategoryRecord> records = ReadCategoryRecords();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].name, u"errands") << "the name order ignores case";
  EXPECT_EQ(records[1].name, u"Holiday");
  EXPECT_EQ(records[2].name, u"Work");
  EXPECT_EQ(Find(u"Work").index, 0);
  EXPECT_EQ(Find(u"errands").index, 1);
  EXPECT_EQ(Find(u"Holiday").index, 2);
  for (const CategoryRecord& record : records) {
    EXPECT_TRUE(record.listed);
    EXPECT_FALSE(record.InUse());
  }
}

TEST_F(CategoryDatabaseTest, ADatabaseMadeElsewhereIsSortedHere) {
  AddRecord(CategoriesDatabaseName(),
            {PropertyValue::String(kCategoryNameTag, u"Zoo"), PropertyValue::Integer(kCategoryIndexTag, 0)});
  AddRecord(CategoriesDatabaseName(), {PropertyValue::String(kCategoryNameTag, u"apple"),
                                       PropertyValue::Integer(kCategoryIndexTag, 1)});
  std::vector<CategoryRecord> records = ReadCategoryRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].name, u"apple");
  EXPECT_FALSE(records[0].listed) << "a record without the listing flag is listed on request only";
}

TEST_F(CategoryDatabaseTest, CountsKeepTheirFloorAndAMissingCountCountsAsMinusOne) {
  struct Case {
    std::optional<int> stored;
    int delta;
    int expected;
  };
  const Case cases[] = {
      {0, -1, 0}, {std::nullopt, +1, 1}, {std::nullopt, -1, 0}, {3, -1, 2},
      {0, +1, 1}, {-4, +1, 1},           {32767, +1, 32767},
  };
  for (const Case& c : cases) {
    std::vector<PropertyValue> values{PropertyValue::String(kCategoryNameTag, u"Work"),
                                      PropertyValue::Integer(kCategoryIndexTag, 5)};
    if (c.stored) values.push_back(PropertyValue::Integer(kCategoryTasksTag, *c.stored));
    ItemOid record = AddRecord(CategoriesDatabaseName(), values);
    EXPECT_EQ(AdjustCategoryCounts(ItemKind::Task, CategorySet::FromNumbers({5}), c.delta), 1);
    EXPECT_EQ(Find(u"Work").tasks, c.expected) << (c.stored ? *c.stored : -1) << " + " << c.delta;
    DeleteCategoryRecords({record});
  }
}

TEST_F(CategoryDatabaseTest, DeletingACategoryClearsItsBitInEveryItemThatHasIt) {
  CategoryRecord work = AddCategoryRecord(u"Work");
  CategoryRecord home = AddCategoryRecord(u"Home");
  ItemOid first = AddItem(ItemKind::Appointment, u"Review", {work.index, home.index});
  ItemOid second = AddItem(ItemKind::Appointment, u"Planning", {work.index});
  ItemOid task = AddItem(ItemKind::Task, u"Report", {home.index});
  CategoryRecord used = Find(u"Work");
  EXPECT_EQ(used.appointments, 2);
  EXPECT_EQ(used.tasks, 0);

  ASSERT_TRUE(DeleteCategory(used));
  EXPECT_EQ(Find(u"Work").oid, 0u) << "the record is gone";
  EXPECT_EQ(ReadCategorySet(first, ItemKind::Appointment).Numbers(), std::vector<int>{home.index});
  EXPECT_TRUE(ReadCategorySet(second, ItemKind::Appointment).Empty());
  EXPECT_EQ(ReadCategorySet(task, ItemKind::Task).Numbers(), std::vector<int>{home.index});
  EXPECT_EQ(AddCategoryRecord(u"Garden").index, work.index) << "the index is free again";
}

TEST_F(CategoryDatabaseTest, RenamingRewritesTheNameAndKeepsTheIndex) {
  CategoryRecord work = AddCategoryRecord(u"Work");
  ASSERT_TRUE(RenameCategoryRecord(work.oid, u"Office"));
  EXPECT_EQ(Find(u"Office").index, work.index);
  EXPECT_EQ(Find(u"Work").oid, 0u);
}

}  // namespace
