#include "editors/EditorHost.h"

#include "text/CountryTable.h"

namespace calyra {

std::u16string EditorHost::CityLine(const std::u16string& country, const std::u16string& city,
                                    const std::u16string& region, const std::u16string& postalCode) const {
  static const CountryTable kEnglishNames;
  return ComposedCityLine(kEnglishNames, country, city, region, postalCode);
}

}  // namespace calyra
