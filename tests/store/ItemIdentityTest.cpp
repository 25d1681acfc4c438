#include <gtest/gtest.h>

#include "platform/objectstore/ObjectStore.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/ItemIdentity.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

class ItemIdentityTest : public DeviceTest {
 protected:
  ItemOid AddRecord(const char16_t* database) {
    Database db;
    if (!db.Exists(database)) db.Create(database, 0, {});
    db.OpenByName(database);
    Record record;
    record.Set(PropertyValue::String(0x0037001F, u"x"));
    db.WriteRecord(record);
    return record.Oid();
  }
};

TEST_F(ItemIdentityTest, TheKindComesFromTheDatabaseName) {
  EXPECT_EQ(ItemKindOf(AddRecord(AppointmentsDatabaseName())), ItemKind::Appointment);
  EXPECT_EQ(ItemKindOf(AddRecord(ContactsDatabaseName())), ItemKind::Contact);
  EXPECT_EQ(ItemKindOf(AddRecord(TasksDatabaseName())), ItemKind::Task);
  EXPECT_EQ(ItemKindOf(AddRecord(CategoriesDatabaseName())), ItemKind::None) << "a category record";
  EXPECT_EQ(ItemKindOf(AddRecord(u"CalyraLinks")), ItemKind::None) << "a link record";

  Database tasks;
  tasks.OpenByName(TasksDatabaseName());
  EXPECT_EQ(ItemKindOf(tasks.Oid()), ItemKind::None) << "a database is no item";
  EXPECT_EQ(ItemKindOf(0), ItemKind::None);
  EXPECT_EQ(ItemKindOf(0x7FFFFFF0), ItemKind::None);
}

TEST_F(ItemIdentityTest, DatabaseNamesCompareWithoutRegardToCase) {
  ItemOid task = AddRecord(TasksDatabaseName());
  Database tasks;
  ASSERT_TRUE(tasks.OpenByName(TasksDatabaseName()));
  tasks.Close();
  ASSERT_TRUE(tasks.SetName(u"TASKS DATABASE"));
  EXPECT_EQ(ItemKindOf(task), ItemKind::Task);
  Database deleted;
  ItemOid gone = AddRecord(ContactsDatabaseName());
  deleted.OpenByName(ContactsDatabaseName());
  deleted.SeekToOid(gone);
  deleted.DeleteRecord();
  EXPECT_EQ(ItemKindOf(gone), ItemKind::None) << "a deleted item";
}

}  // namespace
