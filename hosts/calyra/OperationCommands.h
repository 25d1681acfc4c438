#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace calyra::host {

// The item operations of docs/DEMO.md "Item operations": complete, redate, move, delete and convert.
// Each becomes the call of its export, as `call` makes it, so that the questions it raises are
// answered by a script or by the person at the terminal.

bool IsOperationCommand(const std::string& name);
// --mode and --occurrence take a value; --copy and --no-confirm do not.
bool IsOperationOption(const std::string& option);
bool IsOperationFlag(const std::string& option);

// Checks the number of words and the options of an operation before the device is opened: "" when
// they fit, else the one-line usage problem. The oid is checked by the caller.
std::string CheckOperationCommand(const std::vector<std::string>& words,
                                  const std::map<std::string, std::string>& options);

// The words of `call` for the operation on the stored item (the device is open): the export by the
// item's kind and its arguments. kExitDone, or the exit code of the problem told on `err`.
int OperationCallWords(const std::vector<std::string>& words,
                       const std::map<std::string, std::string>& options, std::vector<std::string>* call,
                       std::FILE* err);

}  // namespace calyra::host
