#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "hosts/calyra/EditorLibrary.h"
#include "hosts/calyra/EditorSession.h"
#include "platform/ui/agent/ScriptedUserAgent.h"

namespace calyra::host {

// Lets `person` answer everything while `call` runs in the started session, then pumps the host's
// messages: the person's failures (none when it did every step and met nothing out of turn).
std::vector<std::string> AnswerWithPerson(EditorSession& session, platform::ScriptedUserAgent& person,
                                          const std::function<void()>& call);

// Starts the component, lets `person` answer everything while `call` runs, and stops it: `call`'s
// exit code, kExitFailed when the person met something out of turn or was left with a step, or
// kExitNoComponent.
int RunWithPerson(const EditorLibrary& library, platform::ScriptedUserAgent& person,
                  const std::function<int(EditorSession&)>& call, std::FILE* out, std::FILE* err);

}  // namespace calyra::host
