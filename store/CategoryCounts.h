#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/CategorySet.h"
#include "store/ItemKind.h"

namespace calyra {

// Adds `delta` to the count of items of `kind` in every category of "\Categories Database" whose
// number is in `categories`. A count never goes below 0 when lowered, and is at least 1 when raised;
// a missing count counts as -1. Returns the number of category records changed.
int AdjustCategoryCounts(ItemKind kind, const CategorySet& categories, int delta);
// The count AdjustCategoryCounts writes for a stored `count` (nothing when missing) and `delta`.
int64_t AdjustedCategoryCount(std::optional<int64_t> count, int delta);
// Writes, for every category record of "\Categories Database", the count of items of `kind` that
// `next` answers given its number and stored count (nothing: left alone). The number of records
// changed; every record is read in one walk.
int RewriteCategoryCounts(
    ItemKind kind,
    const std::function<std::optional<int64_t>(int number, std::optional<int64_t> count)>& next);

// The numbers of the named categories of "\Categories Database" (names compared without regard to
// case), in the order of `names`. A missing category is made with the next free number and counts of
// 0, as a new category starts (listed, the lowest free number), unless the numbers are used up; the
// database is made when missing.
std::vector<int> CategoryNumbersFor(const std::vector<std::u16string>& names);

}  // namespace calyra
