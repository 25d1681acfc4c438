#pragma once

#include <cstdio>
#include <string>

#include "hosts/calyra/ExitCodes.h"

namespace calyra::host {

// `calyra import-vcf FILE…`, one file: reads every card of the file first and, only when all of
// them can be read, saves each as a new contact as the contact editor saves one, printing
// "imported contact 0x… FileAs" per contact. A file that cannot be read or has a malformed card
// imports nothing and is told in one line on `err`: kExitBadImportFile.
int ImportVCardFile(const std::string& path, std::FILE* out, std::FILE* err);

// `calyra export contacts FILE`: every contact of the device, in the folder's order, as vCard 3.0.
int ExportContacts(const std::string& path, std::FILE* out, std::FILE* err);

}  // namespace calyra::host
