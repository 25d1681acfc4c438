#include "text/CountryTable.h"

#include <unicode/uchar.h>

#include "platform/text/Text.h"
#include "platform/time/Locale.h"
#include "text/CountryTableData.h"

namespace calyra {

namespace {

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && u_isUWhiteSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && u_isUWhiteSpace(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

CountryTable::CountryTable(const std::vector<LocaleCountry>& locales) {
  for (const CountryOrder& country : kCountryOrders) {
    entries_.push_back({country.englishName, u"", country.order});
  }
  for (size_t i = 0; i < entries_.size(); ++i)
    byEnglishName_.emplace(platform::FoldCase(entries_[i].englishName), i);
  for (const LocaleCountry& locale : locales) {
    if (locale.nativeName.empty()) continue;
    auto found = byEnglishName_.find(platform::FoldCase(locale.englishName));
    if (found != byEnglishName_.end() && entries_[found->second].localName.empty()) {
      entries_[found->second].localName = locale.nativeName;
    }
  }
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].localName.empty()) entries_[i].localName = entries_[i].englishName;
    byLocalName_.emplace(platform::FoldCase(entries_[i].localName), i);
  }
}

CountryTable CountryTable::FromLocaleData() {
  std::vector<LocaleCountry> locales;
  for (const platform::CountryName& name : platform::NativeCountryNames()) {
    locales.push_back({name.englishName, name.nativeName});
  }
  return CountryTable(locales);
}

const CountryTable::Entry* CountryTable::Find(std::u16string_view country) const {
  std::u16string key = platform::FoldCase(Trim(country));
  if (key.empty()) return nullptr;
  if (auto found = byLocalName_.find(key); found != byLocalName_.end()) return &entries_[found->second];
  if (auto found = byEnglishName_.find(key); found != byEnglishName_.end()) return &entries_[found->second];
  return nullptr;
}

int ComposeCityLine(const CountryTable& table, const char16_t* country, const char16_t* city,
                    const char16_t* region, const char16_t* postalCode, char16_t* output, size_t outputSize) {
  if (output != nullptr && outputSize > 0) output[0] = u'\0';
  std::u16string_view parts[4] = {u"", platform::TextView(city), platform::TextView(region),
                                  platform::TextView(postalCode)};
  size_t total = parts[1].size() + parts[2].size() + parts[3].size();
  if (output == nullptr || total + 3 > outputSize) return 0;
  if (total == 0) return 1;

  auto join = [](std::initializer_list<std::u16string_view> pieces) {
    std::u16string text;
    for (auto piece : pieces) text += piece;
    return text;
  };
  std::u16string line;
  std::u16string_view cityPart = parts[1], regionPart = parts[2], postal = parts[3];
  const CountryTable::Entry* entry = table.Find(platform::TextView(country));
  if (entry != nullptr) {
    auto [o1, o2, o3] = entry->order;
    bool regionPlaced = o1 == 2 || o2 == 2 || o3 == 2;
    if (!regionPart.empty() && !regionPlaced) {
      line = o1 == 1 ? join({cityPart, u", ", regionPart, u" ", parts[o2]})
                     : join({parts[o1], u" ", parts[o2], u", ", regionPart});
    } else {
      line = join({parts[o1], u" ", parts[o2], u" ", parts[o3]});
    }
  } else if (!cityPart.empty()) {
    line = regionPart.empty() ? join({cityPart, u" ", postal})
                              : join({cityPart, u", ", regionPart, u" ", postal});
  } else {
    line = regionPart.empty() ? std::u16string(postal) : join({regionPart, u" ", postal});
  }
  platform::BoundedCopy(output, outputSize, line);
  return 1;
}

std::u16string ComposedCityLine(const CountryTable& table, const std::u16string& country,
                                const std::u16string& city, const std::u16string& region,
                                const std::u16string& postalCode) {
  std::u16string line(city.size() + region.size() + postalCode.size() + 4, u'\0');
  ComposeCityLine(table, country.c_str(), city.c_str(), region.c_str(), postalCode.c_str(), line.data(),
                  line.size());
  line.resize(std::char_traits<char16_t>::length(line.c_str()));
  return line;
}

std::u16string AddressText(const std::u16string& street, const std::u16string& cityLine,
                           const std::u16string& country) {
  std::u16string text = street;
  if (!cityLine.empty()) text += (text.empty() ? u"" : u"\r\n") + cityLine;
  if (!country.empty() && !text.empty()) text += u"\r\n" + country;
  return text;
}

}  // namespace calyra
