#include <gtest/gtest.h>

#include "platform/core/LastError.h"
#include "platform/objectstore/ObjectStore.h"
#include "store/Database.h"
#include "store/DatabaseEnumerator.h"
#include "store/DatabaseNames.h"
#include "store/PimDatabase.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;
using calyra::testing::DeviceTest;

constexpr CEPROPID kSubject = 0x0037001F;
constexpr CEPROPID kNotes = MakePropID(0x0017, CEVT_BLOB);
constexpr CEPROPID kNumber = MakePropID(0x0100, CEVT_I4);

class StoreTest : public DeviceTest {
 protected:
  ItemOid AddItem(const char16_t* database, const char16_t* subject, std::vector<BYTE> notes = {}) {
    Database db;
    if (!db.Exists(database)) db.Create(database, 0, {});
    EXPECT_TRUE(db.OpenByName(database));
    Record record;
    record.Set(PropertyValue::String(kSubject, subject));
    if (!notes.empty()) record.Set(PropertyValue::Blob(kNotes, notes));
    EXPECT_TRUE(db.WriteRecord(record));
    return record.Oid();
  }
};

TEST_F(StoreTest, DatabaseNamesAreThePlatformsOwn) {
  EXPECT_EQ(std::u16string(DatabaseNameOfKind(ItemKind::Appointment)), u"Appointments Database");
  EXPECT_EQ(std::u16string(DatabaseNameOfKind(ItemKind::Contact)), u"Contacts Database");
  EXPECT_EQ(std::u16string(DatabaseNameOfKind(ItemKind::Task)), u"Tasks Database");
  EXPECT_EQ(DatabaseNameOfKind(ItemKind::None), nullptr);
  EXPECT_EQ(DatabaseNameOfKind(static_cast<ItemKind>(4)), nullptr);
  EXPECT_EQ(std::u16string(CategoriesDatabaseName()), u"\\Categories Database");
  EXPECT_EQ(std::u16string(NotifyQueueDatabaseName()), u"DB_notify_queue");
}

TEST_F(StoreTest, OpenByKindRefusesOtherKindsWithoutTouchingTheStore) {
  AddItem(TasksDatabaseName(), u"Call Anna");
  for (int kind : {0, 4, -1}) {
    SetLastError(12345);
    EXPECT_EQ(OpenPimDatabase(static_cast<ItemKind>(kind), 0, false, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), 12345u) << "kind " << kind << " reached the object store";
  }
  CEOID databaseOid = 0;
  HANDLE db = OpenPimDatabase(ItemKind::Task, 0, false, &databaseOid);
  ASSERT_NE(db, INVALID_HANDLE_VALUE);
  EXPECT_NE(databaseOid, 0u);
  EXPECT_EQ(DatabaseRecordCount(databaseOid), 1u);
  EXPECT_EQ(DatabaseRecordCount(0), 0u);
  CloseHandle(db);
  EXPECT_EQ(OpenPimDatabase(ItemKind::Contact, 0, false, nullptr), INVALID_HANDLE_VALUE) << "no contacts yet";
}

