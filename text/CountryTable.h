#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// The countries with their address city-line orders, and the two case-insensitive indexes over
// them: by local (native) name and by English name.
namespace calyra {

class CountryTable {
 public:
  struct Entry {
    std::u16string englishName;
    std::u16string localName;
    std::array<uint8_t, 3> order;  // 0 nothing, 1 city, 2 region, 3 postal code
  };

  // One locale's English country name and native country name, as the locale data gives them.
  struct LocaleCountry {
    std::u16string englishName;
    std::u16string nativeName;
  };

  // Builds the table; each entry takes the native name of the first locale whose English country name
  // matches it without regard to case, else its English name.
  explicit CountryTable(const std::vector<LocaleCountry>& locales = {});
  // The table with the native country names of the locale data.
  static CountryTable FromLocaleData();

  // The entry for a country text (blanks around it ignored), local names first; null when unknown.
  const Entry* Find(std::u16string_view country) const;
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
  std::map<std::u16string, size_t> byLocalName_;
  std::map<std::u16string, size_t> byEnglishName_;
};

// Joins city, region and postal code in the order of the country into `output` (`outputSize`
// characters). Returns 1 when written (possibly empty), 0 when the buffer is too small; the output is
// emptied first in every case.
int ComposeCityLine(const CountryTable& table, const char16_t* country, const char16_t* city,
                    const char16_t* region, const char16_t* postalCode, char16_t* output, size_t outputSize);

// The city line as a string, however long its parts.
std::u16string ComposedCityLine(const CountryTable& table, const std::u16string& country,
                                const std::u16string& city, const std::u16string& region,
                                const std::u16string& postalCode);

// An address as one text: street, city line and country, each on a line of its own when it is
// there; a country alone is not an address.
std::u16string AddressText(const std::u16string& street, const std::u16string& cityLine,
                           const std::u16string& country);

}  // namespace calyra
