#pragma once

#include <map>
#include <string>
#include <vector>

#include "store/ItemKind.h"

// The projects of a report case (tests/data/projects/*.project, the folder's README.md has the
// format), read and written into the device's project database as entries saved by the store.
namespace calyra::testing {

struct CaseEntry {
  int line = 0;
  int depth = 0;           // 0 for a top-level project; an entry belongs to the project above it
  bool isProject = false;  // else a time record
  std::string key;         // a project's name in "booked=" fields
  std::map<std::string, std::string> fields;
  std::string name;  // UTF-8
};

struct ReportCase {
  std::vector<std::pair<std::string, std::string>> settings;  // device settings, in file order
  std::vector<CaseEntry> entries;
  std::string error;  // the first line that does not read, with its number
};

ReportCase ReadReportCase(const std::string& path);

// Applies the case's device settings and writes its entries; the record of its first project (the
// one reported), or 0 with `error` set.
ItemOid StoreReportCase(const ReportCase& reportCase, std::string* error);

}  // namespace calyra::testing
