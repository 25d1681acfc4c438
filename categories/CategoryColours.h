#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/gdi/Gdi.h"

// A category's colour: the value "CatColor." + the category name (or a special category's key) of
// HKEY_LOCAL_MACHINE "SOFTWARE\Velmora\Calyra", 4 bytes red, green, blue, 0.
namespace calyra {

inline constexpr COLORREF kNoCategoryColour = 0xFFFFFF;  // white: what a category without one shows

// The colour (0x00BBGGRR); none when the value is missing or not 4 bytes.
std::optional<COLORREF> CategoryColour(std::u16string_view nameOrKey);
// No colour deletes the value.
void SetCategoryColour(std::u16string_view nameOrKey, std::optional<COLORREF> colour);
// The colour goes with a new name: stored under the new one, deleted under the old.
void MoveCategoryColour(std::u16string_view from, std::u16string_view to);

// Every category's colour, read in one walk over the key's values, for lists of many categories.
class CategoryColourTable {
 public:
  static CategoryColourTable Read();
  // As CategoryColour answers it.
  std::optional<COLORREF> Of(std::u16string_view nameOrKey) const;

 private:
  std::unordered_map<std::u16string, COLORREF> colours_;  // by case-folded name or key
};

}  // namespace calyra
