#include <gtest/gtest.h>

#include "tests/platform/objectstore/ObjectStoreTestSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing;

constexpr WORD kNumber = 0x10;
constexpr WORD kName = 0x11;
constexpr CEPROPID kNumberTag = MakePropID(kNumber, CEVT_I4);
constexpr CEPROPID kNameTag = MakePropID(kName, CEVT_LPWSTR);

class ObjectStoreTest : public DeviceTest {
 protected:
  CEOID AddRecord(HANDLE db, LONG number, const char16_t* name = nullptr) {
    std::vector<CEPROPVAL> values{Int32Prop(kNumber, number)};
    if (name) values.push_back(StringProp(kName, name));
    return CeWriteRecordProps(db, 0, static_cast<WORD>(values.size()), values.data());
  }
  LONG NumberAtCurrent(HANDLE db) {
    ReadResult read = ReadCurrent(db, {kNumberTag});
    if (read.oid == 0) return -1000;
    return (read.values.at(0).wFlags & CEDB_PROPNOTFOUND) ? -999 : read.values.at(0).val.lVal;
  }
  std::vector<LONG> WalkNumbers(HANDLE db) {
    std::vector<LONG> numbers;
    if (!CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr)) return numbers;
    do {
      numbers.push_back(NumberAtCurrent(db));
    } while (CeSeekDatabase(db, CEDB_SEEK_CURRENT, 1, nullptr));
    return numbers;
  }
};

