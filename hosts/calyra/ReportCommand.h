#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// `calyra report PROJECT [--text]`: the project report of a project found by its record's oid or its
// name, written where the project editor writes it, beside the program (docs/DEMO.md "Project report").
namespace calyra::host {

// Whether the command line's first word (after --device DIR) is "report".
bool IsReportCommand(int argc, char** argv);

// The whole command, its own options read and its device opened: writes the report, prints its
// path on the device and on this machine, and with --text the report's text. The exit code.
int RunReportCommand(int argc, char** argv, std::FILE* out, std::FILE* err);

// The text of a rich-text report without its control words: paragraphs as line breaks, tab stops
// as tabs, the code page's characters as UTF-8.
std::string ReportPlainText(std::string_view rtf);

}  // namespace calyra::host
