#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/text/Text.h"
#include "store/CategoryCountBatch.h"
#include "store/CategoryCounts.h"
#include "store/CategorySet.h"

namespace calyra::host {

// The category sets of the items of one imported file: categories by their names as the file gives
// them (UTF-8), made in "\Categories Database" when missing. Each name is looked up once per file;
// the file's store step keeps other processes from changing the categories meanwhile. The saves
// note their counter changes in `Counts()`, written by `ApplyCounts` before the step commits.
class ImportCategories {
 public:
  CategorySet SetOf(const std::vector<std::string>& names) {
    std::vector<std::string> missing;
    for (const std::string& name : names) {
      if (!numbers_.count(name)) missing.push_back(name);
    }
    if (!missing.empty()) {
      std::vector<std::u16string> text;
      for (const std::string& name : missing) text.push_back(platform::FromUtf8(name));
      std::vector<int> found = CategoryNumbersFor(text);
      for (size_t i = 0; i < missing.size() && i < found.size(); ++i) numbers_[missing[i]] = found[i];
    }
    std::vector<int> numbers;
    for (const std::string& name : names) {
      if (auto known = numbers_.find(name); known != numbers_.end()) numbers.push_back(known->second);
    }
    return CategorySet::FromNumbers(numbers);
  }

  CategoryCountBatch* Counts() { return &counts_; }
  bool ApplyCounts() { return counts_.Apply(); }

 private:
  std::map<std::string, int> numbers_;
  CategoryCountBatch counts_;
};

}  // namespace calyra::host
