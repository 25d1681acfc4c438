#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/Script.h"

namespace calyra::host {

// Does the acting steps of a script (everything but the answers) as a person's taps would: on the
// editor page in front, or inside a modal dialog that is up. Used by scripts and the terminal alike.
class StepPerformer {
 public:
  // `choosePopup` is told the command to pick when a menu step opens a menu bar button's menu.
  StepPerformer(EditorSession& session, std::FILE* out, std::function<void(UINT command)> choosePopup)
      : session_(session), out_(out), choosePopup_(std::move(choosePopup)) {}

  // Does `step` on the page in front (`dialog` null; the host's queue is pumped afterwards) or in
  // the modal `dialog`. False with `error` when it does not match what is on the screen.
  bool Perform(const ScriptStep& step, HWND dialog, std::string* error);

  // "page 2100 \"Task\"" or "dialog 500 \"New task\"": what a window is, for messages.
  static std::string Describe(HWND window);

 private:
  bool PerformInControl(const ScriptStep& step, HWND target, std::string* error);
  bool PressMenu(HWND target, int command, std::string* error);
  bool SelectTab(HWND tabs, int index, std::string* error);

  EditorSession& session_;
  std::FILE* out_;
  std::function<void(UINT)> choosePopup_;
};

}  // namespace calyra::host