TEST_F(StoreTest, ReadAndWriteOneProperty) {
  ItemOid task = AddItem(TasksDatabaseName(), u"Call Anna", {1, 2, 3});
  ItemOid bare = AddItem(TasksDatabaseName(), u"No notes");
  ItemOid appointment = AddItem(AppointmentsDatabaseName(), u"Dentist", {9});

  std::vector<BYTE> data;
  ASSERT_TRUE(ReadPimProperty(task, ItemKind::Task, kNotes, &data));
  EXPECT_EQ(data, (std::vector<BYTE>{1, 2, 3}));
  EXPECT_FALSE(ReadPimProperty(bare, ItemKind::Task, kNotes, &data)) << "an absent property";
  EXPECT_FALSE(ReadPimProperty(task, ItemKind::Task, kSubject, &data)) << "only BLOBs are read this way";
  EXPECT_FALSE(ReadPimProperty(appointment, ItemKind::Task, kNotes, &data)) << "a record of another database";
  EXPECT_FALSE(ReadPimProperty(0, ItemKind::Task, kNotes, &data));
  EXPECT_FALSE(ReadPimProperty(task, ItemKind::None, kNotes, &data));

  std::vector<BYTE> empty;
  ASSERT_TRUE(WritePimProperty(bare, ItemKind::Task, kNotes, empty.data(), 0));
  EXPECT_FALSE(ReadPimProperty(bare, ItemKind::Task, kNotes, &data)) << "an empty BLOB counts as absent";

  std::u16string subject = u"Call Anna back";
  ASSERT_TRUE(WritePimProperty(task, ItemKind::Task, kSubject, subject.data(), subject.size() * 2));
  Database db;
  ASSERT_TRUE(db.OpenByName(TasksDatabaseName()));
  ASSERT_TRUE(db.SeekToOid(task));
  Record record;
  record.Request(kSubject);
  ASSERT_TRUE(db.ReadRecord(record));
  EXPECT_EQ(record.Find(kSubject)->AsString(), u"Call Anna back");

  EXPECT_FALSE(WritePimProperty(appointment, ItemKind::Task, kNotes, data.data(), 1));
  EXPECT_FALSE(WritePimProperty(0x7FFFFFF0, ItemKind::Task, kNotes, data.data(), 1));
  EXPECT_FALSE(WritePimProperty(task, ItemKind::Task, kNumber, data.data(), 4))
      << "integers are not written this way";
  EXPECT_FALSE(WritePimProperty(task, ItemKind::Task, kNotes, nullptr, 4));
}

TEST_F(StoreTest, ExistsFailsOnlyWhenTheDatabaseIsMissing) {
  Database db;
  EXPECT_FALSE(db.Exists(u"Nowhere"));
  EXPECT_TRUE(db.Exists(u"")) << "an open that fails for another reason counts as existing";
  ASSERT_TRUE(db.Create(u"Here", 3, {}));
  EXPECT_TRUE(db.Exists(u"HERE"));
}

TEST_F(StoreTest, OpenCloseAndInformation) {
  Database db;
  EXPECT_FALSE(db.Close()) << "closing a closed database fails";
  ASSERT_TRUE(db.Create(u"Projects", 0x1234, {{kNumber, 0}, {kSubject, CEDB_SORT_CASEINSENSITIVE}}));
  CEOID oid = db.Oid();
  EXPECT_FALSE(db.IsOpen());
  ASSERT_TRUE(db.OpenByOid(oid, kNumber));
  EXPECT_TRUE(db.IsOpen());
  DatabaseInformation info;
  ASSERT_TRUE(db.GetInformation(&info));
  EXPECT_EQ(info.name, u"Projects");
  EXPECT_EQ(info.type, 0x1234u);
  ASSERT_EQ(info.sortOrders.size(), 2u);
  EXPECT_EQ(info.sortOrders[1].propid, kSubject);

  EXPECT_TRUE(db.SetName(u"A project database name that is far too long"));
  ASSERT_TRUE(db.GetInformation(&info));
  EXPECT_EQ(info.name, u"A project database name that is") << "cut to 31 characters and its zero";
  EXPECT_TRUE(db.SetType(7));
  EXPECT_TRUE(db.SetSortOrders({{kSubject, 0}}));
  ASSERT_TRUE(db.GetInformation(&info));
  EXPECT_EQ(info.type, 7u);
  EXPECT_EQ(info.sortOrders.size(), 1u);
  EXPECT_FALSE(db.SetSortOrders(std::vector<SORTORDERSPEC>(5, {kSubject, 0})));
  EXPECT_TRUE(db.Close());
  EXPECT_FALSE(db.Close());

  Database unknown(0x7FFFFFF0);
  ASSERT_TRUE(unknown.GetInformation(&info));
  EXPECT_TRUE(info.name.empty()) << "an unknown database reads as all zero";
  EXPECT_EQ(info.records, 0u);
  EXPECT_FALSE(unknown.OpenByOid(0x7FFFFFF0));

  ASSERT_TRUE(db.Delete());
  EXPECT_FALSE(db.Exists(u"A project database name that is"));
}

