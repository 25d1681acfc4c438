#pragma once

#include <cstdio>

#include "hosts/calyra/ItemCommands.h"

namespace calyra::host {

// `calyra notes [--json]`: every note file of the documents folder and of the alarm notes folder, as
// the component takes them when it lists them (an alarm note without a registered alarm is
// registered, one whose time has passed loses its handle from its name): one line each, or one JSON
// array (docs/DEMO.md "Notes"). The exit code.
int ListNoteFiles(ListingFormat format, std::FILE* out);

}  // namespace calyra::host
