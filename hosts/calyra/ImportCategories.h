#pragma once

#include <string>
#include <vector>

#include "platform/text/Text.h"
#include "store/CategoryCounts.h"
#include "store/CategorySet.h"

namespace calyra::host {

// The category set of an imported item: its categories by their names as the file gives them (UTF-8),
// made in "\Categories Database" when missing.
inline CategorySet CategoriesNamed(const std::vector<std::string>& names) {
  std::vector<std::u16string> text;
  for (const std::string& name : names) text.push_back(platform::FromUtf8(name));
  return CategorySet::FromNumbers(CategoryNumbersFor(text));
}

}  // namespace calyra::host
