#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/objectstore/ObjectStoreTestSupport.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra::testing;

constexpr WORD kNumber = 0x10;
constexpr WORD kName = 0x11;
constexpr CEPROPID kNumberTag = MakePropID(kNumber, CEVT_I4);
constexpr CEPROPID kNameTag = MakePropID(kName, CEVT_LPWSTR);

using NewRecordWriteTest = DeviceTest;

// A new record's size and sort keys must be what writing the same values onto an empty record
// gives.
TEST_F(NewRecordWriteTest, ANewRecordKeepsTheSizeAndSortKeysOfTheSameValuesWrittenLater) {
  std::vector<BYTE> bytes{1, 2, 3, 4, 5};
  std::vector<std::u16string> many;
  for (int i = 0; i < 40; ++i) many.push_back(u"text " + std::u16string(static_cast<size_t>(i), u'm'));
  CEPROPVAL dropped = StringProp(kName, nullptr);
  dropped.wFlags = CEDB_PROPDELETE;
  struct Case {
    const char* name;
    std::vector<CEPROPVAL> values;
  };
  std::vector<Case> cases{
      {"a number and a name", {Int32Prop(kNumber, 7), StringProp(kName, u"Zebra")}},
      {"the same property twice, the later kept", {StringProp(kName, u"early"), StringProp(kName, u"Apple")}},
      {"a name written, then deleted", {Int32Prop(kNumber, 3), StringProp(kName, u"gone"), dropped}},
      {"a name with a surrogate pair", {StringProp(kName, u"M\U0001F600nch")}},
      {"a lone surrogate", {StringProp(kName, u"a\xD800z")}},
      {"an empty name and a blob", {StringProp(kName, u""), BlobProp(0x30, bytes)}},
      {"forty properties", {}},
  };
  for (size_t i = 0; i < many.size(); ++i)
    cases.back().values.push_back(StringProp(static_cast<WORD>(0x40 + i), many[i].c_str()));
  std::vector<SORTORDERSPEC> orders{{kNameTag, CEDB_SORT_CASEINSENSITIVE},
                                    {kNumberTag, CEDB_SORT_UNKNOWNFIRST}};
  CEOID atOnce = CreateDatabase(u"AtOnce", 0, orders);
  CEOID later = CreateDatabase(u"Later", 0, orders);
  HANDLE one = OpenDatabase(u"AtOnce");
  HANDLE two = OpenDatabase(u"Later");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto count = static_cast<WORD>(c.values.size());
    ASSERT_NE(CeWriteRecordProps(one, 0, count, c.values.data()), 0u);
    CEOID empty = CeWriteRecordProps(two, 0, 0, nullptr);
    ASSERT_NE(empty, 0u);
    ASSERT_EQ(CeWriteRecordProps(two, empty, count, c.values.data()), empty);
    CEOIDINFO first{}, second{};
    ASSERT_TRUE(CeOidGetInfo(atOnce, &first));
    ASSERT_TRUE(CeOidGetInfo(later, &second));
    EXPECT_EQ(first.infDatabase.dwSize, second.infDatabase.dwSize);
  }
  CloseHandle(one);
  CloseHandle(two);
  for (CEPROPID order : {kNameTag, kNumberTag}) {
    std::vector<std::vector<std::u16string>> walks;
    for (const char16_t* name : {u"AtOnce", u"Later"}) {
      HANDLE db = OpenDatabase(name, order);
      std::vector<std::u16string> walk;
      ASSERT_NE(CeSeekDatabase(db, CEDB_SEEK_BEGINNING, 0, nullptr), 0u);
      do {
        ReadResult read = ReadCurrent(db, {kNameTag, kNumberTag});
        bool named = !(read.values.at(0).wFlags & CEDB_PROPNOTFOUND);
        bool numbered = !(read.values.at(1).wFlags & CEDB_PROPNOTFOUND);
        std::string number = numbered ? std::to_string(read.values.at(1).val.lVal) : "-";
        walk.push_back((named ? read.strings.at(0) : u"-") + u"/" +
                       std::u16string(number.begin(), number.end()));
      } while (CeSeekDatabase(db, CEDB_SEEK_CURRENT, 1, nullptr));
      CloseHandle(db);
      walks.push_back(walk);
    }
    EXPECT_EQ(walks[0], walks[1]) << "the order " << order << " walks both alike";
  }
}

}  // namespace
