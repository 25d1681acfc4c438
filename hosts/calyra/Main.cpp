// The demo host: opens a device, loads the component as a device host does and runs a command.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "hosts/calyra/CallCommand.h"
#include "hosts/calyra/CallLogCommands.h"
#include "hosts/calyra/CategoryCommands.h"
#include "hosts/calyra/DeviceTour.h"
#include "hosts/calyra/EditorCommand.h"
#include "hosts/calyra/EditorLibrary.h"
#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/EditorTour.h"
#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/IcsCommands.h"
#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/JournalCommands.h"
#include "hosts/calyra/LinkCommands.h"
#include "hosts/calyra/NoteCommands.h"
#include "hosts/calyra/OperationCommands.h"
#include "hosts/calyra/PhraseCommands.h"
#include "hosts/calyra/ProjectCommands.h"
#include "hosts/calyra/ReportCommand.h"
#include "hosts/calyra/SnapshotCommand.h"
#include "hosts/calyra/TemplateCommands.h"
#include "hosts/calyra/TickCommand.h"
#include "hosts/calyra/VCardCommands.h"
#include "hosts/calyra/WindowTour.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"
#include "text/PhraseLibrary.h"

namespace {

using namespace calyra::host;

constexpr const char* kUsage =
    "usage: calyra [--device DIR] COMMAND\n"
    "  tour [--pictures DIR]               the device, the window system and the editors, step by step;\n"
    "                                      with --pictures one PNG file per editor page shown\n"
    "  list appointments|tasks|contacts [--json]\n"
    "                                      one line per item: oid, subject or name, dates\n"
    "  show OID [--json]                   the item's kind and fields\n"
    "  new appointment|task|contact|project [--script FILE]\n"
    "  edit OID [--script FILE]            opens the editor; without a script the terminal works it\n"
    "  snapshot OID|new KIND [--tab N] [--script FILE] --png FILE\n"
    "                                      the screen with the editor open on tab N after the script, as "
    "PNG\n"
    "  call NAME ARG... [--script FILE]    calls the export CalyraEditor_NAME as a host does\n"
    "  exports                             the exports call knows, with their arguments\n"
    "  categories [--json]                 every category: index, counts, colour, icon file\n"
    "  category-dialog [--script FILE]     the category dialog, as a host opens it\n"
    "  import FILE...                      creates the items of iCalendar (.ics) and vCard (.vcf) files\n"
    "  export appointments|tasks|contacts FILE\n"
    "                                      the kind's items as iCalendar, contacts as vCard 3.0\n"
    "  call-log [--json]                   the calls the device's phone library has in its log\n"
    "  call-log add --kind missed|incoming|outgoing --number TEXT [--start YYYY-MM-DDTHH:MM]\n"
    "           [--seconds N] [--name TEXT] [--label TEXT]\n"
    "                                      adds a call to the device's call log\n"
    "  link OID OID                        links two items both ways\n"
    "  links OID [--json]                  the item's links: link id, type, far end, text\n"
    "  unlink OID LINKID                   deletes a link of the item (both halves of an item link)\n"
    "  icon OID PATH|none                  the item's icon image, a bitmap file on the device\n"
    "  open-link OID LINKID                opens the far end of a link as the link window does\n"
    "  complete OID [--mode 0|1|2]         a task not complete (0), complete (1, the default) or the other "
    "way\n"
    "  redate OID DATE|none                a task's due date, its start and reminder moved with it\n"
    "  move OID FROM TO [--copy]           a task dragged from the day FROM to the day TO (a copy with "
    "--copy)\n"
    "  delete OID [--occurrence DATE] [--no-confirm]\n"
    "                                      deletes an item with the questions a host's delete asks\n"
    "  convert OID                         a new task from an appointment, or an appointment from a task\n"
    "  notes [--json]                      the note files: alarm time, notification handle, title, path\n"
    "  note new [--script FILE]            the note editor for a new alarm note\n"
    "  note edit PATH [--script FILE]      the note editor on the note file at PATH (a path on the device)\n"
    "  journal [--json]                    the journal's entries: time, type, item oid, text\n"
    "  journal add TEXT                    the person's own journal entry, typed into its dialog\n"
    "  journal export                      the journal as a text file beside it (its path printed)\n"
    "  journal open [--script FILE]        the journal window\n"
    "  projects [--json]                   every project, sub-projects under their projects, with its label\n"
    "  project new NAME [PARENT]           a new project, or a sub-project of PARENT (a project's name or "
    "oid)\n"
    "  project add PROJECT OID|PATH        adds an item or a file to the project\n"
    "  project pick OID|PATH [--script FILE]\n"
    "                                      the project picker, which adds the item or file to the project "
    "chosen\n"
    "  project edit PROJECT [--script FILE] the project editor on the project\n"
    "  project time PROJECT START END [NAME]\n"
    "                                      books the time from START to END on the project\n"
    "  templates appointments|tasks|contacts [--json]\n"
    "                                      the kind's templates in the order a host's list shows them\n"
    "  template save OID [--name TEXT]     saves the item as a template (the name dialog typed by the host)\n"
    "  report PROJECT [--text]             writes the project's report beside the program (its text with "
    "--text)\n"
    "  phrases [--filter FLAGS] [--json]   the phrases a field of these usage flags (0x10001, or words such "
    "as\n"
    "                                      subject,task) is offered; every phrase without --filter\n"
    "  tick [--until YYYY-MM-DDTHH:MM | --minutes N]\n"
    "                                      moves the device clock on and runs the notifications that come "
    "due\n"
    "--json: list, links, categories, notes, journal, phrases, projects and call-log print a JSON array,\n"
    "show an object\n"
    "(docs/DEMO.md)\n"
    "--device DIR: the device folder (made when missing), else $CALYRA_DEVICE or "
    "~/.local/share/calyra/device\n"
    "OID: a record number, 0x1234 or 4660. DATE: 2026-03-05 or 2026-03-05T09:30. Scripts and call\n"
    "arguments: docs/DEMO.md. The item operations' questions are answered by --script or at the terminal.\n"
    "exit codes: 0 done, 1 failed, 2 usage, 3 the device cannot be opened, 4 the script cannot be read or a\n"
    "step does not match, or an iCalendar or vCard file is malformed, 5 no such item, 6 the component\n"
    "cannot be loaded or does not start\n";

struct Arguments {
  std::filesystem::path device = platform::Device::DefaultFolder();
  std::optional<std::string> script;
  std::optional<std::string> phraseFilter;
  bool json = false;
  std::vector<std::string> words;
  std::map<std::string, std::string> callOptions;  // the options of call-log add, by name
  std::map<std::string, std::string>
      operationOptions;                               // of the item operations and tick; a flag's value is ""
  std::map<std::string, std::string> pictureOptions;  // --png, --tab, --pictures
};

int Usage(const char* problem = nullptr) {
  if (problem) std::fprintf(stderr, "calyra: %s\n", problem);
  std::fprintf(stderr, "%s", kUsage);
  return kExitUsage;
}

constexpr const char* kJsonUsage =
    "--json is for list, show, links, categories, notes, journal, phrases, projects and call-log";

// `journal` alone lists; its other forms do something.
bool TakesJson(const std::vector<std::string>& words) {
  const std::string& name = words[0];
  return name == "list" || name == "show" || name == "links" || name == "categories" || name == "notes" ||
         name == "phrases" || name == "projects" || name == "call-log" ||
         (name == "journal" && words.size() == 1);
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
    } else if (std::strcmp(argv[i], "--filter") == 0) {
      if (++i >= argc || arguments->phraseFilter) return false;
      arguments->phraseFilter = argv[i];
    } else if (isDevice || isScript) {
      if (++i >= argc || (isDevice && device) || (isScript && arguments->script)) return false;
      if (isDevice) {
        arguments->device = argv[i];
        device = true;
      } else {
        arguments->script = argv[i];
      }
    } else if (IsOperationFlag(argv[i])) {
      if (!arguments->operationOptions.emplace(argv[i], "").second) return false;
    } else if (IsOperationOption(argv[i]) || IsTickOption(argv[i])) {
      if (i + 1 >= argc || !arguments->operationOptions.emplace(argv[i], argv[i + 1]).second) return false;
      ++i;
    } else if (IsPictureOption(argv[i])) {
      if (i + 1 >= argc || !arguments->pictureOptions.emplace(argv[i], argv[i + 1]).second) return false;
      ++i;
    } else if (IsCallLogOption(argv[i])) {
      if (i + 1 >= argc || !arguments->callOptions.emplace(argv[i], argv[i + 1]).second) return false;
      ++i;
    } else if (argv[i][0] == '-' && argv[i][1] != 0 &&
               !std::isdigit(static_cast<unsigned char>(argv[i][1]))) {
      // An unknown option; a negative number is an argument of call.
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
  PutSamplePhrases();
  return true;
}

// Reads the script of --script into `steps`; kExitDone, or the code of the failure already reported.
int ReadScript(const std::string& path, std::vector<ScriptStep>* steps) {
  std::ifstream file(path);
  if (!file) {
    std::fprintf(stderr, "calyra: cannot read the script %s\n", path.c_str());
    return kExitScript;
  }
  ScriptError error;
  if (!ParseScript(file, steps, &error)) {
    std::fprintf(stderr, "calyra: %s:%d: %s\n", path.c_str(), error.line, error.message.c_str());
    return kExitScript;
  }
  return kExitDone;
}

// `import FILE…`: a .vcf file is an address book, any other a calendar. A file that cannot be
// imported does not stop the files after it; the exit code is the first failure's.
int ImportFiles(const std::vector<std::string>& files) {
  int result = kExitDone;
  for (const std::string& file : files) {
    std::string extension = std::filesystem::path(file).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    int imported =
        extension == ".vcf" ? ImportVCardFile(file, stdout, stderr) : ImportCalendars({file}, stdout, stderr);
    if (result == kExitDone) result = imported;
  }
  return result;
}

// Items from outside: the sample calendar and address book shipped with the host, imported as a
// person imports their own, then listed.
int RunImportTour() {
  std::printf("\n-- items in and out --\n");
  std::printf("importing the sample calendar and address book\n");
  std::fflush(stdout);
  int result = ImportFiles({CALYRA_SAMPLE_CALENDAR, CALYRA_SAMPLE_CONTACTS});
  if (result != kExitDone) return result;
  for (ItemKind kind : {ItemKind::kAppointment, ItemKind::kTask, ItemKind::kContact}) {
    std::printf("\n");
    std::fflush(stdout);
    if (int listed = ListItems(kind, ListingFormat::kText, stdout, stderr)) return listed;
  }
  return kExitDone;
}

// Loads the component's library, or says why it cannot be loaded.
bool LoadComponent(EditorLibrary* library) {
  std::string error;
  if (library->Load(&error)) return true;
  std::fprintf(stderr, "calyra: %s\n", error.c_str());
  return false;
}

int RunTour(const std::string& pictures) {
  int result = RunDeviceTour(stdout);
  if (result == kExitDone) {
    std::printf("\n-- the window system --\n");
    result = RunWindowTour(stdout);
  }
  if (result != kExitDone) return result;
  std::printf("\n-- the editors --\n");
  std::fflush(stdout);
  EditorLibrary library;
  if (!LoadComponent(&library)) return kExitNoComponent;
  std::string error;
  EditorSession session(library.Exports(), stdout);
  if (!session.Start(&error)) {
    std::fprintf(stderr, "calyra: %s\n", error.c_str());
    return kExitNoComponent;
  }
  PageCamera camera(pictures);
  result = RunEditorTour(session, stdout, camera);
  if (result != kExitDone) return result;
  return RunImportTour();
}

// Gives an editor or call command the steps of --script; kExitDone, or the code already reported.
template <class Command>
int TakeScript(const Arguments& arguments, Command* command) {
  if (!arguments.script) return kExitDone;
  if (int failed = ReadScript(*arguments.script, &command->steps)) return failed;
  command->scripted = true;
  command->scriptName = *arguments.script;
  return kExitDone;
}

int RunEditor(EditorCommand& command, const Arguments& arguments) {
  if (int failed = TakeScript(arguments, &command)) return failed;
  EditorLibrary library;
  if (!LoadComponent(&library)) return kExitNoComponent;
  return RunEditorCommand(library.Exports(), command, stdin, stdout, stderr);
}

int RunCall(CallCommand& command, const Arguments& arguments) {
  if (int failed = TakeScript(arguments, &command)) return failed;
  EditorLibrary library;
  if (!LoadComponent(&library)) return kExitNoComponent;
  return RunCallCommand(library, command, stdin, stdout, stderr);
}

bool IsLinkCommand(const std::string& name) {
  return name == "link" || name == "links" || name == "unlink" || name == "icon" || name == "open-link";
}

// The words of a link command, before the device is opened: kExitDone when they fit.
int CheckLinkCommand(const std::vector<std::string>& words) {
  const std::string& name = words[0];
  if (words.size() != (name == "links" ? 2u : 3u))
    return Usage(("wrong number of arguments for " + name).c_str());
  size_t oids = name == "link" ? 3 : 2;
  for (size_t i = 1; i < oids; ++i) {
    if (ParseOid(words[i])) continue;
    std::fprintf(stderr, "calyra: \"%s\" is not an oid (a number such as 0x1234 or 4660)\n",
                 words[i].c_str());
    return kExitBadOid;
  }
  if ((name == "unlink" || name == "open-link") && !ParseLinkId(words[2])) {
    return Usage(("\"" + words[2] + "\" is not a link id (1 to 65534)").c_str());
  }
  return kExitDone;
}

// Every oid of a link command is an item; the device is open. kExitDone, or kExitBadOid told.
int CheckLinkItems(const std::vector<std::string>& words) {
  for (size_t i = 1; i < (words[0] == "link" ? 3u : 2u); ++i) {
    CEOID oid = *ParseOid(words[i]);
    if (ItemKindOf(oid) != ItemKind::kNone) continue;
    std::fprintf(stderr, "calyra: no appointment, task or contact has the oid 0x%08X\n", oid);
    return kExitBadOid;
  }
  return kExitDone;
}

int RunLinkCommand(const Arguments& arguments, ListingFormat format) {
  const std::vector<std::string>& words = arguments.words;
  const std::string& name = words[0];
  if (int failed = CheckLinkItems(words)) return failed;
  CEOID item = *ParseOid(words[1]);
  if (name == "links") return ListLinks(item, format, stdout, stderr);
  if (name == "unlink") return UnlinkItem(item, *ParseLinkId(words[2]), stdout, stderr);
  if (name == "open-link") return OpenItemLink(item, *ParseLinkId(words[2]), stdout, stderr);
  EditorLibrary library;
  if (!LoadComponent(&library)) return kExitNoComponent;
  if (name == "link") return LinkItems(library.Exports(), item, *ParseOid(words[2]), stdout, stderr);
  std::u16string path = words[2] == "none" ? std::u16string() : platform::FromUtf8(words[2]);
  return SetItemIcon(library.Exports(), item, path, stdout, stderr);
}

// `call` and the item operations: their mistakes are told in one line, without the usage text; a
// pending export is refused before anything starts. `words`: the export's name and its arguments.
// kExitDone when the call can be made.
int CheckCall(const std::vector<std::string>& words, CallCommand* command) {
  std::string error;
  if (!ParseCallCommand(words, command, &error)) {
    std::fprintf(stderr, "calyra: %s\n", error.c_str());
    return kExitUsage;
  }
  if (command->row->availability == Availability::kPending) {
    std::fprintf(stderr, "calyra: %s is not built yet (it answers its failure value and does nothing)\n",
                 command->row->name);
    return kExitFailed;
  }
  return kExitDone;
}

// `note new` calls CalyraEditor_NewAlarmNote for a new alarm note; `note edit PATH` hands the note
// file to CalyraEditor_EditAlarmNote.
int RunNoteCommand(const Arguments& arguments) {
  if (arguments.words[1] == "new") {
    CallCommand call;
    if (int failed = CheckCall({"NewAlarmNote", "host", "0"}, &call)) return failed;
    return RunCall(call, arguments);
  }
  ScriptInput script;
  if (int failed = TakeScript(arguments, &script)) return failed;
  EditorLibrary library;
  if (!LoadComponent(&library)) return kExitNoComponent;
  return EditNoteFile(library, platform::FromUtf8(arguments.words[2]), script, stdin, stdout, stderr);
}

// `journal` lists the journal file; `journal add TEXT` and `journal export` call their exports with
// a person who does the rest; `journal open` calls CalyraEditor_OpenJournal for the script or the
// person at the terminal.
int RunJournalCommand(const Arguments& arguments, ListingFormat format) {
  const std::vector<std::string>& words = arguments.words;
  if (words.size() == 1) return ListJournal(format, stdout, stderr);
  if (words[1] == "open") {
    CallCommand call;
    if (int failed = CheckCall({"OpenJournal", "host"}, &call)) return failed;
    return RunCall(call, arguments);
  }
  EditorLibrary library;
  if (!LoadComponent(&library)) return kExitNoComponent;
  if (words[1] == "add") return AddJournalText(library, platform::FromUtf8(words[2]), stdout, stderr);
  return ExportJournal(library, stdout, stderr);
}

// Whether the words make one of the journal commands.
bool IsJournalCommand(const std::vector<std::string>& words) {
  if (words.size() == 1) return true;
  if (words.size() == 2) return words[1] == "export" || words[1] == "open";
  return words.size() == 3 && words[1] == "add";
}

// An item operation, once the device is open: the call of its export; kExitFailed when the export
// answered 0 (declined, refused or failed).
// The call of an export made for a command, as `call` makes it; kExitFailed when the export answers 0.
int RunExportCall(const std::vector<std::string>& words, const Arguments& arguments) {
  CallCommand call;
  if (int failed = CheckCall(words, &call)) return failed;
  if (int failed = RunCall(call, arguments)) return failed;
  if (call.result && *call.result == 0) {
    std::fprintf(stderr, "calyra: CalyraEditor_%s answered 0: declined, refused or failed\n", call.row->name);
    return kExitFailed;
  }
  return kExitDone;
}

int RunOperation(const Arguments& arguments) {
  std::vector<std::string> words;
  if (int failed = OperationCallWords(arguments.words, arguments.operationOptions, &words, stderr))
    return failed;
  return RunExportCall(words, arguments);
}

int RunProjects(const Arguments& arguments, ListingFormat format) {
  if (IsProjectEdit(arguments.words)) {
    EditorCommand command;
    command.project = true;
    command.oid = FindProject(arguments.words[2], stderr);
    return command.oid ? RunEditor(command, arguments) : kExitBadOid;
  }
  if (!IsProjectCall(arguments.words)) return RunProjectCommand(arguments.words, format, stdout, stderr);
  std::vector<std::string> words;
  if (int failed = ProjectCallWords(arguments.words, &words, stderr)) return failed;
  return RunExportCall(words, arguments);
}

// `snapshot OID|new KIND`: the words and options were checked before the device was opened.
int RunSnapshot(const Arguments& arguments) {
  SnapshotCommand command;
  if (int failed = ParseSnapshotCommand(arguments.words, arguments.pictureOptions, &command)) return failed;
  if (int failed = TakeScript(arguments, &command.editor)) return failed;
  EditorLibrary library;
  if (!LoadComponent(&library)) return kExitNoComponent;
  return RunSnapshotCommand(library.Exports(), command, stdout, stderr);
}

// Everything after the device is open; `call` is the call command when the command is call.
int Run(const Arguments& arguments, CallCommand& call) {
  const std::vector<std::string>& words = arguments.words;
  const std::string& name = words[0];
  if (name == "tour") {
    auto pictures = arguments.pictureOptions.find("--pictures");
    return RunTour(pictures == arguments.pictureOptions.end() ? std::string() : pictures->second);
  }
  if (name == "snapshot") return RunSnapshot(arguments);
  if (name == "call" || name == "category-dialog") return RunCall(call, arguments);
  ListingFormat format = arguments.json ? ListingFormat::kJson : ListingFormat::kText;
  if (name == "categories") return ListCategories(format, stdout);
  if (name == "notes") return ListNoteFiles(format, stdout);
  if (name == "phrases") {
    DWORD filter =
        arguments.phraseFilter ? *ParsePhraseFilter(*arguments.phraseFilter) : calyra::kEveryPhrase;
    return ListPhrases(filter, format, stdout, stderr);
  }
  if (name == "note") return RunNoteCommand(arguments);
  if (name == "journal") return RunJournalCommand(arguments, format);
  if (IsProjectCommand(name)) return RunProjects(arguments, format);
  if (name == "call-log") {
    return words.size() == 2 ? AddCall(arguments.callOptions, stdout, stderr)
                             : ListCalls(format, stdout, stderr);
  }
  if (name == "list") return ListItems(*ParseKind(words[1], true), format, stdout, stderr);
  if (name == "import") return ImportFiles({words.begin() + 1, words.end()});
  if (name == "export") {
    ItemKind kind = *ParseKind(words[1], true);
    if (kind == ItemKind::kContact) return ExportContacts(words[2], stdout, stderr);
    return ExportCalendarFile(kind, words[2], stderr);
  }
  if (IsLinkCommand(name)) return RunLinkCommand(arguments, format);
  if (IsOperationCommand(name)) return RunOperation(arguments);
  if (name == "tick") return Tick(arguments.operationOptions, stdout, stderr);
  EditorCommand command;
  if (name == "new") {
    command.project = words[1] == "project";
    if (!command.project) command.kind = *ParseKind(words[1], false);
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
  // `report` reads its own options and opens its own device (hosts/calyra/ReportCommand.h).
  if (IsReportCommand(argc, argv)) return RunReportCommand(argc, argv, stdout, stderr);
  Arguments arguments;
  if (!Parse(argc, argv, &arguments) || arguments.words.empty()) return Usage();
  const std::vector<std::string>& words = arguments.words;
  const std::string& name = words[0];
  // `templates` and `template save` (TemplateCommands) take --json and --name and nothing else.
  if (name == "templates" || name == "template") {
    std::map<std::string, std::string> options = arguments.callOptions;
    options.insert(arguments.operationOptions.begin(), arguments.operationOptions.end());
    if (arguments.script || arguments.phraseFilter) options.emplace("--script", "");
    std::string problem = CheckTemplateCommand(words, arguments.json, options);
    if (!problem.empty()) return Usage(problem.c_str());
    EditorLibrary library;
    if (!OpenDevice(arguments.device)) return kExitDevice;
    int result = LoadComponent(&library)
                     ? RunTemplateCommand(library, words, arguments.json, options, stdout, stderr)
                     : kExitNoComponent;
    std::fflush(stdout);
    platform::System::Current().DetachDevice();
    return result;
  }
  bool journalOpen = name == "journal" && words.size() == 2 && words[1] == "open";
  std::string pictureProblem = CheckPictureOptions(words, arguments.pictureOptions);
  if (!pictureProblem.empty()) return Usage(pictureProblem.c_str());
  bool editing = name == "new" || name == "edit" || name == "snapshot" || name == "call" ||
                 name == "category-dialog" || name == "note" || journalOpen || IsOperationCommand(name) ||
                 IsProjectCall(words) || IsProjectEdit(words);
  if (arguments.script && !editing)
    return Usage(
        "--script is for new, edit, snapshot, call, category-dialog, note, journal open, project add, pick "
        "and edit, and "
        "the item operations");
  if (arguments.phraseFilter && name != "phrases") return Usage("--filter is for phrases");
  if (arguments.phraseFilter && !ParsePhraseFilter(*arguments.phraseFilter))
    return Usage(
        "--filter takes usage flags (0x10001) or usage words (subject, location, text, task, "
        "appointment, contact, notes)");
  if (!arguments.operationOptions.empty() && !IsOperationCommand(name) && name != "tick")
    return Usage("--mode, --copy, --occurrence and --no-confirm are for the item operations");
  CallCommand call;
  if (name == "call") {
    if (words.size() < 2) return Usage("call needs the name of an export");
    if (int failed = CheckCall({words.begin() + 1, words.end()}, &call)) return failed;
  }
  if (name == "category-dialog" || name == "categories" || name == "notes" || name == "phrases") {
    if (words.size() != 1) return Usage(("wrong number of arguments for " + name).c_str());
    // The dialog is the export a host calls, over the host's window, listed categories only.
    std::string error;
    if (name == "category-dialog" &&
        !ParseCallCommand({"CategoryAddDeleteDialog", "host", "0"}, &call, &error))
      return Usage(error.c_str());
  }
  bool callLog = name == "call-log";
  bool addCall = callLog && words.size() == 2 && words[1] == "add";
  if (callLog && words.size() != 1 && !addCall) return Usage("call-log, or call-log add with its options");
  if (!arguments.callOptions.empty() && !addCall) return Usage("--kind, --number, ... are for call-log add");
  if (arguments.json && (addCall || !TakesJson(words))) return Usage(kJsonUsage);
  if (name == "exports" && words.size() == 1) {
    PrintExportTable(stdout);
    return kExitDone;
  }
  if (name == "import" && words.size() < 2) return Usage("import needs at least one file");
  if (name == "export" && (words.size() != 3 || !ParseKind(words[1], true))) {
    return Usage("export appointments, tasks or contacts, and a file");
  }
  size_t expected = name == "tour" ? 1 : 2;
  bool known = name == "tour" || name == "list" || name == "show" || name == "new" || name == "edit";
  bool categories = name == "categories" || name == "category-dialog" || name == "notes" || name == "phrases";
  if (IsLinkCommand(name)) {
    if (int failed = CheckLinkCommand(words)) return failed;
  } else if (IsOperationCommand(name)) {
    std::string problem = CheckOperationCommand(words, arguments.operationOptions);
    if (!problem.empty()) return Usage(problem.c_str());
  } else if (name == "note") {
    bool fits = (words.size() == 2 && words[1] == "new") || (words.size() == 3 && words[1] == "edit");
    if (!fits) return Usage("note new, or note edit PATH");
  } else if (IsProjectCommand(name)) {
    std::string problem = CheckProjectCommand(words);
    if (!problem.empty()) return Usage(problem.c_str());
  } else if (name == "journal") {
    if (!IsJournalCommand(words)) return Usage("journal, journal add TEXT, journal export or journal open");
  } else if (name == "tick") {
    std::string problem =
        words.size() == 1 ? CheckTickOptions(arguments.operationOptions) : "tick takes no words";
    if (!problem.empty()) return Usage(problem.c_str());
  } else if (!known && !categories && !callLog && name != "call" && name != "import" && name != "export" &&
             name != "snapshot")
    return Usage(("unknown command \"" + name + "\"").c_str());
  if (known && words.size() != expected) return Usage(("wrong number of arguments for " + name).c_str());
  if (name == "list" && !ParseKind(words[1], true)) return Usage("list appointments, tasks or contacts");
  if (name == "new" && words[1] != "project" && !ParseKind(words[1], false))
    return Usage("new appointment, task, contact or project");
  if ((name == "show" || name == "edit" || IsOperationCommand(name)) && !ParseOid(words[1])) {
    std::fprintf(stderr, "calyra: \"%s\" is not an oid (a number such as 0x1234 or 4660)\n",
                 words[1].c_str());
    return kExitBadOid;
  }

  if (!OpenDevice(arguments.device)) return kExitDevice;
  int result = Run(arguments, call);
  std::fflush(stdout);
  platform::System::Current().DetachDevice();
  return result;
}