TEST_F(ObjectStoreTest, CreateDescribeAndRefuseBadDefinitions) {
  CEOID oid = CreateDatabase(u"Tasks Database", 7, {{kNumberTag, 0}, {kNameTag, CEDB_SORT_CASEINSENSITIVE}});
  ASSERT_NE(oid, 0u);

  CEOIDINFO info{};
  ASSERT_TRUE(CeOidGetInfo(oid, &info));
  EXPECT_EQ(info.wObjType, OBJTYPE_DATABASE);
  EXPECT_EQ(std::u16string(info.infDatabase.szDbaseName), u"Tasks Database");
  EXPECT_EQ(info.infDatabase.dwDbaseType, 7u);
  EXPECT_EQ(info.infDatabase.wNumSortOrder, 2);
  EXPECT_EQ(info.infDatabase.rgSortSpecs[1].propid, kNameTag);
  EXPECT_EQ(info.infDatabase.rgSortSpecs[1].dwFlags, CEDB_SORT_CASEINSENSITIVE);
  EXPECT_EQ(info.infDatabase.dwNumRecords, 0u);
  EXPECT_EQ(info.infDatabase.ftLastModified.dwHighDateTime, static_cast<DWORD>(kFixedNowUtc >> 32));

  SetLastError(0);
  EXPECT_EQ(CreateDatabase(u"TASKS database", 1), 0u) << "names are unique without regard to case";
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(CreateDatabase(u"", 1), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  CEDBASEINFO longName{};
  longName.dwFlags = CEDB_VALIDNAME;
  std::u16string(u"A name of thirty-two characters!").copy(longName.szDbaseName, CEDB_MAXDBASENAMELEN);
  EXPECT_EQ(CeCreateDatabaseEx(nullptr, &longName), 0u) << "the name must leave room for its zero";
  EXPECT_NE(CreateDatabase(u"A name of thirty-one characters", 1), 0u);

  CEDBASEINFO tooMany{};
  tooMany.dwFlags = CEDB_VALIDNAME | CEDB_VALIDSORTSPEC;
  std::u16string(u"Five").copy(tooMany.szDbaseName, 4);
  tooMany.wNumSortOrder = CEDB_MAXSORTORDER + 1;
  EXPECT_EQ(CeCreateDatabaseEx(nullptr, &tooMany), 0u);
  tooMany.wNumSortOrder = 1;
  tooMany.rgSortSpecs[0] = {MakePropID(1, 7), 0};  // 7 is no property type
  EXPECT_EQ(CeCreateDatabaseEx(nullptr, &tooMany), 0u);
  EXPECT_EQ(CeCreateDatabaseEx(nullptr, nullptr), 0u);

  CEGUID otherVolume{1, 2, 3, 4};
  CEGUID systemVolume;
  CREATE_SYSTEMGUID(&systemVolume);
  EXPECT_FALSE(CeOidGetInfoEx(&otherVolume, oid, &info));
  EXPECT_TRUE(CeOidGetInfoEx(&systemVolume, oid, &info));
  EXPECT_FALSE(CeOidGetInfo(0, &info));
  EXPECT_FALSE(CeOidGetInfo(0x7FFFFFF0, &info));
  EXPECT_FALSE(CeOidGetInfo(oid, nullptr));
}

TEST_F(ObjectStoreTest, EveryPropertyTypeSurvivesReopening) {
  ASSERT_NE(CreateDatabase(u"Mixed", 0), 0u);
  HANDLE db = OpenDatabase(u"Mixed");
  ASSERT_NE(db, INVALID_HANDLE_VALUE);
  std::vector<BYTE> blob{0, 1, 2, 255};
  std::vector<CEPROPVAL> values(9);
  values[0].propid = MakePropID(1, CEVT_I2), values[0].val.iVal = -32768;
  values[1].propid = MakePropID(2, CEVT_UI2), values[1].val.uiVal = 65535;
  values[2].propid = MakePropID(3, CEVT_I4), values[2].val.lVal = INT32_MIN;
  values[3].propid = MakePropID(4, CEVT_UI4), values[3].val.ulVal = 0xFFFFFFFF;
  values[4].propid = MakePropID(5, CEVT_BOOL), values[4].val.boolVal = TRUE;
  values[5].propid = MakePropID(6, CEVT_R8), values[5].val.dblVal = 949998.0;
  values[6].propid = MakePropID(7, CEVT_FILETIME), values[6].val.filetime = {0xFFFFFFFF, 0x8000FFFF};
  values[7] = StringProp(8, u"Zahnarzt \u00e4\U0001F600");
  values[8] = BlobProp(9, blob);
  CEOID record = CeWriteRecordProps(db, 0, 9, values.data());
  ASSERT_NE(record, 0u);
  CloseHandle(db);

  ReopenDevice();
  db = OpenDatabase(u"mixed");
  ASSERT_NE(db, INVALID_HANDLE_VALUE) << "names open without regard to case";
  ReadResult read = ReadCurrent(db);
  ASSERT_EQ(read.oid, record);
  ASSERT_EQ(read.values.size(), 9u);
  EXPECT_EQ(read.values[0].val.iVal, -32768);
  EXPECT_EQ(read.values[1].val.uiVal, 65535);
  EXPECT_EQ(read.values[2].val.lVal, INT32_MIN);
  EXPECT_EQ(read.values[3].val.ulVal, 0xFFFFFFFFu);
  EXPECT_EQ(read.values[4].val.boolVal, TRUE);
  EXPECT_EQ(read.values[5].val.dblVal, 949998.0);
  EXPECT_EQ(read.values[6].val.filetime.dwLowDateTime, 0xFFFFFFFFu);
  EXPECT_EQ(read.values[6].val.filetime.dwHighDateTime, 0x8000FFFFu);
  EXPECT_EQ(read.strings[7], u"Zahnarzt \u00e4\U0001F600");
  EXPECT_EQ(read.blobs[8], blob);
  CloseHandle(db);
}

TEST_F(ObjectStoreTest, ReadBufferFollowsThePlatformRules) {
  CreateDatabase(u"Buffers", 0);
  HANDLE db = OpenDatabase(u"Buffers");
  ASSERT_NE(AddRecord(db, 42, u"forty-two"), 0u);
  CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr);

  // Without reallocation a missing or small buffer fails and tells the size needed.
  std::vector<CEPROPID> ids{kNumberTag, kNameTag, MakePropID(0x99, CEVT_I4)};
  WORD count = 3;
  LPBYTE buffer = nullptr;
  DWORD size = 0;
  SetLastError(0);
  EXPECT_EQ(CeReadRecordProps(db, 0, &count, ids.data(), &buffer, &size), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  DWORD needed = size;
  EXPECT_EQ(needed, 3 * sizeof(CEPROPVAL) + sizeof(u"forty-two"));

  std::vector<BYTE> own(needed);
  buffer = own.data();
  ASSERT_NE(CeReadRecordProps(db, 0, &count, ids.data(), &buffer, &size), 0u);
  EXPECT_EQ(buffer, own.data()) << "a large enough buffer is used as it is";
  auto* values = reinterpret_cast<CEPROPVAL*>(buffer);
  EXPECT_EQ(values[0].val.lVal, 42);
  EXPECT_EQ(std::u16string(values[1].val.lpwstr), u"forty-two");
  EXPECT_EQ(values[2].wFlags, CEDB_PROPNOTFOUND) << "an absent property is flagged, in its asked place";
  EXPECT_EQ(values[2].propid, ids[2]);

  // With reallocation a small local buffer is grown.
  buffer = static_cast<LPBYTE>(LocalAlloc(LMEM_FIXED, 4));
  size = 4;
  ASSERT_NE(CeReadRecordProps(db, CEDB_ALLOWREALLOC, &count, ids.data(), &buffer, &size), 0u);
  EXPECT_GE(LocalSize(buffer), needed);
  EXPECT_EQ(size, needed);
  LocalFree(buffer);

  buffer = nullptr;
  EXPECT_EQ(CeReadRecordProps(db, CEDB_ALLOWREALLOC, nullptr, nullptr, &buffer, &size), 0u);
  EXPECT_EQ(CeReadRecordProps(db, CEDB_ALLOWREALLOC, &count, ids.data(), nullptr, &size), 0u);
  WORD none = 0;
  EXPECT_EQ(CeReadRecordProps(db, CEDB_ALLOWREALLOC, &none, ids.data(), &buffer, &size), 0u)
      << "naming zero properties is not the same as asking for all";
  EXPECT_EQ(buffer, nullptr);
  CloseHandle(db);
}

TEST_F(ObjectStoreTest, WritesReplaceAddAndDeleteSingleProperties) {
  CEOID dbOid = CreateDatabase(u"Edits", 0);
  HANDLE db = OpenDatabase(u"Edits");
  CEOID record = AddRecord(db, 1, u"first");
  ASSERT_NE(record, 0u);

  CEPROPVAL change = Int32Prop(kNumber, 2);
  EXPECT_EQ(CeWriteRecordProps(db, record, 1, &change), record);
  CEPROPVAL drop = StringProp(kName, nullptr);
  drop.wFlags = CEDB_PROPDELETE;
  EXPECT_EQ(CeWriteRecordProps(db, record, 1, &drop), record);
  EXPECT_EQ(ReadCurrent(db).error, ERROR_HANDLE_EOF) << "writing does not move the position of an empty open";
  ASSERT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr), record);
  ReadResult read = ReadCurrent(db);
  ASSERT_EQ(read.values.size(), 1u);
  EXPECT_EQ(read.values[0].val.lVal, 2);

  // Bad writes change nothing.
  CEPROPVAL wrongType = Int32Prop(kNumber, 3);
  wrongType.propid = MakePropID(kNumber, 7);
  EXPECT_EQ(CeWriteRecordProps(db, record, 1, &wrongType), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  std::u16string huge(kMaxPropertyBytes / 2, u'x');
  CEPROPVAL tooLong = StringProp(kName, huge.c_str());
  EXPECT_EQ(CeWriteRecordProps(db, record, 1, &tooLong), 0u) << "a string over the property bound";
  CEPROPVAL nullBlob{};
  nullBlob.propid = MakePropID(9, CEVT_BLOB);
  nullBlob.val.blob.dwCount = 10;
  EXPECT_EQ(CeWriteRecordProps(db, record, 1, &nullBlob), 0u);
  EXPECT_EQ(CeWriteRecordProps(db, record, 1, nullptr), 0u);
  EXPECT_EQ(CeWriteRecordProps(db, 0x7FFFFFF0, 1, &change), 0u) << "no such record";
  EXPECT_EQ(CeWriteRecordProps(db, dbOid, 1, &change), 0u) << "a database is no record";

  // A record may hold at most 128 KB: three near-full strings are refused as a whole.
  std::u16string big(kMaxPropertyBytes / 2 - 1, u'y');
  std::vector<CEPROPVAL> three{StringProp(20, big.c_str()), StringProp(21, big.c_str()),
                               StringProp(22, big.c_str())};
  EXPECT_EQ(CeWriteRecordProps(db, record, 3, three.data()), 0u);
  read = ReadCurrent(db);
  EXPECT_EQ(read.values.size(), 1u) << "a refused write leaves the record as it was";

  CEOIDINFO info{};
  ASSERT_TRUE(CeOidGetInfo(record, &info));
  EXPECT_EQ(info.wObjType, OBJTYPE_RECORD);
  EXPECT_EQ(info.infRecord.oidParent, dbOid);
  CloseHandle(db);
}

