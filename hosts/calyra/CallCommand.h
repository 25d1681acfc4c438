#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "hosts/calyra/CallArguments.h"
#include "hosts/calyra/EditorLibrary.h"
#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/Script.h"

namespace calyra::host {

// The steps of --script, when the command has one.
struct ScriptInput {
  bool scripted = false;
  std::string scriptName;
  std::vector<ScriptStep> steps;
};

// `calyra call NAME ARG...`: one export called by name with arguments read by its row of the export
// table, in a started component, as a host calls it. What the call raises is answered by a script
// (`steps` from --script) or by the person at the terminal.
struct CallCommand : ScriptInput {
  const ExportRow* row = nullptr;
  CallArguments arguments;
  std::optional<int64_t> result;  // what the export answered, once it was called
};

// Reads `words` (the name, then the arguments) into `command`; false with a one-line `error`.
bool ParseCallCommand(const std::vector<std::string>& words, CallCommand* command, std::string* error);

// Starts the component, makes the call, lets the script or the person answer what it raises and
// shuts the component down; the exit code.
int RunCallCommand(const EditorLibrary& library, CallCommand& command, std::FILE* in, std::FILE* out,
                   std::FILE* err);

// Starts the component, runs `call` in it, lets the script or the person answer what it raises and
// work the editor it opens, and shuts the component down; the exit code.
int RunInSession(const EditorLibrary& library, const ScriptInput& script,
                 const std::function<void(EditorSession&)>& call, std::FILE* in, std::FILE* out,
                 std::FILE* err);

// `calyra exports`: one line per row of the export table.
void PrintExportTable(std::FILE* out);

}  // namespace calyra::host
