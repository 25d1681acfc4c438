#include "hosts/calyra/PersonSession.h"

#include "hosts/calyra/ExitCodes.h"
#include "platform/ui/UserAgent.h"

namespace calyra::host {

std::vector<std::string> AnswerWithPerson(EditorSession& session, platform::ScriptedUserAgent& person,
                                          const std::function<void()>& call) {
  std::vector<std::string> failures;
  person.SetResourceModule(session.Resources());
  person.OnFailure([&failures](const std::string& failure) { failures.push_back(failure); });
  platform::SetUserAgent(&person);
  call();
  session.Pump();
  person.Finish();
  platform::SetUserAgent(nullptr);
  return failures;
}

int RunWithPerson(const EditorLibrary& library, platform::ScriptedUserAgent& person,
                  const std::function<int(EditorSession&)>& call, std::FILE* out, std::FILE* err) {
  EditorSession session(library.Exports(), out);
  std::string error;
  if (!session.Start(&error)) {
    std::fprintf(err, "calyra: %s\n", error.c_str());
    return kExitNoComponent;
  }
  int result = 0;
  std::vector<std::string> failures = AnswerWithPerson(session, person, [&] { result = call(session); });
  session.Stop();
  std::fflush(out);
  if (failures.empty()) return result;
  std::fprintf(err, "calyra: %s\n", failures.front().c_str());
  return kExitFailed;
}

}  // namespace calyra::host
