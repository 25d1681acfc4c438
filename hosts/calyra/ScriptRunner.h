#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/Script.h"
#include "platform/ui/agent/ScriptedUserAgent.h"

namespace calyra::host {

// Runs a script against the editor: each step printed as it runs, answers queued on a scripted
// person before the step that raises what they answer. The first step that does not match what
// appeared (no such control, no page, a message box nobody answered) stops the run.
class ScriptRunner {
 public:
  // The exit code of a step that does not match.
  static constexpr int kBadStep = 4;

  ScriptRunner(EditorSession& session, std::string scriptName, std::FILE* out, std::FILE* err)
      : session_(session), scriptName_(std::move(scriptName)), out_(out), err_(err) {}

  // `openEditor` makes the editor request; it runs before the first acting step (answers before it
  // are queued first, so that they can answer what the request raises). 0 when the script ran
  // through, kBadStep for a step that did not match, 1 when the editor could not be requested.
  int Run(const std::vector<ScriptStep>& steps, const std::function<bool(std::string*)>& openEditor);

 private:
  struct Queued {
    int line = 0;
    std::string source;
  };

  void Queue(const ScriptStep& step, platform::ScriptedUserAgent& person);
  void AddDialogAction(platform::ScriptedUserAgent::DialogStep& dialog, const ScriptStep& step);
  int Fail(int line, const std::string& source, const std::string& message);

  EditorSession& session_;
  std::string scriptName_;
  std::FILE* out_;
  std::FILE* err_;
  std::vector<Queued> queued_;
  std::vector<std::string> failures_;
  // Tells the person which command to pick in the menu that a menu step opens.
  std::function<void(UINT)> choosePopup_;
  // The first step inside a dialog block that did not match: its line, its text and why.
  Queued dialogStep_;
  std::string dialogError_;
};

}  // namespace calyra::host
