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
      {"an unknown kind of value", changed(5, 4)},
      {"a text count past the end", changed(6, 200)},
      {"tags out of order", changed(1, 7)},
      {"a tag twice", changed(1, 2)},
      {"cut inside a number", std::vector<uint8_t>(good.begin(), good.end() - 3)},
      {"cut inside a tag", std::vector<uint8_t>(good.begin(), good.begin() + 3)},
      {"a count of four billion",
       [] {
         std::vector<uint8_t> data{1, 1, 0, 0, 0, 3, 0xFF, 0xFF, 0xFF, 0xFF};
         return data;
       }()},
  };
  ASSERT_TRUE(RecordValues::Decode(good).has_value());
  for (const Case& c : cases) EXPECT_FALSE(RecordValues::Decode(c.data).has_value()) << c.name;
}

}  // namespace
