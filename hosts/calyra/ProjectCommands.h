#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "hosts/calyra/ItemCommands.h"
#include "store/ItemKind.h"

namespace calyra::host {

// The project commands of docs/DEMO.md "Projects": `projects [--json]` (the tree with its labels),
// `project new NAME [PARENT]`, `project time PROJECT START END [NAME]` (written into the project store), and
// `project add PROJECT OID|PATH` and `project pick OID|PATH`, which are calls of
// CalyraEditor_AddItemToProject2 and CalyraEditor_AddItemToProject as `call` makes them.

// The project's record: the oid of a project's record, else the one project of that name (ignoring
// case). 0, told on `err`, when there is none or more than one.
ItemOid FindProject(const std::string& word, std::FILE* err);

bool IsProjectCommand(const std::string& name);
// The words' shape before the device is opened: "" when they fit, else the one-line usage problem.
std::string CheckProjectCommand(const std::vector<std::string>& words);
// True for `project edit PROJECT`, which opens the project editor.
bool IsProjectEdit(const std::vector<std::string>& words);
// True for the forms that call an export (add, pick).
bool IsProjectCall(const std::vector<std::string>& words);
// The words of `call` for add or pick (the device is open). kExitDone, or the exit code of the problem
// told on `err`.
int ProjectCallWords(const std::vector<std::string>& words, std::vector<std::string>* call, std::FILE* err);
// The other forms. The exit code.
int RunProjectCommand(const std::vector<std::string>& words, ListingFormat format, std::FILE* out,
                      std::FILE* err);

}  // namespace calyra::host
