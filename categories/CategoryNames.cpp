#include "categories/CategoryNames.h"

#include <algorithm>

#include "platform/text/Formatter.h"
#include "resources/ResourceIds.h"

namespace calyra {

CategoryNameCheck CheckCategoryName(std::u16string_view text, const std::vector<std::u16string>& listed) {
  text = text.substr(0, kCategoryNameChars);
  if (text.empty()) return {{}, resources::kStringCategoryNameMissing};
  if (text.find_first_of(u";,") != std::u16string_view::npos)
    return {{}, resources::kStringCategorySeparatorInName};
  size_t end = text.find_last_not_of(u' ');
  if (end == std::u16string_view::npos) return {{}, resources::kStringCategoryNameBlank};
  std::u16string name(text.substr(0, end + 1));
  if (std::find(listed.begin(), listed.end(), name) != listed.end())
    return {name, resources::kStringCategoryExists};
  return {name, 0};
}

std::u16string MarkedCategoryName(std::u16string_view name, std::u16string_view mark) {
  return std::u16string(name) + platform::FormatText(u"-->(%s)", {std::u16string(mark)});
}

}  // namespace calyra