TEST_F(StoreTest, SeeksReadsAndTheEndOfData) {
  Database db;
  ASSERT_TRUE(db.Create(u"Numbers", 0, {{kNumber, 0}}));
  ASSERT_TRUE(db.OpenByName(u"Numbers", kNumber));
  EXPECT_FALSE(db.SeekBeginning()) << "empty";
  for (int64_t n : {30, 10, 20}) {
    Record record;
    record.Set(PropertyValue::Integer(kNumber, n));
    ASSERT_TRUE(db.WriteRecord(record));
    EXPECT_NE(record.Oid(), 0u);
  }
  ASSERT_TRUE(db.SeekValue(CEDB_SEEK_VALUEFIRSTEQUAL, PropertyValue::Integer(kNumber, 20)));
  EXPECT_EQ(db.CurrentIndex(), 1);
  EXPECT_FALSE(db.SeekValue(CEDB_SEEK_BEGINNING, PropertyValue::Integer(kNumber, 20))) << "not a value seek";
  ASSERT_TRUE(db.SeekEnd(0));
  EXPECT_EQ(db.CurrentIndex(), 2);

  ASSERT_TRUE(db.SeekBeginning());
  std::vector<int64_t> seen;
  Record record;
  record.Request(kNumber);
  while (db.ReadNextRecord(record)) seen.push_back(record.Find(kNumber)->AsInteger());
  EXPECT_EQ(seen, (std::vector<int64_t>{10, 20, 30}));
  EXPECT_TRUE(db.EndOfData());
  EXPECT_EQ(GetLastError(), ERROR_HANDLE_EOF);

  ASSERT_TRUE(db.SeekBeginning());
  EXPECT_FALSE(db.EndOfData()) << "a successful seek clears the end of data";
  ASSERT_TRUE(db.DeleteRecord());
  EXPECT_EQ(db.CurrentIndex(), 0);
  Record first;
  ASSERT_TRUE(db.ReadRecord(first));
  EXPECT_EQ(first.Find(kNumber)->AsInteger(), 20) << "after deleting, the next record is current";
}

TEST_F(StoreTest, EnumerateReadsNamedOrAllPropertiesAndStops) {
  AddItem(u"Items", u"one", {1});
  AddItem(u"Items", u"two", {2});
  AddItem(u"Items", u"three", {3});
  Database db;
  ASSERT_TRUE(db.OpenByName(u"Items"));
  std::vector<std::u16string> subjects;
  Record names;
  names.Request(kSubject);
  ASSERT_TRUE(db.Enumerate(names, [&](Record& record) {
    subjects.push_back(record.Find(kSubject)->AsString());
    EXPECT_EQ(record.Find(kNotes), nullptr) << "only the named property is read";
    return subjects.size() < 2;
  }));
  EXPECT_EQ(subjects, (std::vector<std::u16string>{u"one", u"two"}));

  size_t all = 0;
  ASSERT_TRUE(db.Enumerate(Record(), [&](Record& record) {
    all += record.Values().size();
    return true;
  }));
  EXPECT_EQ(all, 6u);

  Database closed;
  EXPECT_FALSE(closed.Enumerate(names, [](Record&) { return true; }));
}

TEST_F(StoreTest, CheckMayRefuseEveryOperation) {
  struct Refusing : Database {
    bool Check() override {
      ++checks;
      SetLastError(ERROR_ACCESS_DENIED);
      return false;
    }
    int checks = 0;
  } refusing;
  EXPECT_FALSE(refusing.Create(u"Refused", 0, {}));
  EXPECT_FALSE(refusing.OpenByName(u"Refused"));
  EXPECT_FALSE(refusing.SeekBeginning());
  Record record;
  EXPECT_FALSE(refusing.WriteRecord(record));
  EXPECT_EQ(refusing.checks, 4);
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  Database plain;
  EXPECT_FALSE(plain.Exists(u"Refused")) << "nothing was created";
}

TEST_F(StoreTest, EnumeratorWalksDatabasesOfOneType) {
  Database a, b, c;
  a.Create(u"A", 5, {});
  b.Create(u"B", 6, {});
  c.Create(u"C", 5, {});
  DatabaseEnumerator enumerator(5);
  EXPECT_EQ(enumerator.Next(), a.Oid());
  EXPECT_EQ(enumerator.Next(), c.Oid());
  EXPECT_EQ(enumerator.Next(), 0u);
  EXPECT_EQ(enumerator.Next(), 0u);
}

}  // namespace
