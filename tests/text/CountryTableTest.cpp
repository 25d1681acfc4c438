#include <gtest/gtest.h>

#include <set>

#include "platform/text/Text.h"
#include "text/CountryTable.h"

namespace {

using namespace calyra;

std::u16string Line(const CountryTable& table, const char16_t* country, const char16_t* city,
                    const char16_t* region, const char16_t* postal, size_t size = 256,
                    int* result = nullptr) {
  std::vector<char16_t> buffer(size + 1, u'#');
  int written = ComposeCityLine(table, country, city, region, postal, buffer.data(), size);
  if (result) *result = written;
  return std::u16string(platform::TextView(buffer.data(), size));
}

TEST(CountryTableTest, HoldsEveryCountryOnceWithItsOrder) {
  CountryTable table;
  EXPECT_EQ(table.Entries().size(), 246u);
  std::set<std::u16string> names;
  for (const auto& entry : table.Entries()) names.insert(platform::FoldCase(entry.englishName));
  EXPECT_EQ(names.size(), 246u) << "English names are unique without regard to case";
  ASSERT_NE(table.Find(u"Côte d'Ivoire"), nullptr);
  EXPECT_EQ(table.Find(u"El Salvador")->order, (std::array<uint8_t, 3>{3, 2, 1}));
  EXPECT_EQ(table.Find(u"Pitcairn Island")->order, (std::array<uint8_t, 3>{3, 0, 0}));
  EXPECT_EQ(table.Find(u"hong KONG")->order, (std::array<uint8_t, 3>{1, 0, 0}));
  EXPECT_EQ(table.Find(u"Atlantis"), nullptr);
  EXPECT_EQ(table.Find(u"   "), nullptr);
}

TEST(CountryTableTest, CityLinesFollowTheCountry) {
  CountryTable table;
  EXPECT_EQ(Line(table, u"Germany", u"Town", nullptr, u"123"), u"123 Town ");
  EXPECT_EQ(Line(table, u"Germany", u"Town", u"Reg", u"123"), u"123 Town, Reg");
  EXPECT_EQ(Line(table, u"usa", u"Town", u"RG", u"123"), u"Town RG 123");
  EXPECT_EQ(Line(table, u" France\t", u"Paris", u"", u"75001"), u"75001 Paris ");
  EXPECT_EQ(Line(table, u"Afghanistan", u"Town", nullptr, u"123"), u"Town  ")
      << "the postal code is not shown";
  EXPECT_EQ(Line(table, u"Afghanistan", u"Town", u"Reg", u"123"), u"Town, Reg ");
  EXPECT_EQ(Line(table, u"Japan", u"Tokyo", u"Kanto", u"100"), u"Tokyo, Kanto 100");
  EXPECT_EQ(Line(table, u"El Salvador", u"C", u"R", u"P"), u"P R C");
  EXPECT_EQ(Line(table, u"Atlantis", u"X", u"Y", u"Z"), u"X, Y Z");
  EXPECT_EQ(Line(table, nullptr, u"X", nullptr, u"Z"), u"X Z");
  EXPECT_EQ(Line(table, u"", nullptr, u"Y", u"Z"), u"Y Z");
  EXPECT_EQ(Line(table, u"", nullptr, nullptr, u"Z"), u"Z");
}

TEST(CountryTableTest, LocalNamesComeFromTheLocales) {
  CountryTable table(
      {{u"Germany", u"Deutschland"}, {u"germany", u"Däitschland"}, {u"France", u""}, {u"Atlantis", u"X"}});
  ASSERT_NE(table.Find(u"DEUTSCHLAND"), nullptr) << "the first matching locale names the country";
  EXPECT_EQ(table.Find(u"Deutschland")->englishName, u"Germany");
  EXPECT_EQ(table.Find(u"Däitschland"), nullptr);
  EXPECT_EQ(table.Find(u"Germany")->localName, u"Deutschland") << "the English index still finds it";
  EXPECT_EQ(table.Find(u"France")->localName, u"France") << "a locale without a native name is skipped";
  EXPECT_EQ(Line(table, u"Deutschland", u"Berlin", nullptr, u"10115"), u"10115 Berlin ");
}

TEST(CountryTableTest, TheLocaleDataNamesCountriesInTheirOwnLanguage) {
  CountryTable table = CountryTable::FromLocaleData();
  ASSERT_NE(table.Find(u"Deutschland"), nullptr) << "through the local-name index";
  EXPECT_EQ(table.Find(u"deutschland")->englishName, u"Germany");
  ASSERT_NE(table.Find(u"Schweiz"), nullptr);
  EXPECT_EQ(table.Find(u"Schweiz")->englishName, u"Switzerland");
  EXPECT_EQ(Line(table, u"Deutschland", u"Berlin", u"", u"10115"), u"10115 Berlin ");
  EXPECT_NE(table.Find(u"Germany"), nullptr) << "the English name still matches";
}

TEST(CountryTableTest, BuffersAndEmptyPartsAreHandledSafely) {
  CountryTable table;
  int result = -1;
  EXPECT_EQ(Line(table, u"Germany", nullptr, u"", nullptr, 256, &result), u"");
  EXPECT_EQ(result, 1) << "all parts empty: written, and empty";
  // total 7 characters: 7 + 3 is the least size that is accepted.
  EXPECT_EQ(Line(table, u"Germany", u"Town", nullptr, u"123", 9, &result), u"");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Line(table, u"Germany", u"Town", nullptr, u"123", 10, &result), u"123 Town ");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(ComposeCityLine(table, u"Germany", u"Town", nullptr, u"1", nullptr, 100), 0);
  char16_t one[1] = {u'#'};
  EXPECT_EQ(ComposeCityLine(table, u"Germany", u"Town", nullptr, u"1", one, 1), 0);
  EXPECT_EQ(one[0], u'\0') << "the output is emptied even when too small";
  std::u16string huge(100000, u'a');
  EXPECT_EQ(Line(table, huge.c_str(), huge.c_str(), huge.c_str(), huge.c_str(), 300010, &result).size(),
            300003u);
}

}  // namespace