TEST_F(ObjectStoreTest, SeeksByPositionAndIdentifier) {
  CreateDatabase(u"Walk", 0);
  HANDLE db = OpenDatabase(u"Walk");
  std::vector<CEOID> oids;
  for (LONG i = 0; i < 5; ++i) oids.push_back(AddRecord(db, i * 10));

  DWORD index = 99;
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, &index), oids[0]);
  EXPECT_EQ(index, 0u);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 3, &index), oids[3]);
  EXPECT_EQ(index, 3u);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_END, 0, &index), oids[4]);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_END, 1, &index), oids[3]) << "the end offset counts back";
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_CURRENT, static_cast<DWORD>(-2), &index), oids[1]);
  EXPECT_EQ(index, 1u);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_CURRENT, 0, &index), oids[1]);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_CEOID, oids[4], &index), oids[4]);
  EXPECT_EQ(index, 4u);

  SetLastError(0);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_CURRENT, 1, nullptr), 0u) << "past the last record";
  EXPECT_EQ(GetLastError(), ERROR_HANDLE_EOF);
  EXPECT_EQ(NumberAtCurrent(db), 40) << "a failed seek keeps the position";
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 5, nullptr), 0u);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_CEOID, 0x7FFFFFF0, nullptr), 0u);
  EXPECT_EQ(CeSeekDatabase(db, 0x4000, 0, nullptr), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  CEPROPVAL value = Int32Prop(kNumber, 10);
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<uintptr_t>(&value), nullptr), 0u)
      << "a value seek needs a sort order";
  CloseHandle(db);
}

