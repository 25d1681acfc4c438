#include "editors/EditorHost.h"

#include "text/CountryTable.h"

namespace calyra {

std::u16string EditorHost::CityLine(const std::u16string& country, const std::u16string& city,
                                    const std::u16string& region, const std::u16string& postalCode) const {
  static const CountryTable kEnglishNames;
  return ComposedCityLine(kEnglishNames, country, city, region, postalCode);
}

// A fresh component's: new notes start with the writing pen, others and alarm notes in the drawing
// pen's mode, at 100 %.
CalyraNoteOptions EditorHost::NoteOptions() const {
  CalyraNoteOptions options{};
  options.setting1 = 1;
  options.setting2 = 2;
  options.setting3 = 1;
  options.zoom = 1;
  return options;
}

ItemOid EditorHost::WriteTemplate(PimItem& item, const std::u16string&, HWND owner) {
  return item.Copy(ItemContextFor(owner));
}

}  // namespace calyra
