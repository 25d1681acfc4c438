#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/UserAgent.h"

namespace platform {

// A person who follows a script: a list of expected steps, each answering one thing that appears
// (a dialog, a message box, a popup menu, a file dialog). Anything that appears out of turn, and
// any step left over at Finish, is a failure that names what appeared and what was expected; after
// a failure the agent cancels what appears, so that the code under test runs to its end.
class ScriptedUserAgent : public UserAgent {
 public:
  // What the person does in a dialog, in order.
  class DialogStep {
   public:
    DialogStep& Type(int id, std::u16string text);
    DialogStep& Click(int id);
    DialogStep& Check(int id, bool checked);
    DialogStep& Choose(int id, int index);
    DialogStep& ChooseText(int id, std::u16string text);
    DialogStep& Key(int id, WPARAM key);
    // Anything else; `act` returns false when it could not be done.
    DialogStep& Do(std::string description, std::function<bool(HWND dialog)> act);

   private:
    friend class ScriptedUserAgent;
    struct Action {
      std::string description;
      std::function<bool(HWND dialog)> act;
    };
    int templateId = 0;
    std::vector<Action> actions;
  };

  // A dialog made from template `templateId`.
  DialogStep& ExpectDialog(int templateId);
  // A message box with exactly this text.
  void ExpectMessageBox(std::u16string text, int answer);
  // A message box whose text is resource string `id` of the module (its printf specifiers match
  // anything), or holds it (a question that names its item first).
  void ExpectMessageBoxString(UINT id, int answer);
  void ExpectMessageBoxContaining(std::u16string part, int answer);
  // A popup menu; 0 dismisses it.
  void ExpectPopupMenu(UINT command);
  // A file dialog; nothing cancels it.
  void ExpectFileDialog(std::optional<std::u16string> path);

  void SetResourceModule(HINSTANCE module) { module_ = module; }
  // Called at each failure (a test reports it); failures are also kept.
  void OnFailure(std::function<void(const std::string&)> report) { report_ = std::move(report); }
  const std::vector<std::string>& Failures() const { return failures_; }
  // Reports every step not taken as a failure; true when the script ran through without one.
  bool Finish();
  size_t StepsLeft() const { return steps_.size(); }

  bool ActOnDialog(HWND dialog) override;
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override;
  UINT ChooseMenuCommand(HMENU menu, HWND owner) override;
  std::optional<std::u16string> ChooseFile(const FileDialogRequest& request) override;

 private:
  enum class Kind { kDialog, kMessageBox, kPopupMenu, kFileDialog };
  enum class Match { kExact, kString, kContaining };
  struct Step {
    Kind kind = Kind::kDialog;
    DialogStep dialog;
    Match match = Match::kExact;
    std::u16string text;
    UINT stringId = 0;
    int answer = 0;
    UINT command = 0;
    std::optional<std::u16string> path;
  };

  // The next step when it is of `kind`; otherwise reports `appeared` as out of turn.
  std::optional<Step> Next(Kind kind, const std::string& appeared);
  void Fail(const std::string& message);
  bool TextMatches(const Step& step, std::u16string_view text) const;
  static std::string Describe(const Step& step);

  std::deque<Step> steps_;
  std::vector<std::string> failures_;
  std::function<void(const std::string&)> report_;
  HINSTANCE module_ = nullptr;
  CancellingUserAgent cancel_;
};

}  // namespace platform