TEST_F(ObjectStoreTest, SortOrdersAndValueSeeks) {
  CreateDatabase(u"Sorted", 0,
                 {{kNumberTag, 0},
                  {kNameTag, CEDB_SORT_CASEINSENSITIVE},
                  {MakePropID(kNumber, CEVT_I4), CEDB_SORT_DESCENDING | CEDB_SORT_UNKNOWNFIRST}});
  HANDLE writer = OpenDatabase(u"Sorted");
  AddRecord(writer, 30, u"banana");
  AddRecord(writer, 10, u"Cherry");
  AddRecord(writer, 20, u"apple");
  AddRecord(writer, 20, u"APRICOT");
  CEPROPVAL nameOnly = StringProp(kName, u"date");
  CeWriteRecordProps(writer, 0, 1, &nameOnly);  // has no number
  CloseHandle(writer);

  HANDLE byNumber = OpenDatabase(u"Sorted", kNumberTag);
  ASSERT_NE(byNumber, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WalkNumbers(byNumber), (std::vector<LONG>{10, 20, 20, 30, -999}))
      << "ascending, records without the property last";

  auto seek = [&](DWORD type, LONG number, DWORD* index = nullptr) {
    CEPROPVAL value = Int32Prop(kNumber, number);
    return CeSeekDatabase(byNumber, type, reinterpret_cast<uintptr_t>(&value), index);
  };
  DWORD index = 0;
  ASSERT_NE(seek(CEDB_SEEK_VALUEFIRSTEQUAL, 20, &index), 0u);
  EXPECT_EQ(index, 1u);
  ASSERT_NE(seek(CEDB_SEEK_VALUENEXTEQUAL, 20, &index), 0u);
  EXPECT_EQ(index, 2u);
  EXPECT_EQ(seek(CEDB_SEEK_VALUENEXTEQUAL, 20), 0u) << "the next record is 30";
  EXPECT_EQ(seek(CEDB_SEEK_VALUEFIRSTEQUAL, 15), 0u);
  ASSERT_NE(seek(CEDB_SEEK_VALUEGREATER, 20), 0u);
  EXPECT_EQ(NumberAtCurrent(byNumber), 30);
  ASSERT_NE(seek(CEDB_SEEK_VALUESMALLER, 20), 0u);
  EXPECT_EQ(NumberAtCurrent(byNumber), 10);
  EXPECT_EQ(seek(CEDB_SEEK_VALUESMALLER, 10), 0u);
  CEPROPVAL wrongProperty = StringProp(kName, u"apple");
  EXPECT_EQ(CeSeekDatabase(byNumber, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<uintptr_t>(&wrongProperty),
                           nullptr),
            0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  CloseHandle(byNumber);

  HANDLE byName = OpenDatabase(u"Sorted", kNameTag);
  std::vector<std::u16string> names;
  CeSeekDatabase(byName, CEDB_SEEK_BEGINNING, 0, nullptr);
  do {
    names.push_back(ReadCurrent(byName, {kNameTag}).strings.at(0));
  } while (CeSeekDatabase(byName, CEDB_SEEK_CURRENT, 1, nullptr));
  EXPECT_EQ(names, (std::vector<std::u16string>{u"apple", u"APRICOT", u"banana", u"Cherry", u"date"}));
  CEPROPVAL probe = StringProp(kName, u"CHERRY");
  EXPECT_NE(CeSeekDatabase(byName, CEDB_SEEK_VALUEFIRSTEQUAL, reinterpret_cast<uintptr_t>(&probe), nullptr),
            0u)
      << "a case-insensitive order finds values without regard to case";
  CloseHandle(byName);

  CEOID oid = 0;
  CEOIDINFO info{};
  HANDLE first = OpenDatabase(u"Sorted");
  CeOidGetInfo(CeSeekDatabase(first, CEDB_SEEK_BEGINNING, 0, nullptr), &info);
  CloseHandle(first);
  HANDLE unknownSort = CeOpenDatabaseEx(nullptr, &oid, u"Sorted", MakePropID(0x77, CEVT_I4), 0, nullptr);
  EXPECT_EQ(unknownSort, INVALID_HANDLE_VALUE) << "a property that is no sort order of the database";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(ObjectStoreTest, DescendingOrderWithUnknownsFirst) {
  CreateDatabase(u"Down", 0, {{kNumberTag, CEDB_SORT_DESCENDING | CEDB_SORT_UNKNOWNFIRST}});
  HANDLE writer = OpenDatabase(u"Down");
  AddRecord(writer, 1);
  AddRecord(writer, 3);
  CEPROPVAL other = StringProp(kName, u"none");
  CeWriteRecordProps(writer, 0, 1, &other);
  AddRecord(writer, 2);
  CloseHandle(writer);
  HANDLE db = OpenDatabase(u"Down", kNumberTag);
  EXPECT_EQ(WalkNumbers(db), (std::vector<LONG>{-999, 3, 2, 1}));
  CEPROPVAL value = Int32Prop(kNumber, 3);
  CeSeekDatabase(db, CEDB_SEEK_VALUEGREATER, reinterpret_cast<uintptr_t>(&value), nullptr);
  EXPECT_EQ(NumberAtCurrent(db), 2) << "greater means later in the order, which runs downwards";
  CloseHandle(db);
}

TEST_F(ObjectStoreTest, AutoIncrementWalksEveryRecordOnce) {
  CreateDatabase(u"Auto", 0);
  HANDLE writer = OpenDatabase(u"Auto");
  for (LONG i = 1; i <= 3; ++i) AddRecord(writer, i);
  CloseHandle(writer);
  HANDLE db = OpenDatabase(u"Auto", 0, CEDB_AUTOINCREMENT);
  EXPECT_EQ(NumberAtCurrent(db), 1);
  EXPECT_EQ(NumberAtCurrent(db), 2);
  EXPECT_EQ(NumberAtCurrent(db), 3);
  SetLastError(0);
  EXPECT_EQ(ReadCurrent(db).oid, 0u);
  EXPECT_EQ(GetLastError(), ERROR_HANDLE_EOF);
  CloseHandle(db);

  CreateDatabase(u"Empty", 0);
  db = OpenDatabase(u"Empty");
  EXPECT_EQ(ReadCurrent(db).oid, 0u) << "an empty database has no current record";
  EXPECT_EQ(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr), 0u);
  CloseHandle(db);
}

// Inside a read transaction the walk reads its positions ahead in batches; every order must still
// give every record once, in order, and a later transaction must see what was written between.
TEST_F(ObjectStoreTest, AReadTransactionWalksEveryOrderWholeAcrossItsReadAhead) {
  CreateDatabase(u"Many", 0, {{kNumberTag, 0}});
  HANDLE writer = OpenDatabase(u"Many");
  std::vector<LONG> created;
  for (LONG i = 0; i < 150; ++i) {
    LONG number = (i * 37) % 150;  // not in creation order
    AddRecord(writer, number);
    created.push_back(number);
  }
  std::vector<LONG> ascending(150);
  for (LONG i = 0; i < 150; ++i) ascending[i] = i;
  struct Walk {
    CEPROPID order;
    DWORD flags;
    const std::vector<LONG>* expected;
  };
  HANDLE session = CeCreateSession(nullptr);
  for (const Walk& walk :
       {Walk{0, CEDB_AUTOINCREMENT, &created}, Walk{kNumberTag, CEDB_AUTOINCREMENT, &ascending},
        Walk{kNumberTag, 0, &ascending}}) {
    ASSERT_TRUE(CeBeginTransaction(session, CEDB_ISOLEVEL_REPEATABLEREAD));
    HANDLE db = OpenDatabase(u"Many", walk.order, walk.flags);
    std::vector<LONG> numbers;
    if (walk.flags & CEDB_AUTOINCREMENT) {
      for (LONG number = NumberAtCurrent(db); number != -1000; number = NumberAtCurrent(db))
        numbers.push_back(number);
    } else {
      numbers = WalkNumbers(db);
    }
    EXPECT_EQ(numbers, *walk.expected) << walk.order << " " << walk.flags;
    CloseHandle(db);
    ASSERT_TRUE(CeEndTransaction(session, TRUE));
  }

  // A walk that stops half way, a record added, then a walk in a new transaction sees it.
  HANDLE db = OpenDatabase(u"Many", kNumberTag, CEDB_AUTOINCREMENT);
  ASSERT_TRUE(CeBeginTransaction(session, CEDB_ISOLEVEL_REPEATABLEREAD));
  for (int i = 0; i < 10; ++i) NumberAtCurrent(db);
  ASSERT_TRUE(CeEndTransaction(session, TRUE));
  AddRecord(writer, 50);  // a second 50, after the first in the order
  ASSERT_TRUE(CeBeginTransaction(session, CEDB_ISOLEVEL_REPEATABLEREAD));
  std::vector<LONG> rest;
  for (LONG number = NumberAtCurrent(db); number != -1000; number = NumberAtCurrent(db))
    rest.push_back(number);
  ASSERT_TRUE(CeEndTransaction(session, TRUE));
  std::vector<LONG> expected;
  for (LONG i = 10; i < 150; ++i) {
    expected.push_back(i);
    if (i == 50) expected.push_back(i);
  }
  EXPECT_EQ(rest, expected);
  CloseHandle(db);
  CloseHandle(writer);
  CloseHandle(session);
}

// A handle that was opened and has not moved stands on the record that was first when it opened,
// whatever it writes before it looks.
TEST_F(ObjectStoreTest, AnUnmovedHandleStaysOnItsFirstRecordThroughItsOwnWrites) {
  struct Case {
    const char* name;
    std::vector<SORTORDERSPEC> orders;
    std::vector<LONG> before, written;
    LONG expected;
  };
  const std::vector<Case> cases{
      {"sorted, new records sorting first", {{kNumberTag, 0}}, {5, 7}, {1, 2}, 5},
      {"sorted, new records sorting last", {{kNumberTag, 0}}, {5, 7}, {9}, 5},
      {"in creation order", {}, {5, 7}, {1, 2}, 5},
      {"an empty database", {{kNumberTag, 0}}, {}, {1}, -1000},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string name = u"Unmoved" + std::u16string(1, static_cast<char16_t>(u'a' + n++));
    CreateDatabase(name.c_str(), 0, c.orders);
    HANDLE setup = OpenDatabase(name.c_str());
    for (LONG number : c.before) AddRecord(setup, number);
    CloseHandle(setup);
    HANDLE db = OpenDatabase(name.c_str(), c.orders.empty() ? 0 : kNumberTag);
    for (LONG number : c.written) ASSERT_NE(AddRecord(db, number), 0u);
    EXPECT_EQ(NumberAtCurrent(db), c.expected);
    CloseHandle(db);
  }
}

TEST_F(ObjectStoreTest, DeleteRecordKeepsCountsAndPosition) {
  CEOID dbOid = CreateDatabase(u"Deletes", 0, {{kNumberTag, 0}});
  HANDLE db = OpenDatabase(u"Deletes", kNumberTag);
  CEOID a = AddRecord(db, 1, u"a");
  CEOID b = AddRecord(db, 2, u"b");
  AddRecord(db, 3, u"c");
  CEOIDINFO info{};
  CeOidGetInfo(dbOid, &info);
  EXPECT_EQ(info.infDatabase.dwNumRecords, 3u);
  DWORD sizeWithThree = info.infDatabase.dwSize;
  EXPECT_GT(sizeWithThree, 0u);

  CeSeekDatabase(db, CEDB_SEEK_CEOID, b, nullptr);
  EXPECT_TRUE(CeDeleteRecord(db, b));
  EXPECT_EQ(NumberAtCurrent(db), 3) << "deleting the current record moves on to the next";
  EXPECT_FALSE(CeDeleteRecord(db, b)) << "twice";
  EXPECT_FALSE(CeDeleteRecord(db, dbOid));
  EXPECT_FALSE(CeOidGetInfo(b, &info));
  CeOidGetInfo(dbOid, &info);
  EXPECT_EQ(info.infDatabase.dwNumRecords, 2u);
  EXPECT_LT(info.infDatabase.dwSize, sizeWithThree);
  EXPECT_EQ(WalkNumbers(db), (std::vector<LONG>{1, 3}));

  CreateDatabase(u"Elsewhere", 0);
  HANDLE other = OpenDatabase(u"Elsewhere");
  EXPECT_FALSE(CeDeleteRecord(other, a)) << "a record of another database";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  CloseHandle(other);
  CloseHandle(db);
}

TEST_F(ObjectStoreTest, InvalidAndClosedHandlesFailCleanly) {
  CreateDatabase(u"Handles", 0);
  HANDLE db = OpenDatabase(u"Handles");
  AddRecord(db, 1);
  ASSERT_TRUE(CloseHandle(db));
  CEPROPVAL value = Int32Prop(kNumber, 1);
  for (HANDLE handle : {db, INVALID_HANDLE_VALUE, static_cast<HANDLE>(nullptr)}) {
    SetLastError(0);
    EXPECT_EQ(CeSeekDatabase(handle, CEDB_SEEK_BEGINNING, 0, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(ReadCurrent(handle).oid, 0u);
    EXPECT_EQ(CeWriteRecordProps(handle, 0, 1, &value), 0u);
    EXPECT_FALSE(CeDeleteRecord(handle, 1));
    EXPECT_EQ(CeFindNextDatabaseEx(handle, nullptr), 0u);
  }
  HANDLE search = CeFindFirstDatabaseEx(nullptr, 0);
  EXPECT_EQ(CeSeekDatabase(search, CEDB_SEEK_BEGINNING, 0, nullptr), 0u) << "a search handle is no database";
  CloseHandle(search);

  CEOID oid = 0;
  EXPECT_EQ(CeOpenDatabaseEx(nullptr, &oid, u"Missing", 0, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(CeOpenDatabaseEx(nullptr, nullptr, u"Handles", 0, 0, nullptr), INVALID_HANDLE_VALUE);
  oid = 0x7FFFFFF0;
  EXPECT_EQ(CeOpenDatabaseEx(nullptr, &oid, nullptr, 0, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(ObjectStoreTest, ChangingInfoRenamesAndResorts) {
  CEOID oid = CreateDatabase(u"Before", 3, {{kNumberTag, 0}});
  HANDLE db = OpenDatabase(u"Before");
  AddRecord(db, 2, u"b");
  AddRecord(db, 1, u"c");
  AddRecord(db, 3, u"a");
  CloseHandle(db);
  CreateDatabase(u"Taken", 3);

  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDNAME | CEDB_VALIDSORTSPEC | CEDB_VALIDTYPE;
  std::u16string(u"After").copy(info.szDbaseName, 5);
  info.dwDbaseType = 9;
  info.wNumSortOrder = 1;
  info.rgSortSpecs[0] = {kNameTag, 0};
  ASSERT_TRUE(CeSetDatabaseInfoEx(nullptr, oid, &info));
  EXPECT_EQ(OpenDatabase(u"Before"), INVALID_HANDLE_VALUE);
  db = OpenDatabase(u"After", kNameTag);
  ASSERT_NE(db, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WalkNumbers(db), (std::vector<LONG>{3, 2, 1})) << "the records are sorted by the new order";
  CloseHandle(db);
  CEOID none = 0;
  EXPECT_EQ(CeOpenDatabaseEx(nullptr, &none, u"After", kNumberTag, 0, nullptr), INVALID_HANDLE_VALUE)
      << "the old order is gone";

  std::u16string(u"taken").copy(info.szDbaseName, 5);
  EXPECT_FALSE(CeSetDatabaseInfoEx(nullptr, oid, &info));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(CeSetDatabaseInfoEx(nullptr, 0x7FFFFFF0, &info));
  EXPECT_FALSE(CeSetDatabaseInfoEx(nullptr, oid, nullptr));
}

TEST_F(ObjectStoreTest, EnumerateAndDeleteDatabases) {
  CEOID one = CreateDatabase(u"One", 5);
  CEOID two = CreateDatabase(u"Two", 6);
  CEOID three = CreateDatabase(u"Three", 5);
  auto list = [](DWORD type) {
    std::vector<CEOID> found;
    HANDLE search = CeFindFirstDatabaseEx(nullptr, type);
    while (CEOID oid = CeFindNextDatabaseEx(search, nullptr)) found.push_back(oid);
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_ITEMS);
    CloseHandle(search);
    return found;
  };
  EXPECT_EQ(list(5), (std::vector<CEOID>{one, three}));
  EXPECT_EQ(list(0), (std::vector<CEOID>{one, two, three}));
  EXPECT_TRUE(list(77).empty());

  HANDLE db = OpenDatabase(u"Three");
  CEOID record = AddRecord(db, 1);
  EXPECT_FALSE(CeDeleteDatabase(three)) << "an open database is not deleted";
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  CloseHandle(db);
  EXPECT_TRUE(CeDeleteDatabase(three));
  CEOIDINFO info{};
  EXPECT_FALSE(CeOidGetInfo(three, &info));
  EXPECT_FALSE(CeOidGetInfo(record, &info)) << "its records go with it";
  EXPECT_FALSE(CeDeleteDatabase(three));
  EXPECT_EQ(list(5), (std::vector<CEOID>{one}));
  EXPECT_NE(CreateDatabase(u"Three", 5), 0u) << "the name is free again";
}

TEST_F(ObjectStoreTest, ChangeNotificationsGoToTheWindowsThatAsked) {
  struct Posted {
    HWND window;
    UINT message;
    WPARAM oid;
    LPARAM parent;
  };
  std::vector<Posted> posted;
  platform::SetDatabaseChangeSink([&](HWND w, UINT m, WPARAM o, LPARAM p) {
    posted.push_back({w, m, o, p});
  });
  CEOID dbOid = CreateDatabase(u"Watched", 0);
  auto window = reinterpret_cast<HWND>(0x1234);
  CENOTIFYREQUEST request{sizeof(CENOTIFYREQUEST), window, 0, nullptr, 0};
  CEOID oid = 0;
  HANDLE watcher = CeOpenDatabaseEx(nullptr, &oid, u"Watched", 0, 0, &request);
  HANDLE writer = OpenDatabase(u"Watched");
  CEOID record = AddRecord(writer, 1);
  CEPROPVAL change = Int32Prop(kNumber, 2);
  CeWriteRecordProps(writer, record, 1, &change);
  CeDeleteRecord(writer, record);
  ASSERT_EQ(posted.size(), 3u);
  EXPECT_EQ(posted[0].message, DB_CEOID_CREATED);
  EXPECT_EQ(posted[1].message, DB_CEOID_CHANGED);
  EXPECT_EQ(posted[2].message, DB_CEOID_RECORD_DELETED);
  for (const Posted& p : posted) {
    EXPECT_EQ(p.window, window);
    EXPECT_EQ(p.oid, record);
    EXPECT_EQ(static_cast<CEOID>(p.parent), dbOid);
  }
  CloseHandle(watcher);
  AddRecord(writer, 3);
  EXPECT_EQ(posted.size(), 3u) << "a closed handle asks for nothing";
  CloseHandle(writer);
  platform::SetDatabaseChangeSink(nullptr);
}

TEST(ObjectStoreWithoutDeviceTest, EveryCallFails) {
  platform::System::Current().DetachDevice();
  EXPECT_EQ(CreateDatabase(u"x", 0), 0u);
  EXPECT_EQ(OpenDatabase(u"x"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(CeFindFirstDatabaseEx(nullptr, 0), INVALID_HANDLE_VALUE);
  CEOIDINFO info{};
  EXPECT_FALSE(CeOidGetInfo(70000, &info));
}

}  // namespace
