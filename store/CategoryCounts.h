#pragma once

#include "store/CategorySet.h"
#include "store/ItemKind.h"

namespace calyra {

// Adds `delta` to the count of items of `kind` in every category of "\Categories Database" whose
// number is in `categories`. A count never goes below 0 when lowered, and is at least 1 when raised;
// a missing count counts as -1. Returns the number of category records changed.
int AdjustCategoryCounts(ItemKind kind, const CategorySet& categories, int delta);

}  // namespace calyra
