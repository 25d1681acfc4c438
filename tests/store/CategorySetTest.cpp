#include <gtest/gtest.h>

#include <optional>

#include "store/CategoryCountBatch.h"
#include "store/CategoryCounts.h"
#include "store/CategorySet.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/PimDatabase.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kSubject = 0x0037001F;
constexpr CEPROPID kCategories = 0x00160041;
constexpr CEPROPID kName = 0x4001001F;
constexpr CEPROPID kIndex = 0x40020002;
constexpr CEPROPID kContacts = 0x40040002;
constexpr CEPROPID kAppointments = 0x40050002;
constexpr CEPROPID kTasks = 0x40060002;

class CategorySetTest : public DeviceTest {
 protected:
  ItemOid Add(const char16_t* database, std::vector<PropertyValue> values) {
    Database db;
    if (!db.Exists(database)) db.Create(database, 0, {});
    EXPECT_TRUE(db.OpenByName(database));
    Record record;
    for (auto& value : values) record.Set(value);
    EXPECT_TRUE(db.WriteRecord(record));
    return record.Oid();
  }
  ItemOid AddCategory(const char16_t* name, int index, std::optional<int> appointments) {
    std::vector<PropertyValue> values{PropertyValue::String(kName, name),
                                      PropertyValue::Integer(kIndex, index),
                                      PropertyValue::Integer(kContacts, 2)};
    if (appointments) values.push_back(PropertyValue::Integer(kAppointments, *appointments));
    return Add(CategoriesDatabaseName(), values);
  }
  std::optional<int64_t> Count(ItemOid category, CEPROPID tag) {
    Database db;
    db.OpenByName(CategoriesDatabaseName());
    db.SeekToOid(category);
    Record record;
    record.Request(tag);
    db.ReadRecord(record);
    const PropertyValue* value = record.Find(tag);
    return value ? std::optional<int64_t>(value->AsInteger()) : std::nullopt;
  }
};

TEST_F(CategorySetTest, BitsBoundsAndBlobs) {
  CategorySet set = CategorySet::FromNumbers({0, 9, 1023, 1024, -1});
  EXPECT_EQ(set.Numbers(), (std::vector<int>{0, 9, 1023})) << "1024 and -1 are ignored";
  std::vector<BYTE> blob = set.ToBlob();
  ASSERT_EQ(blob.size(), 128u);
  EXPECT_EQ(blob[127], 0x80) << "1023 is the top bit of the 128th byte";
  EXPECT_EQ(blob[1], 0x02);
  EXPECT_EQ(CategorySet::FromNumbers({5}).ToBlob(), (std::vector<BYTE>{0x20, 0, 0, 0}))
      << "rounded up to 4 bytes";
  EXPECT_EQ(CategorySet::FromNumbers({}).ToBlob().size(), 4u);
  EXPECT_EQ(CategorySet::FromBlob(blob), set);
  EXPECT_TRUE(CategorySet::FromBlob(std::vector<BYTE>(129, 0xFF)).Empty())
      << "a blob over 128 bytes is ignored";
  EXPECT_TRUE(CategorySet::FromBlob({}).Empty());
  EXPECT_EQ(CategorySet::FromBlob({0x01, 0x80}).Numbers(), (std::vector<int>{0, 15}))
      << "odd lengths are read";
}

TEST_F(CategorySetTest, CountsNeverGoBelowZeroAndStartAtOne) {
  ItemOid work = AddCategory(u"Work", 3, 0);
  ItemOid home = AddCategory(u"Home", 4, std::nullopt);
  ItemOid other = AddCategory(u"Other", 5, 7);
  CategorySet both = CategorySet::FromNumbers({3, 4});
  EXPECT_EQ(AdjustCategoryCounts(ItemKind::Appointment, both, -1), 2);
  EXPECT_EQ(Count(work, kAppointments), 0) << "0 lowered stays 0";
  EXPECT_EQ(Count(home, kAppointments), 0) << "a missing count lowered gives 0";
  ItemOid fresh = AddCategory(u"Fresh", 6, std::nullopt);
  EXPECT_EQ(AdjustCategoryCounts(ItemKind::Appointment, CategorySet::FromNumbers({3, 6}), +1), 2);
  EXPECT_EQ(Count(work, kAppointments), 1);
  EXPECT_EQ(Count(fresh, kAppointments), 1) << "a missing count raised gives 1";
  EXPECT_EQ(Count(other, kAppointments), 7) << "categories not in the set are left alone";
  EXPECT_EQ(Count(work, kContacts), 2) << "only the kind's own count moves";
  AdjustCategoryCounts(ItemKind::Task, both, +1);
  EXPECT_EQ(Count(work, kTasks), 1);
  EXPECT_EQ(AdjustCategoryCounts(ItemKind::None, both, +1), 0);
}

TEST_F(CategorySetTest, NamesFindTheirNumbersAndMissingCategoriesAreMade) {
  EXPECT_EQ(CategoryNumbersFor({u"Business"}), (std::vector<int>{0})) << "the database is made first";
  AddCategory(u"Büro", 7, 1);
  // Case does not count, beyond ASCII too; a new one takes the lowest number no category uses.
  EXPECT_EQ(CategoryNumbersFor({u"BÜRO", u"business", u"Garden"}), (std::vector<int>{7, 0, 1}));
  EXPECT_EQ(CategoryNumbersFor({u"garden"}), (std::vector<int>{1})) << "made once";
}

