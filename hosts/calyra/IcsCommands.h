#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "hosts/calyra/OutlookItems.h"

namespace calyra::host {

// `calyra import FILE…`: each file is read and checked whole before anything of it is written; a
// malformed file is told in one line and nothing of it is imported (kExitBadImportFile at the end), the
// others are. One line per item created; what Pocket Outlook cannot hold is warned about.
int ImportCalendars(const std::vector<std::string>& files, std::FILE* out, std::FILE* err);
// `calyra export appointments|tasks FILE`.
int ExportCalendarFile(ItemKind kind, const std::string& file, std::FILE* err);

}  // namespace calyra::host
