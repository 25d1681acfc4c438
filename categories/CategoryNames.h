#pragma once

#include <string>
#include <string_view>
#include <vector>

// The rules a new category name must pass in the category dialog.
namespace calyra {

// The longest name the dialog takes from its edit field.
inline constexpr size_t kCategoryNameChars = 256;

struct CategoryNameCheck {
  std::u16string name;   // the name to store: trailing blanks removed
  unsigned refusal = 0;  // the message that refuses it; 0 when the name is accepted
};

// No text, a ";" or ",", nothing but blanks, or a name already listed (exact text) refuse the name.
CategoryNameCheck CheckCategoryName(std::u16string_view text, const std::vector<std::u16string>& listed);

// The name a category without the listing flag is shown under: its name and the marker "-->(%s)"
// with the resource module's mark.
std::u16string MarkedCategoryName(std::u16string_view name, std::u16string_view mark);

}  // namespace calyra
