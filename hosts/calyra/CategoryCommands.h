#pragma once

#include <cstdio>

#include "hosts/calyra/ItemCommands.h"

namespace calyra::host {

// `calyra categories`: every category of "\Categories Database" in name order with its index, its
// counts of appointments, tasks and contacts, its colour and its icon file; text for people, or one
// JSON array (docs/DEMO.md). The exit code.
int ListCategories(ListingFormat format, std::FILE* out);

}  // namespace calyra::host
