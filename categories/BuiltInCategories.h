#pragma once

#include <string>
#include <vector>

#include "platform/ui/WindowTypes.h"

// The three special categories (contact anniversaries, contact birthdays, items without categories):
// no records, but an icon and a colour of their own under a fixed key, shown at the top of the
// category dialog's icons page.
namespace calyra {

struct BuiltInCategory {
  const char16_t* key;  // takes the name's place in the icon file name and the colour value
  int changeIndex;      // -3, -2, -1
  std::u16string name;  // in the resource module's language
};

// The three, in list order, named in the language the resource module's language tag names
// (English for any tag but "EN", "DE", "NL", "FR", "ES" and "IT").
std::vector<BuiltInCategory> BuiltInCategories(HINSTANCE resources);

}  // namespace calyra
