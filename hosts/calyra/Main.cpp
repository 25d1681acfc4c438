// The demo host: opens a device, loads the component as a device host does and runs a command.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "hosts/calyra/DeviceTour.h"
#include "hosts/calyra/EditorCommand.h"
#include "hosts/calyra/EditorLibrary.h"
#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/EditorTour.h"
#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/WindowTour.h"
#include "platform/core/System.h"

namespace {

using namespace calyra::host;

constexpr const char* kUsage =
    "usage: calyra [--device DIR] COMMAND\n"
    "  tour                                the device, the window system and the editors, step by step\n"
    "  list appointments|tasks|contacts [--json]\n"
    "                                      one line per item: oid, subject or name, dates\n"
    "  show OID [--json]                   the item's kind and fields\n"
    "  new appointment|task|contact [--script FILE]\n"
    "  edit OID [--script FILE]            opens the editor; without a script the terminal works it\n"
    "--json: list prints one JSON array of the items, show one JSON object (docs/DEMO.md)\n"
    "--device DIR: the device folder (made when missing), else $CALYRA_DEVICE or "
    "~/.local/share/calyra/device\n"
    "OID: a record number, 0x1234 or 4660. Scripts: docs/DEMO.md.\n"
    "exit codes: 0 done, 1 failed, 2 usage, 3 the device cannot be opened, 4 the script cannot be read or a\n"
    "step does not match, 5 no such item, 6 the component cannot be loaded or does not start\n";

struct Arguments {
  std::filesystem::path device = platform::Device::DefaultFolder();
  std::optional<std::string> script;
  bool json = false;
  std::vector<std::string> words;
};

int Usage(const char* problem = nullptr) {
  if (problem) std::fprintf(stderr, "calyra: %s\n", problem);
  std::fprintf(stderr, "%s", kUsage);
  return kExitUsage;
}

// False when an option lacks its value or comes twice.
bool Parse(int argc, char** argv, Arguments* arguments) {
  bool device = false;
  for (int i = 1; i < argc; ++i) {
    bool isDevice = std::strcmp(argv[i], "--device") == 0;
    bool isScript = std::strcmp(argv[i], "--script") == 0;
    if (std::strcmp(argv[i], "--json") == 0) {
      if (arguments->json) return false;
      arguments->json = true;
    } else if (isDevice || isScript) {
      if (++i >= argc || (isDevice && device) || (isScript && arguments->script)) return false;
      if (isDevice) {
        arguments->device = argv[i];
        device = true;
      } else {
        arguments->script = argv[i];
      }
    } else if (argv[i][0] == '-' && argv[i][1] != 0) {
      return false;
    } else {
      arguments->words.push_back(argv[i]);
    }
  }
  return true;
}

bool OpenDevice(const std::filesystem::path& folder) {
  std::string error;
  auto device = platform::Device::Open(folder, &error);
  if (!device) {
    std::fprintf(stderr, "calyra: cannot open the device %s: %s\n", folder.c_str(), error.c_str());
    return false;
  }
  platform::System::Current().AttachDevice(std::move(device));
  return true;
}

// Reads the script of --script; kExitDone, or the code of the failure already reported.
int ReadScript(const std::string& path, EditorCommand* command) {
  std::ifstream file(path);
  if (!file) {
    std::fprintf(stderr, "calyra: cannot read the script %s\n", path.c_str());
    return kExitScript;
  }
  ScriptError error;
  if (!ParseScript(file, &command->steps, &error)) {
    std::fprintf(stderr, "calyra: %s:%d: %s\n", path.c_str(), error.line, error.message.c_str());
    return kExitScript;
  }
  command->scripted = true;
  command->scriptName = path;
  return kExitDone;
}

int RunTour() {
  int result = RunDeviceTour(stdout);
  if (result == kExitDone) {
    std::printf("\n-- the window system --\n");
    result = RunWindowTour(stdout);
  }
  if (result != kExitDone) return result;
  std::printf("\n-- the editors --\n");
  std::fflush(stdout);
  EditorLibrary library;
  std::string error;
  if (!library.Load(&error)) {
    std::fprintf(stderr, "calyra: %s\n", error.c_str());
    return kExitNoComponent;
  }
  EditorSession session(library.Exports(), stdout);
  if (!session.Start(&error)) {
    std::fprintf(stderr, "calyra: %s\n", error.c_str());
    return kExitNoComponent;
  }
  return RunEditorTour(session, stdout);
}

int RunEditor(EditorCommand& command, const Arguments& arguments) {
  if (arguments.script) {
    if (int failed = ReadScript(*arguments.script, &command)) return failed;
  }
  EditorLibrary library;
  std::string error;
  if (!library.Load(&error)) {
    std::fprintf(stderr, "calyra: %s\n", error.c_str());
    return kExitNoComponent;
  }
  return RunEditorCommand(library.Exports(), command, stdin, stdout, stderr);
}

// Everything after the device is open.
int Run(const Arguments& arguments) {
  const std::vector<std::string>& words = arguments.words;
  const std::string& name = words[0];
  if (name == "tour") return RunTour();
  ListingFormat format = arguments.json ? ListingFormat::kJson : ListingFormat::kText;
  if (name == "list") return ListItems(*ParseKind(words[1], true), format, stdout, stderr);
  EditorCommand command;
  if (name == "new") {
    command.kind = *ParseKind(words[1], false);
    return RunEditor(command, arguments);
  }
  command.oid = *ParseOid(words[1]);
  command.kind = ItemKindOf(command.oid);
  if (command.kind == ItemKind::kNone) {
    std::fprintf(stderr, "calyra: no appointment, task or contact has the oid 0x%08X\n", command.oid);
    return kExitBadOid;
  }
  if (name == "show") return ShowItem(command.oid, format, stdout, stderr);
  return RunEditor(command, arguments);
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (!Parse(argc, argv, &arguments) || arguments.words.empty()) return Usage();
  const std::vector<std::string>& words = arguments.words;
  const std::string& name = words[0];
  size_t expected = name == "tour" ? 1 : 2;
  bool known = name == "tour" || name == "list" || name == "show" || name == "new" || name == "edit";
  if (!known) return Usage(("unknown command \"" + name + "\"").c_str());
  if (words.size() != expected) return Usage(("wrong number of arguments for " + name).c_str());
  if (arguments.script && name != "new" && name != "edit") return Usage("--script is for new and edit");
  if (arguments.json && name != "list" && name != "show") return Usage("--json is for list and show");
  if (name == "list" && !ParseKind(words[1], true)) return Usage("list appointments, tasks or contacts");
  if (name == "new" && !ParseKind(words[1], false)) return Usage("new appointment, task or contact");
  if ((name == "show" || name == "edit") && !ParseOid(words[1])) {
    std::fprintf(stderr, "calyra: \"%s\" is not an oid (a number such as 0x1234 or 4660)\n",
                 words[1].c_str());
    return kExitBadOid;
  }

  if (!OpenDevice(arguments.device)) return kExitDevice;
  int result = Run(arguments);
  std::fflush(stdout);
  platform::System::Current().DetachDevice();
  return result;
}
