#include "hosts/calyra/CallCommand.h"

#include <cinttypes>

#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/ScriptRunner.h"
#include "hosts/calyra/TerminalUserAgent.h"

namespace calyra::host {

namespace {

void PrintResult(ResultKind kind, int64_t result, std::FILE* out) {
  switch (kind) {
    case ResultKind::kNone:
      std::fprintf(out, "result: none\n");
      break;
    case ResultKind::kInt:
      std::fprintf(out, "result: %d\n", static_cast<int32_t>(result));
      break;
    case ResultKind::kOid:
      std::fprintf(out, "result: %" PRIu32 " (0x%08" PRIX32 ")\n", static_cast<uint32_t>(result),
                   static_cast<uint32_t>(result));
      break;
    case ResultKind::kHandle:
      std::fprintf(out, "result: 0x%" PRIx64 "\n", static_cast<uint64_t>(result));
      break;
  }
}

// The call itself: the result and the out-arguments first, then the host's queue is pumped, so the
// notifications the call posted follow them.
void Call(EditorSession& session, void* symbol, CallCommand& command, std::FILE* out) {
  std::vector<CallArgument> values = command.arguments.Values(session.Host().Handle(), session.Resources());
  std::fprintf(out, "calling CalyraEditor_%s\n", command.row->name);
  std::fflush(out);
  int64_t result = command.row->invoke(symbol, values);
  command.result = result;
  PrintResult(command.row->result, result, out);
  command.arguments.PrintOuts(out);
  session.Pump();
  std::fflush(out);
}

}  // namespace

bool ParseCallCommand(const std::vector<std::string>& words, CallCommand* command, std::string* error) {
  command->row = words.empty() ? nullptr : FindExport(words.front());
  if (command->row == nullptr) {
    std::string name = words.empty() ? "" : words.front();
    *error = "no export is called \"" + name + "\" (calyra exports lists them)";
    return false;
  }
  std::vector<std::string> arguments(words.begin() + 1, words.end());
  return command->arguments.Parse(*command->row, arguments, error);
}

int RunCallCommand(const EditorLibrary& library, CallCommand& command, std::FILE* in, std::FILE* out,
                   std::FILE* err) {
  const ExportRow& row = *command.row;
  void* symbol = library.Find(row.symbol);
  if (symbol == nullptr) {
    std::fprintf(err, "calyra: the component does not export %s (%s)\n", row.symbol, library.Path().c_str());
    return kExitNoComponent;
  }
  return RunInSession(
      library, command, [&](EditorSession& session) { Call(session, symbol, command, out); }, in, out, err);
}

int RunInSession(const EditorLibrary& library, const ScriptInput& script,
                 const std::function<void(EditorSession&)>& call, std::FILE* in, std::FILE* out,
                 std::FILE* err) {
  EditorSession session(library.Exports(), out);
  std::string error;
  if (!session.Start(&error)) {
    std::fprintf(err, "calyra: %s\n", error.c_str());
    return kExitNoComponent;
  }
  int result = kExitDone;
  if (script.scripted) {
    ScriptRunner runner(session, script.scriptName, out, err);
    result = runner.Run(script.steps, [&](std::string*) {
      call(session);
      return true;
    });
  } else {
    TerminalUserAgent person(session, in, out);
    platform::SetUserAgent(&person);
    call(session);
    if (session.EditorOpen()) WorkEditorAtTerminal(session, person, out);
    platform::SetUserAgent(nullptr);
  }
  session.Stop();
  return result;
}

void PrintExportTable(std::FILE* out) {
  for (const ExportRow& row : ExportTable()) std::fprintf(out, "%s\n", Describe(row).c_str());
}

}  // namespace calyra::host
