#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "hosts/calyra/EditorLibrary.h"
#include "hosts/calyra/OutlookItems.h"
#include "hosts/calyra/Script.h"

namespace calyra::host {

// `calyra new KIND` (oid 0) and `calyra edit OID`: the editor opened through the New or Edit export
// of the kind, then worked by a script (`steps` from --script) or by the person at the terminal. The
// project editor (`calyra new project`, `calyra project edit PROJECT`) has `project` set and the
// project's record as its oid.
struct EditorCommand {
  ItemKind kind = ItemKind::kNone;
  bool project = false;
  CEOID oid = 0;
  bool scripted = false;
  std::string scriptName;
  std::vector<ScriptStep> steps;
};

// Asks for the editor the command names through its export; the export's answer (0: refused).
int RequestEditor(const EditorExports& exports, const EditorCommand& command);
// "the appointment 0x00001234" or "a new task".
std::string DescribeEditorCommand(const EditorCommand& command);

// Starts the component, runs the command and shuts the component down; the exit code.
int RunEditorCommand(const EditorExports& exports, const EditorCommand& command, std::FILE* in,
                     std::FILE* out, std::FILE* err);

}  // namespace calyra::host
