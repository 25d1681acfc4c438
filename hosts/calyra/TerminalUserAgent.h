#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/StepPerformer.h"
#include "platform/ui/UserAgent.h"

namespace calyra::host {

// The person at the terminal: whatever the editor shows is printed, and each line read is a step of
// the script format (Script.h) done at once. Message boxes, popup menus, file dialogs and modal
// dialogs are printed when they appear and answered by reading a line.
class TerminalUserAgent : public platform::UserAgent {
 public:
  TerminalUserAgent(EditorSession& session, std::FILE* in, std::FILE* out);

  // The loop of the host while an editor is open: prints the page in front when it changes, reads
  // one step and does it. False at the end of the input or on "quit".
  bool ActOnWindow(HWND page) override;
  bool ActOnDialog(HWND dialog) override;
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override;
  UINT ChooseMenuCommand(HMENU menu, HWND owner) override;
  std::optional<std::u16string> ChooseFile(const platform::FileDialogRequest& request) override;

 private:
  // One line from the terminal after the prompt; nothing at the end of the input.
  std::optional<std::string> ReadLine(const std::string& prompt);
  // Reads and does one step in `dialog` (null: the page in front). False at the end of the input.
  bool ReadStep(HWND dialog, const std::string& prompt);
  void PrintMenu(HMENU menu, int depth);

  std::FILE* in_;
  std::FILE* out_;
  StepPerformer performer_;
  HWND shown_ = nullptr;  // the page last printed
  UINT nextPopup_ = 0;    // the command a menu step asked for
  int line_ = 0;
  bool quit_ = false;
  platform::CancellingUserAgent cancel_;
};

// The host's loop while an editor is open: `person` works it until it closes; the end of the input
// (or quit) cancels it.
void WorkEditorAtTerminal(EditorSession& session, TerminalUserAgent& person, std::FILE* out);

}  // namespace calyra::host
