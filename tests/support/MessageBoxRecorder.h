#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/UserAgent.h"

namespace calyra::testing {

// Passes everything to the scripted person and keeps the caption and flags of each message box.
class MessageBoxRecorder : public platform::UserAgent {
 public:
  explicit MessageBoxRecorder(platform::UserAgent& person) : person_(person) {}
  bool ActOnDialog(HWND dialog) override { return person_.ActOnDialog(dialog); }
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override {
    captions.emplace_back(caption);
    flagsSeen.push_back(flags);
    return person_.AnswerMessageBox(owner, text, caption, flags);
  }
  UINT ChooseMenuCommand(HMENU menu, HWND owner) override { return person_.ChooseMenuCommand(menu, owner); }
  std::optional<std::u16string> ChooseFile(const platform::FileDialogRequest& request) override {
    return person_.ChooseFile(request);
  }

  std::vector<std::u16string> captions;
  std::vector<UINT> flagsSeen;

 private:
  platform::UserAgent& person_;
};

}  // namespace calyra::testing
