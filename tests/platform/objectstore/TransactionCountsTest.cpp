#include <gtest/gtest.h>

#include "tests/platform/objectstore/ObjectStoreTestSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing;

constexpr WORD kNumber = 0x10;

using TransactionCountsTest = DeviceTest;

CEOIDINFO InfoOf(CEOID oid) {
  CEOIDINFO info{};
  EXPECT_TRUE(CeOidGetInfo(oid, &info));
  return info;
}

int64_t TicksOf(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// Writes inside a caller's transaction count their records once, at its end; until then the
// database's record count, size and modified time answer as if each write had counted at once, and
// a rollback leaves them as they were.
TEST_F(TransactionCountsTest, CountsInsideATransactionAnswerAtOnceAndKeepOnlyWhatCommits) {
  CEOID database = CreateDatabase(u"Counted", 0, {{MakePropID(kNumber, CEVT_I4), 0}});
  HANDLE db = OpenDatabase(u"Counted");
  HANDLE session = CeCreateSession(nullptr);
  auto& clock = platform::System::Current().DeviceClock();
  int64_t start = clock.NowUtc();

  ASSERT_TRUE(CeBeginTransaction(session, CEDB_ISOLEVEL_SERIALIZABLE));
  CEPROPVAL value = Int32Prop(kNumber, 1);
  CEOID first = CeWriteRecordProps(db, 0, 1, &value);
  clock.SetFixed(start + 10'000'000);
  CEOID second = CeWriteRecordProps(db, 0, 1, &value);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(InfoOf(database).infDatabase.dwNumRecords, 2u);
  EXPECT_EQ(InfoOf(database).infDatabase.dwSize, 16u);
  EXPECT_EQ(TicksOf(InfoOf(database).infDatabase.ftLastModified), start + 10'000'000);
  ASSERT_TRUE(CeDeleteRecord(db, first));
  EXPECT_EQ(InfoOf(database).infDatabase.dwNumRecords, 1u);
  ASSERT_TRUE(CeEndTransaction(session, TRUE));
  EXPECT_EQ(InfoOf(database).infDatabase.dwNumRecords, 1u);
  EXPECT_EQ(InfoOf(database).infDatabase.dwSize, 8u);

  ASSERT_TRUE(CeBeginTransaction(session, CEDB_ISOLEVEL_SERIALIZABLE));
  ASSERT_NE(CeWriteRecordProps(db, 0, 1, &value), 0u);
  EXPECT_EQ(InfoOf(database).infDatabase.dwNumRecords, 2u);
  ASSERT_TRUE(CeEndTransaction(session, FALSE));
  EXPECT_EQ(InfoOf(database).infDatabase.dwNumRecords, 1u) << "rolled back";

  // A modified time set after writes in the same transaction stands.
  ASSERT_TRUE(CeBeginTransaction(session, CEDB_ISOLEVEL_SERIALIZABLE));
  ASSERT_NE(CeWriteRecordProps(db, 0, 1, &value), 0u);
  CEDBASEINFO set{};
  set.dwFlags = CEDB_VALIDMODTIME;
  set.ftLastModified = {0x1234, 0x01D0};
  ASSERT_TRUE(CeSetDatabaseInfoEx(nullptr, database, &set));
  ASSERT_TRUE(CeEndTransaction(session, TRUE));
  CloseHandle(db);
  CloseHandle(session);
  ReopenDevice();
  CEOIDINFO info = InfoOf(database);
  EXPECT_EQ(info.infDatabase.dwNumRecords, 2u);
  EXPECT_EQ(info.infDatabase.dwSize, 16u);
  EXPECT_EQ(TicksOf(info.infDatabase.ftLastModified), TicksOf(set.ftLastModified));
}

}  // namespace

namespace {

// A write inside a transaction does not read back the record the one before it wrote. What it then
// finds must still be the store's: a record deleted meanwhile is gone, and a rolled-back one was never
// written.
TEST_F(TransactionCountsTest, AWriteAfterAWriteSeesWhatTheStoreHolds) {
  CreateDatabase(u"Written", 0, {{MakePropID(kNumber, CEVT_I4), 0}});
  HANDLE db = OpenDatabase(u"Written", MakePropID(kNumber, CEVT_I4));
  HANDLE session = CeCreateSession(nullptr);
  CEPROPVAL one = Int32Prop(kNumber, 1), two = Int32Prop(kNumber, 2), name = StringProp(0x11, u"kept");

  ASSERT_TRUE(CeBeginTransaction(session, CEDB_ISOLEVEL_SERIALIZABLE));
  CEOID record = CeWriteRecordProps(db, 0, 1, &one);
  ASSERT_EQ(CeWriteRecordProps(db, record, 1, &name), record);
  ASSERT_EQ(CeWriteRecordProps(db, record, 1, &two), record);
  ASSERT_EQ(CeSeekDatabase(db, CEDB_SEEK_CEOID, record, nullptr), record);
  ReadResult read = ReadCurrent(db);
  ASSERT_EQ(read.values.size(), 2u);
  EXPECT_EQ(read.values[0].val.lVal, 2);
  EXPECT_EQ(read.strings[1], u"kept");

  ASSERT_TRUE(CeDeleteRecord(db, record));
  SetLastError(0);
  EXPECT_EQ(CeWriteRecordProps(db, record, 1, &one), 0u) << "the deleted record is not written again";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  CEOID rolledBack = CeWriteRecordProps(db, 0, 1, &one);
  ASSERT_NE(rolledBack, 0u);
  ASSERT_TRUE(CeEndTransaction(session, FALSE));

  ASSERT_TRUE(CeBeginTransaction(session, CEDB_ISOLEVEL_SERIALIZABLE));
  EXPECT_EQ(CeWriteRecordProps(db, rolledBack, 1, &two), 0u) << "the record was rolled back";
  ASSERT_TRUE(CeEndTransaction(session, FALSE));
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr), 0u) << "no sort key is left behind";
  CloseHandle(session);
  CloseHandle(db);
}

}  // namespace
