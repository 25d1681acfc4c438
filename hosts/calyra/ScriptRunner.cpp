#include "hosts/calyra/ScriptRunner.h"

#include "hosts/calyra/StepPerformer.h"
#include "platform/ui/UserAgent.h"

namespace calyra::host {

namespace {

// The scripted person answers for the process while the script runs.
class AgentScope {
 public:
  explicit AgentScope(platform::UserAgent* agent) { platform::SetUserAgent(agent); }
  ~AgentScope() { platform::SetUserAgent(nullptr); }
  AgentScope(const AgentScope&) = delete;
  AgentScope& operator=(const AgentScope&) = delete;
};

// The scripted person, who also picks the command that a menu step names in the menu it opens: that
// menu appears at once, ahead of anything the script's answers wait for.
class ScriptedPerson : public platform::ScriptedUserAgent {
 public:
  void ChooseNext(UINT command) { next_ = command; }
  UINT ChooseMenuCommand(HMENU menu, HWND owner) override {
    if (next_ == 0) return ScriptedUserAgent::ChooseMenuCommand(menu, owner);
    UINT command = next_;
    next_ = 0;
    return command;
  }

 private:
  UINT next_ = 0;
};

}  // namespace

int ScriptRunner::Run(const std::vector<ScriptStep>& steps,
                      const std::function<bool(std::string*)>& openEditor) {
  ScriptedPerson person;
  person.SetResourceModule(session_.Resources());
  person.OnFailure([this](const std::string& failure) { failures_.push_back(failure); });
  choosePopup_ = [&person](UINT command) { person.ChooseNext(command); };
  StepPerformer performer(session_, out_, choosePopup_);
  AgentScope scope(&person);

  bool opened = false;
  auto open = [&](int line, const std::string& source) {
    opened = true;
    std::string error;
    if (!openEditor(&error)) {
      std::fflush(out_);
      std::fprintf(err_, "calyra: %s\n", error.c_str());
      return 1;
    }
    if (!failures_.empty()) return Fail(line, source, "while the editor opened: " + failures_.front());
    return 0;
  };

  for (const ScriptStep& step : steps) {
    if (step.IsAnswer()) {
      std::fprintf(out_, "step %d: %s (waits for what the next steps raise)\n", step.line,
                   step.source.c_str());
      Queue(step, person);
      continue;
    }
    if (!opened) {
      if (int failed = open(step.line, step.source)) return failed;
    }
    std::fprintf(out_, "step %d: %s\n", step.line, step.source.c_str());
    std::fflush(out_);
    std::string error;
    bool done = performer.Perform(step, nullptr, &error);
    if (!dialogError_.empty()) return Fail(dialogStep_.line, dialogStep_.source, dialogError_);
    if (!failures_.empty()) return Fail(step.line, step.source, failures_.front());
    if (!done) return Fail(step.line, step.source, error);
  }
  if (!opened) {
    if (int failed = open(queued_.empty() ? 0 : queued_.front().line, "the editor request")) return failed;
  }
  session_.Pump();
  if (!failures_.empty()) return Fail(0, "", failures_.front());

  size_t left = person.StepsLeft();
  if (left > 0) {
    const Queued& first = queued_[queued_.size() - left];
    return Fail(first.line, first.source, "nothing appeared for it to answer");
  }
  person.Finish();
  if (session_.EditorOpen()) std::fprintf(out_, "the script ends with the editor open\n");
  return 0;
}

void ScriptRunner::Queue(const ScriptStep& step, platform::ScriptedUserAgent& person) {
  queued_.push_back(Queued{step.line, step.source});
  switch (step.kind) {
    case StepKind::kAnswer:
      person.ExpectMessageBoxString(static_cast<UINT>(step.id), step.value);
      break;
    case StepKind::kPopup:
      person.ExpectPopupMenu(static_cast<UINT>(step.id));
      break;
    case StepKind::kFile:
      person.ExpectFileDialog(step.value ? std::optional<std::u16string>(step.text) : std::nullopt);
      break;
    case StepKind::kDialog: {
      // References into the person's queue stay valid as more is queued behind them.
      platform::ScriptedUserAgent::DialogStep& dialog = person.ExpectDialog(step.id);
      for (const ScriptStep& inner : step.inner) {
        if (inner.IsAnswer()) {
          Queue(inner, person);
        } else {
          AddDialogAction(dialog, inner);
        }
      }
      break;
    }
    default:
      break;
  }
}

void ScriptRunner::AddDialogAction(platform::ScriptedUserAgent::DialogStep& dialog, const ScriptStep& step) {
  dialog.Do(step.source, [this, step](HWND window) {
    std::fprintf(out_, "step %d: %s (in %s)\n", step.line, step.source.c_str(),
                 StepPerformer::Describe(window).c_str());
    std::fflush(out_);
    StepPerformer performer(session_, out_, choosePopup_);
    std::string error;
    if (performer.Perform(step, window, &error)) return true;
    if (dialogError_.empty()) {
      dialogStep_ = Queued{step.line, step.source};
      dialogError_ = error;
    }
    return false;
  });
}

int ScriptRunner::Fail(int line, const std::string& source, const std::string& message) {
  std::string where = line > 0 ? scriptName_ + ":" + std::to_string(line) + ": " : scriptName_ + ": ";
  std::string what = source.empty() ? "" : source + ": ";
  std::fflush(out_);  // the steps that ran come before the error where both go to one terminal
  std::fprintf(err_, "calyra: %s%s%s\n", where.c_str(), what.c_str(), message.c_str());
  return kBadStep;
}

}  // namespace calyra::host
