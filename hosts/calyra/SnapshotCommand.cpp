#include "hosts/calyra/SnapshotCommand.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/ItemCommands.h"
#include "hosts/calyra/OutlookItems.h"
#include "hosts/calyra/ScriptRunner.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/paint/Paint.h"

namespace calyra::host {

bool IsPictureOption(const char* option) {
  std::string_view name(option);
  return name == "--png" || name == "--tab" || name == "--pictures";
}

std::string CheckPictureOptions(const std::vector<std::string>& words,
                                const std::map<std::string, std::string>& options) {
  if (words[0] == "tour") {
    return options.size() == options.count("--pictures") ? "" : "tour takes --pictures DIR and nothing else";
  }
  if (words[0] != "snapshot") {
    return options.empty() ? "" : "--png and --tab are for snapshot, --pictures for tour";
  }
  bool fresh = words.size() == 3 && words[1] == "new" && ParseKind(words[2], false);
  if (!fresh && (words.size() != 2 || !ParseOid(words[1]))) return "snapshot OID, or snapshot new KIND";
  if (!options.count("--png") || options.count("--pictures")) return "snapshot needs --png FILE";
  auto tab = options.find("--tab");
  if (tab == options.end()) return "";
  const std::string& value = tab->second;
  bool digits = !value.empty() && value.size() < 3 &&
                std::all_of(value.begin(), value.end(), [](unsigned char c) { return std::isdigit(c); });
  return digits ? "" : "--tab takes a tab's index (0, 1, ...)";
}

int ParseSnapshotCommand(const std::vector<std::string>& words,
                         const std::map<std::string, std::string>& options, SnapshotCommand* command) {
  if (words[1] == "new") {
    command->editor.kind = *ParseKind(words[2], false);
  } else {
    command->editor.oid = *ParseOid(words[1]);
    command->editor.kind = ItemKindOf(command->editor.oid);
    if (command->editor.kind == ItemKind::kNone) {
      std::fprintf(stderr, "calyra: no appointment, task or contact has the oid 0x%08X\n",
                   command->editor.oid);
      return kExitBadOid;
    }
  }
  command->png = options.at("--png");
  auto tab = options.find("--tab");
  if (tab != options.end()) command->tab = std::stoi(tab->second);
  return kExitDone;
}

bool WriteScreenPicture(const std::string& path, std::FILE* err) {
  platform::Pixels screen = platform::DrawScreen();
  if (screen.width > 0 && platform::WritePngFile(screen, path)) return true;
  std::fprintf(err, "calyra: cannot write the picture %s\n", path.c_str());
  return false;
}

std::string PageCamera::Take(const std::string& what, std::FILE* err) {
  if (!Active()) return {};
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  std::string name;
  for (char c : what) {
    bool plain = std::isalnum(static_cast<unsigned char>(c)) != 0;
    if (plain) {
      name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!name.empty() && name.back() != '-') {
      name += '-';
    }
  }
  while (!name.empty() && name.back() == '-') name.pop_back();
  char number[16];
  std::snprintf(number, sizeof number, "%02d-", ++taken_);
  std::string path = (std::filesystem::path(folder_) / (number + name + ".png")).string();
  return WriteScreenPicture(path, err) ? path : std::string();
}

int RunSnapshotCommand(const EditorExports& exports, const SnapshotCommand& command, std::FILE* out,
                       std::FILE* err) {
  EditorSession session(exports, out);
  std::string error;
  if (!session.Start(&error)) {
    std::fprintf(err, "calyra: %s\n", error.c_str());
    return kExitNoComponent;
  }
  const EditorCommand& editor = command.editor;
  std::fprintf(out, "opening %s\n", DescribeEditorCommand(editor).c_str());
  auto open = [&](std::string* why) {
    if (RequestEditor(exports, editor) == 0) {
      *why = "the component refused to open " + DescribeEditorCommand(editor);
      return false;
    }
    session.Pump();
    return true;
  };
  int result = kExitDone;
  if (editor.scripted && !editor.steps.empty()) {
    ScriptRunner runner(session, editor.scriptName, out, err);
    result = runner.Run(editor.steps, open);
  } else if (std::string why; !open(&why)) {
    std::fprintf(err, "calyra: %s\n", why.c_str());
    result = kExitFailed;
  }
  if (result == kExitDone && command.tab >= 0) {
    HWND tabs = session.Tabs();
    int count = tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
    if (command.tab >= count) {
      std::fprintf(err, "calyra: the editor has %d tabs; there is no tab %d\n", count, command.tab);
      result = kExitUsage;
    } else {
      platform::UserSelectTab(tabs, command.tab);
      session.Pump();
    }
  }
  if (result == kExitDone) {
    if (WriteScreenPicture(command.png, err)) {
      std::fprintf(out, "wrote %s\n", command.png.c_str());
    } else {
      result = kExitFailed;
    }
  }
  session.Stop();
  return result;
}

}  // namespace calyra::host
