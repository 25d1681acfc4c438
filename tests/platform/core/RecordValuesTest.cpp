#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/RecordValues.h"

namespace {

using platform::RecordValues;
using platform::StoredValue;

TEST(RecordValuesTest, EveryKindOfValueComesBackAsItWasWrittenInTagOrder) {
  RecordValues values;
  values.Set(0x30, std::vector<uint8_t>{});
  values.Set(0x10, int64_t{-7});
  values.Set(0x20, 2.5);
  values.Set(0x05, std::u16string(u"a\xD800z\0b", 5));  // a lone surrogate and a NUL survive as units
  values.Set(0x40, std::vector<uint8_t>{0, 255, 1});
  values.Set(0x10, int64_t{1} << 62);  // a second write of a tag replaces the first

  std::optional<RecordValues> read = RecordValues::Decode(values.Encode());
  ASSERT_TRUE(read.has_value());
  std::vector<uint32_t> tags;
  for (const auto& [tag, value] : read->Entries()) tags.push_back(tag);
  EXPECT_EQ(tags, (std::vector<uint32_t>{0x05, 0x10, 0x20, 0x30, 0x40}));
  EXPECT_EQ(read->Entries(), values.Entries());
  EXPECT_EQ(std::get<int64_t>(*read->Find(0x10)), int64_t{1} << 62);
  EXPECT_EQ(read->Find(0x11), nullptr);
  // Texts count two bytes a unit and their zero, blobs their bytes, numbers eight.
  EXPECT_EQ(read->Size(), 12 + 8 + 8 + 0 + 3);

  read->Erase(0x20);
  read->Erase(0x99);
  EXPECT_EQ(read->Entries().size(), 4u);
}

TEST(RecordValuesTest, ARecordWithoutPropertiesIsEmpty) {
  for (const std::vector<uint8_t>& data : {std::vector<uint8_t>{}, RecordValues().Encode()}) {
    std::optional<RecordValues> read = RecordValues::Decode(data);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->Entries().empty());
  }
}

TEST(RecordValuesTest, DamagedDataIsRefused) {
  RecordValues two;
  two.Set(1, std::u16string(u"ab"));
  two.Set(2, int64_t{3});
  const std::vector<uint8_t> good = two.Encode();
  auto changed = [&](size_t at, uint8_t byte) {
    std::vector<uint8_t> data = good;
    data[at] = byte;
    return data;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> data;
  };
  const std::vector<Case> cases{
      {"an unknown format", changed(0, 9)},
      {"an unknown kind of value", changed(5, 5)},
      {"a text count past the end", changed(6, 100)},
      {"a byte above ASCII in an ASCII text", changed(7, 0xC3)},
      {"tags out of order", changed(1, 7)},
      {"a tag twice", changed(1, 2)},
      {"cut inside a number", std::vector<uint8_t>(good.begin(), good.end() - 1)},
      {"cut inside a tag", std::vector<uint8_t>(good.begin(), good.begin() + 3)},
      {"a number written longer than it needs", {2, 2, 0, 0, 0, 0, 0x86, 0x00}},
      {"a number of eleven bytes",
       {2, 2, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1}},
      {"an ASCII text written two bytes a unit", {2, 1, 0, 0, 0, 2, 1, 'a', 0}},
      {"a count of four billion", {1, 1, 0, 0, 0, 3, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  ASSERT_TRUE(RecordValues::Decode(good).has_value());
  for (const Case& c : cases) EXPECT_FALSE(RecordValues::Decode(c.data).has_value()) << c.name;
}

// The bytes are what devices keep: small numbers and ASCII texts take few of them.
TEST(RecordValuesTest, ValuesAreWrittenInTheirShortestForm) {
  RecordValues values;
  values.Set(0x01, int64_t{-7});
  values.Set(0x02, int64_t{300});
  values.Set(0x03, std::u16string(u"ab"));
  values.Set(0x04, std::u16string(u"\u00e9"));
  values.Set(0x05, std::vector<uint8_t>{9});
  const std::vector<uint8_t> expected{
      2,                                // the format
      1, 0, 0, 0, 0, 13,                // -7 as a zigzag varint
      2, 0, 0, 0, 0, 0xD8, 0x04,        // 300
      3, 0, 0, 0, 4, 2,    'a',  'b',   // an ASCII text, a byte a unit
      4, 0, 0, 0, 2, 1,    0xE9, 0x00,  // any other text, two bytes a unit
      5, 0, 0, 0, 3, 1,    9,           // a blob
  };
  EXPECT_EQ(values.Encode(), expected);
  std::optional<RecordValues> read = RecordValues::Decode(expected);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->Entries(), values.Entries());
}

// Records written by earlier builds, with 8-byte numbers and 4-byte counts, read as they were and are
// written back in the short form.
TEST(RecordValuesTest, RecordsOfTheFixedWidthFormatStillRead) {
  const std::vector<uint8_t> fixed{
      1,                                                                 // the format
      5,    0, 0, 0, 2, 2,    0,    0,    0,    'a',  0,    'b',  0,     // a text
      0x10, 0, 0, 0, 0, 0xF9, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // -7
      0x20, 0, 0, 0, 3, 1,    0,    0,    0,    9,                       // a blob
  };
  std::optional<RecordValues> read = RecordValues::Decode(fixed);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read->Find(5), StoredValue(std::u16string(u"ab")));
  EXPECT_EQ(*read->Find(0x10), StoredValue(int64_t{-7}));
  EXPECT_EQ(*read->Find(0x20), StoredValue(std::vector<uint8_t>{9}));
  std::vector<uint8_t> written = read->Encode();
  EXPECT_EQ(written.front(), 2);
  EXPECT_LT(written.size(), fixed.size());
}

}  // namespace
