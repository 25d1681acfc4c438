#pragma once

#include <string>
#include <vector>

#include "store/CategorySet.h"
#include "store/ItemKind.h"

namespace calyra {

// Adds `delta` to the count of items of `kind` in every category of "\Categories Database" whose
// number is in `categories`. A count never goes below 0 when lowered, and is at least 1 when raised;
// a missing count counts as -1. Returns the number of category records changed.
int AdjustCategoryCounts(ItemKind kind, const CategorySet& categories, int delta);

// The numbers of the named categories of "\Categories Database" (names compared without regard to
// case), in the order of `names`. A missing category is made with the next free number and counts of
// 0, as a new category starts (listed, the lowest free number), unless the numbers are used up; the
// database is made when missing.
std::vector<int> CategoryNumbersFor(const std::vector<std::u16string>& names);

}  // namespace calyra
