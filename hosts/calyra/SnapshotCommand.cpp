#include "hosts/calyra/SnapshotCommand.h"

#include <cctype>
#include <filesystem>

#include "hosts/calyra/ExitCodes.h"
#include "hosts/calyra/ScriptRunner.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/paint/Paint.h"

namespace calyra::host {

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