TEST_F(CategorySetTest, SavingMovesTheCountsOnlyWhenTheSetChanged) {
  ItemOid work = AddCategory(u"Work", 3, 0);
  ItemOid home = AddCategory(u"Home", 4, 0);
  ItemOid task = Add(TasksDatabaseName(), {PropertyValue::String(kSubject, u"Call Anna")});
  EXPECT_TRUE(ReadCategorySet(task, ItemKind::Task).Empty());
  ASSERT_TRUE(SaveCategorySet(task, ItemKind::Task, CategorySet::FromNumbers({3})));
  EXPECT_EQ(Count(work, kTasks), 1);
  ASSERT_TRUE(SaveCategorySet(task, ItemKind::Task, CategorySet::FromNumbers({3})));
  EXPECT_EQ(Count(work, kTasks), 1) << "an unchanged set writes nothing";
  ASSERT_TRUE(SaveCategorySet(task, ItemKind::Task, CategorySet::FromNumbers({4})));
  EXPECT_EQ(Count(work, kTasks), 0);
  EXPECT_EQ(Count(home, kTasks), 1);
  EXPECT_EQ(ReadCategorySet(task, ItemKind::Task).Numbers(), std::vector<int>{4});

  ItemOid oversize =
      Add(TasksDatabaseName(), {PropertyValue::Blob(kCategories, std::vector<BYTE>(200, 0xFF))});
  EXPECT_TRUE(ReadCategorySet(oversize, ItemKind::Task).Empty());
  EXPECT_TRUE(ReadCategorySet(task, ItemKind::Appointment).Empty()) << "the record is not an appointment";
  EXPECT_FALSE(SaveCategorySet(0xDEAD, ItemKind::Task, CategorySet::FromNumbers({3})));
  EXPECT_EQ(Count(work, kTasks), 0) << "a failed blob write keeps the counters as they were";
}

// An import notes its counter changes and writes them at the end of its store step: the counts must
// be those that adjusting at every save gives, the floor, the start at 1 and the cap included.
TEST_F(CategorySetTest, ABatchWritesTheCountsThatSaveBySaveAdjustingWrites) {
  struct Case {
    const char* name;
    std::optional<int> stored;
    std::vector<int> deltas;
  };
  const Case cases[] = {
      {"a missing count raised three times", std::nullopt, {+1, +1, +1}},
      {"a missing count lowered, then raised", std::nullopt, {-1, +1}},
      {"a zero count lowered twice, then raised", 0, {-1, -1, +1}},
      {"raised past the cap", 0x7FFE, {+1, +1, +1, -1}},
      {"a count lowered below zero and back", 2, {-1, -1, -1, -1, +1, +1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ItemOid each = AddCategory(u"Each", 5, c.stored);
    ItemOid batched = AddCategory(u"Batched", 6, c.stored);
    ItemOid other = AddCategory(u"Other", 7, 4);
    CategoryCountBatch batch;
    for (int delta : c.deltas) {
      AdjustCategoryCounts(ItemKind::Appointment, CategorySet::FromNumbers({5}), delta);
      batch.Add(ItemKind::Appointment, CategorySet::FromNumbers({6}), delta);
    }
    EXPECT_EQ(Count(batched, kAppointments), c.stored) << "nothing is written before Apply";
    EXPECT_TRUE(batch.Apply());
    EXPECT_TRUE(batch.Empty());
    EXPECT_EQ(Count(batched, kAppointments), Count(each, kAppointments));
    EXPECT_EQ(Count(batched, kTasks), std::nullopt) << "only the kind noted is counted";
    EXPECT_EQ(Count(other, kAppointments), 4) << "a category not in the sets keeps its count";
    Database db;
    ASSERT_TRUE(db.OpenByName(CategoriesDatabaseName()));
    for (ItemOid oid : {each, batched, other}) {
      ASSERT_TRUE(db.SeekToOid(oid));
      ASSERT_TRUE(db.DeleteRecord());
    }
  }
}

TEST_F(CategorySetTest, ANewItemsSetIsWrittenWithoutReadingAndItsCountsCanWait) {
  ItemOid work = AddCategory(u"Work", 3, std::nullopt);
  ItemOid task = Add(TasksDatabaseName(), {PropertyValue::String(kSubject, u"Call Anna")});
  CategoryCountBatch batch;
  ASSERT_TRUE(SaveNewCategorySet(task, ItemKind::Task, CategorySet::FromNumbers({3}), &batch));
  EXPECT_EQ(ReadCategorySet(task, ItemKind::Task).Numbers(), std::vector<int>{3});
  EXPECT_EQ(Count(work, kTasks), std::nullopt) << "the count waits for the batch";
  ASSERT_TRUE(batch.Apply());
  EXPECT_EQ(Count(work, kTasks), 1);
  ItemOid plain = Add(TasksDatabaseName(), {PropertyValue::String(kSubject, u"Plain")});
  ASSERT_TRUE(SaveNewCategorySet(plain, ItemKind::Task, CategorySet()));
  EXPECT_FALSE(ReadPimProperty(plain, ItemKind::Task, kCategories, nullptr)) << "an empty set writes nothing";
}

}  // namespace
