#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/objectstore/ObjectStoreTestSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing;

constexpr WORD kNumber = 0x10;
constexpr WORD kName = 0x11;
constexpr WORD kPicture = 0x12;
constexpr CEPROPID kNameTag = MakePropID(kName, CEVT_LPWSTR);

using RecordLayoutTest = DeviceTest;

void Exec(platform::Device& device, const std::string& sql) {
  device.Db().Execute(sql.c_str());
}

// A device written before records kept their properties together had one row per property; it
// opens with every record, value and sort order as they were, and takes writes as before.
TEST_F(RecordLayoutTest, ADeviceWithOneRowPerPropertyOpensWithItsRecordsIntact) {
  CreateDatabase(u"Old", 0, {{kNameTag, CEDB_SORT_CASEINSENSITIVE}});
  HANDLE db = OpenDatabase(u"Old", kNameTag);
  CEPROPVAL first[] = {Int32Prop(kNumber, 7), StringProp(kName, u"zebra")};
  CEPROPVAL second[] = {StringProp(kName, u"Apple")};
  CEOID zebra = CeWriteRecordProps(db, 0, 2, first);
  CEOID apple = CeWriteRecordProps(db, 0, 1, second);
  ASSERT_NE(zebra, 0u);
  ASSERT_NE(apple, 0u);
  CloseHandle(db);
  // The earlier layout, as that version left it.
  std::string z = std::to_string(zebra), a = std::to_string(apple);
  Exec(Device(),
       "CREATE TABLE props(record INTEGER NOT NULL, propid INTEGER NOT NULL, value, "
       "PRIMARY KEY(record, propid)) WITHOUT ROWID;"
       "INSERT INTO props VALUES(" +
           z + ", " + std::to_string(MakePropID(kNumber, CEVT_I4)) + ", 7), (" + z + ", " +
           std::to_string(kNameTag) + ", 'zebra'), (" + z + ", " +
           std::to_string(MakePropID(kPicture, CEVT_BLOB)) + ", x'0102'), (" + a + ", " +
           std::to_string(kNameTag) +
           ", 'Apple');"
           "ALTER TABLE objects DROP COLUMN data;"
           "CREATE INDEX sortkeys_by_record ON sortkeys(record);");
  ReopenDevice();

  db = OpenDatabase(u"Old", kNameTag);
  ASSERT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr), apple) << "the sort order stands";
  ASSERT_EQ(CeSeekDatabase(db, CEDB_SEEK_CEOID, zebra, nullptr), zebra);
  ReadResult read = ReadCurrent(db);
  ASSERT_EQ(read.values.size(), 3u);
  EXPECT_EQ(read.values[0].val.lVal, 7);
  EXPECT_EQ(read.strings[1], u"zebra");
  EXPECT_EQ(read.blobs[2], (std::vector<BYTE>{1, 2}));

  CEPROPVAL renamed[] = {StringProp(kName, u"aardvark")};
  ASSERT_EQ(CeWriteRecordProps(db, zebra, 1, renamed), zebra);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr), zebra);
  ASSERT_TRUE(CeDeleteRecord(db, apple));
  CloseHandle(db);
  auto tables = Device().Db().Prepare(
      "SELECT count(*) FROM sqlite_master WHERE name IN ('props', 'sortkeys_by_record')");
  ASSERT_TRUE(tables.Step());
  EXPECT_EQ(tables.ColumnInt64(0), 0) << "the old table and index are gone";
}

// A record whose stored data is damaged (a store written by something else) fails every read and
// write with ERROR_INVALID_DATA and is left as it is; it can still be deleted.
TEST_F(RecordLayoutTest, ADamagedRecordFailsReadsAndWritesAndCanBeDeleted) {
  CreateDatabase(u"Damaged", 0, {{kNameTag, 0}});
  HANDLE db = OpenDatabase(u"Damaged", kNameTag);
  CEPROPVAL value[] = {StringProp(kName, u"fine")};
  CEOID record = CeWriteRecordProps(db, 0, 1, value);
  ASSERT_NE(record, 0u);
  Exec(Device(), "UPDATE objects SET data = x'01FF' WHERE oid = " + std::to_string(record));

  ASSERT_EQ(CeSeekDatabase(db, CEDB_SEEK_CEOID, record, nullptr), record);
  EXPECT_EQ(ReadCurrent(db).oid, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  SetLastError(0);
  EXPECT_EQ(CeWriteRecordProps(db, record, 1, value), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  auto stored = Device().Db().Prepare("SELECT hex(data) FROM objects WHERE oid = ?");
  stored.Bind(1, static_cast<int64_t>(record));
  ASSERT_TRUE(stored.Step());
  EXPECT_EQ(stored.ColumnText(0), "01FF");
  EXPECT_TRUE(CeDeleteRecord(db, record));
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr), 0u) << "its sort key went with it";
  CloseHandle(db);
}

int64_t SortKeyCount(platform::Device& device, CEOID record) {
  auto keys = device.Db().Prepare("SELECT count(*) FROM sortkeys WHERE record = ?");
  keys.Bind(1, static_cast<int64_t>(record));
  return keys.Step() ? keys.ColumnInt64(0) : -1;
}

// A record's sort keys are found from its values. A key that is not where the values put it (written
// by a build that folded case differently) still moves with an update and goes with a delete.
TEST_F(RecordLayoutTest, AKeyNotWhereItsValuesPutItStillMovesAndGoes) {
  CreateDatabase(u"Keys", 0, {{kNameTag, CEDB_SORT_CASEINSENSITIVE}});
  HANDLE db = OpenDatabase(u"Keys", kNameTag);
  CEPROPVAL apple[] = {StringProp(kName, u"Apple")};
  CEPROPVAL mango[] = {StringProp(kName, u"Mango")};
  CEOID moved = CeWriteRecordProps(db, 0, 1, apple);
  CEOID deleted = CeWriteRecordProps(db, 0, 1, mango);
  ASSERT_NE(moved, 0u);
  ASSERT_NE(deleted, 0u);
  Exec(Device(), "UPDATE sortkeys SET key = 'Elsewhere' WHERE record IN (" + std::to_string(moved) + ", " +
                     std::to_string(deleted) + ")");

  CEPROPVAL zebra[] = {StringProp(kName, u"Zebra")};
  ASSERT_EQ(CeWriteRecordProps(db, moved, 1, zebra), moved);
  EXPECT_EQ(SortKeyCount(Device(), moved), 1);
  ASSERT_TRUE(CeDeleteRecord(db, deleted));
  EXPECT_EQ(SortKeyCount(Device(), deleted), 0);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr), moved);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_CURRENT, 1, nullptr), 0u) << "nothing else is left to walk";
  CloseHandle(db);
}

}  // namespace
