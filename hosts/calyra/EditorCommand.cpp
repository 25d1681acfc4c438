#include "hosts/calyra/EditorCommand.h"

#include <algorithm>
#include <set>

#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/ScriptRunner.h"
#include "hosts/calyra/TerminalUserAgent.h"
#include "platform/time/TimeConversion.h"

namespace calyra::host {

namespace {

SYSTEMTIME NextWholeHour(int hours) {
  SYSTEMTIME time{};
  GetLocalTime(&time);
  time.wMinute = time.wSecond = time.wMilliseconds = 0;
  platform::AddMinutes(&time, static_cast<int64_t>(hours) * 60);
  return time;
}

}  // namespace

int RequestEditor(const EditorExports& e, const EditorCommand& command) {
  if (command.project) return command.oid ? e.editProject(0, command.oid, 0) : e.newProject(0, 0);
  if (command.oid != 0) {
    switch (command.kind) {
      case ItemKind::kAppointment:
        return e.editAppointment(0, nullptr, command.oid, 0, 0, 0, 0);
      case ItemKind::kTask:
        return e.editTask(0, nullptr, command.oid, 0, 0, 0);
      case ItemKind::kContact:
        return e.editContact(0, command.oid, 0, 0, 0);
      case ItemKind::kNone:
        return 0;
    }
  }
  // A new appointment starts at the next whole hour and lasts one; a new task is due today.
  SYSTEMTIME start = NextWholeHour(1), end = NextWholeHour(2);
  SYSTEMTIME today = NextWholeHour(0);
  today.wHour = 0;
  switch (command.kind) {
    case ItemKind::kAppointment:
      return e.newAppointment(0, &start, &end, nullptr, 0, nullptr, 0, 1, 0);
    case ItemKind::kTask:
      return e.newTask(0, nullptr, &today, nullptr, 0, nullptr, 0, 1, 0);
    case ItemKind::kContact:
      return e.newContact(0, nullptr, 0, 1, 0);
    case ItemKind::kNone:
      break;
  }
  return 0;
}

std::string DescribeEditorCommand(const EditorCommand& command) {
  char oid[16];
  std::snprintf(oid, sizeof oid, "0x%08X", command.oid);
  const char* kind = command.project ? "project" : KindName(command.kind);
  return command.oid ? std::string("the ") + kind + " " + oid : std::string("a new ") + kind;
}

namespace {

// The person at the terminal works the editor until it closes or the input ends.
int RunInteractive(EditorSession& session, const EditorCommand& command, std::FILE* in, std::FILE* out,
                   std::FILE* err) {
  TerminalUserAgent person(session, in, out);
  platform::SetUserAgent(&person);
  int result = kExitDone;
  bool requested = RequestEditor(session.Exports(), command) != 0;
  if (requested) session.Pump();
  std::fflush(out);
  if (!requested) {
    std::fprintf(err, "calyra: the component refused to open %s\n", DescribeEditorCommand(command).c_str());
    result = kExitFailed;
  } else if (!session.EditorOpen()) {
    std::fprintf(err, "calyra: the editor for %s did not open\n", DescribeEditorCommand(command).c_str());
    result = kExitFailed;
  } else {
    WorkEditorAtTerminal(session, person, out);
  }
  platform::SetUserAgent(nullptr);
  return result;
}

}  // namespace

int RunEditorCommand(const EditorExports& exports, const EditorCommand& command, std::FILE* in,
                     std::FILE* out, std::FILE* err) {
  EditorSession session(exports, out);
  std::string error;
  if (!session.Start(&error)) {
    std::fprintf(err, "calyra: %s\n", error.c_str());
    return kExitNoComponent;
  }
  OutlookItems items;
  bool listed = items.Open(session.Host().Handle(), &error);
  std::set<CEOID> before = listed ? items.Oids(command.kind) : std::set<CEOID>();

  std::fprintf(out, "opening %s\n", DescribeEditorCommand(command).c_str());
  int result = kExitDone;
  if (command.scripted) {
    ScriptRunner runner(session, command.scriptName, out, err);
    result = runner.Run(command.steps, [&](std::string* why) {
      if (RequestEditor(exports, command) == 0) {
        *why = "the component refused to open " + DescribeEditorCommand(command);
        return false;
      }
      session.Pump();
      return true;
    });
  } else {
    result = RunInteractive(session, command, in, out, err);
  }
  session.Stop();

  if (listed && command.oid == 0 && !command.project) {
    std::set<CEOID> after = items.Oids(command.kind);
    std::vector<CEOID> added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    for (CEOID oid : added) std::fprintf(out, "saved as %s 0x%08X\n", KindName(command.kind), oid);
    if (added.empty()) std::fprintf(out, "no %s was saved\n", KindName(command.kind));
  }
  return result;
}

}  // namespace calyra::host
