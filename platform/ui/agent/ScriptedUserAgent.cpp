#include "platform/ui/agent/ScriptedUserAgent.h"

#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/Controls.h"

namespace platform {

namespace {

std::string Quoted(std::u16string_view text) {
  return "\"" + ToUtf8(text) + "\"";
}

std::string DialogName(HWND dialog) {
  WCHAR caption[128] = {};
  GetWindowTextW(dialog, caption, 128);
  return "dialog " + std::to_string(DialogTemplateId(dialog)) + " " + Quoted(caption);
}

// The literal pieces of a printf format, in order.
std::vector<std::u16string> LiteralPieces(std::u16string_view format) {
  std::vector<std::u16string> pieces(1);
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != u'%') {
      pieces.back() += format[i];
    } else if (i + 1 < format.size() && format[i + 1] == u'%') {
      pieces.back() += u'%';
      ++i;
    } else {
      // Skip flags, width and size up to the conversion letter.
      while (i + 1 < format.size() &&
             std::u16string_view(u"sdiuxXcfgepS").find(format[i + 1]) == std::u16string_view::npos) {
        ++i;
      }
      ++i;
      pieces.emplace_back();
    }
  }
  return pieces;
}

bool MatchesFormat(std::u16string_view format, std::u16string_view text) {
  auto pieces = LiteralPieces(format);
  if (pieces.size() == 1) return text == pieces.front();
  if (text.substr(0, pieces.front().size()) != pieces.front()) return false;
  size_t at = pieces.front().size();
  for (size_t i = 1; i + 1 < pieces.size(); ++i) {
    at = text.find(pieces[i], at);
    if (at == std::u16string_view::npos) return false;
    at += pieces[i].size();
  }
  const std::u16string& last = pieces.back();
  return text.size() >= at + last.size() && text.substr(text.size() - last.size()) == last;
}

}  // namespace

using DialogStep = ScriptedUserAgent::DialogStep;

DialogStep& DialogStep::Type(int id, std::u16string text) {
  std::string description = "type " + Quoted(text) + " into " + std::to_string(id);
  return Do(description, [id, text](HWND dialog) { return UserType(GetDlgItem(dialog, id), text); });
}

DialogStep& DialogStep::Click(int id) {
  return Do("click " + std::to_string(id), [id](HWND dialog) {
    HWND control = GetDlgItem(dialog, id);
    if (!control && (id == IDOK || id == IDCANCEL)) {
      // The OK and Cancel of a dialog without such buttons are its title-bar buttons.
      return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), 0) != FALSE;
    }
    return UserClick(control);
  });
}

DialogStep& DialogStep::Check(int id, bool checked) {
  return Do((checked ? "check " : "uncheck ") + std::to_string(id), [id, checked](HWND dialog) {
    HWND control = GetDlgItem(dialog, id);
    bool isChecked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return isChecked == checked ? IsWindow(control) != FALSE : UserClick(control);
  });
}

DialogStep& DialogStep::Choose(int id, int index) {
  return Do("choose item " + std::to_string(index) + " of " + std::to_string(id),
            [id, index](HWND dialog) { return UserChoose(GetDlgItem(dialog, id), index); });
}

DialogStep& DialogStep::ChooseText(int id, std::u16string text) {
  return Do("choose " + Quoted(text) + " in " + std::to_string(id),
            [id, text](HWND dialog) { return UserChooseText(GetDlgItem(dialog, id), text); });
}

DialogStep& DialogStep::Key(int id, WPARAM key) {
  return Do("press key " + std::to_string(key) + " in " + std::to_string(id), [id, key](HWND dialog) {
    HWND control = id ? GetDlgItem(dialog, id) : dialog;
    if (control != dialog) SetFocus(control);
    return UserPressKey(control, key);
  });
}

DialogStep& DialogStep::Do(std::string description, std::function<bool(HWND dialog)> act) {
  actions.push_back(Action{std::move(description), std::move(act)});
  return *this;
}

DialogStep& ScriptedUserAgent::ExpectDialog(int templateId) {
  Step step;
  step.kind = Kind::kDialog;
  step.dialog.templateId = templateId;
  steps_.push_back(std::move(step));
  return steps_.back().dialog;
}

void ScriptedUserAgent::ExpectMessageBox(std::u16string text, int answer) {
  Step step;
  step.kind = Kind::kMessageBox;
  step.text = std::move(text);
  step.answer = answer;
  steps_.push_back(std::move(step));
}

void ScriptedUserAgent::ExpectMessageBoxString(UINT id, int answer) {
  Step step;
  step.kind = Kind::kMessageBox;
  step.match = Match::kString;
  step.stringId = id;
  step.answer = answer;
  steps_.push_back(std::move(step));
}

void ScriptedUserAgent::ExpectMessageBoxContaining(std::u16string part, int answer) {
  Step step;
  step.kind = Kind::kMessageBox;
  step.match = Match::kContaining;
  step.text = std::move(part);
  step.answer = answer;
  steps_.push_back(std::move(step));
}

void ScriptedUserAgent::ExpectPopupMenu(UINT command) {
  Step step;
  step.kind = Kind::kPopupMenu;
  step.command = command;
  steps_.push_back(std::move(step));
}

void ScriptedUserAgent::ExpectFileDialog(std::optional<std::u16string> path) {
  Step step;
  step.kind = Kind::kFileDialog;
  step.path = std::move(path);
  steps_.push_back(std::move(step));
}

bool ScriptedUserAgent::Finish() {
  while (!steps_.empty()) {
    Fail("step left over: " + Describe(steps_.front()));
    steps_.pop_front();
  }
  return failures_.empty();
}

void ScriptedUserAgent::Fail(const std::string& message) {
  failures_.push_back(message);
  if (report_) report_(message);
}

std::string ScriptedUserAgent::Describe(const Step& step) {
  switch (step.kind) {
    case Kind::kDialog: {
      std::string text = "dialog " + std::to_string(step.dialog.templateId);
      for (const auto& action : step.dialog.actions) text += ", " + action.description;
      return text;
    }
    case Kind::kMessageBox:
      if (step.match == Match::kString)
        return "message box with the text of string " + std::to_string(step.stringId);
      return std::string("message box ") + (step.match == Match::kContaining ? "containing " : "") +
             Quoted(step.text);
    case Kind::kPopupMenu:
      return "popup menu: choose " + std::to_string(step.command);
    case Kind::kFileDialog:
      return "file dialog: " + (step.path ? Quoted(*step.path) : std::string("cancel"));
  }
  return {};
}

std::optional<ScriptedUserAgent::Step> ScriptedUserAgent::Next(Kind kind, const std::string& appeared) {
  if (!failures_.empty()) return std::nullopt;
  if (steps_.empty()) {
    Fail("unexpected " + appeared + ": the script has no steps left");
    return std::nullopt;
  }
  if (steps_.front().kind != kind) {
    Fail("unexpected " + appeared + " while expecting " + Describe(steps_.front()));
    return std::nullopt;
  }
  Step step = std::move(steps_.front());
  steps_.pop_front();
  return step;
}

bool ScriptedUserAgent::TextMatches(const Step& step, std::u16string_view text) const {
  switch (step.match) {
    case Match::kExact:
      return text == step.text;
    case Match::kContaining:
      return text.find(step.text) != std::u16string_view::npos;
    case Match::kString: {
      WCHAR* format = nullptr;
      int length = LoadStringW(module_, step.stringId, reinterpret_cast<LPWSTR>(&format), 0);
      std::u16string_view string(format, static_cast<size_t>(length));
      // A question that names its item holds the string after the name.
      return length > 0 && (MatchesFormat(string, text) || text.find(string) != std::u16string_view::npos);
    }
  }
  return false;
}

bool ScriptedUserAgent::ActOnDialog(HWND dialog) {
  int id = DialogTemplateId(dialog);
  if (!steps_.empty() && steps_.front().kind == Kind::kDialog && steps_.front().dialog.templateId != id) {
    Fail("unexpected " + DialogName(dialog) + " while expecting " + Describe(steps_.front()));
  }
  auto step = Next(Kind::kDialog, DialogName(dialog));
  if (!step) return cancel_.ActOnDialog(dialog);
  for (const auto& action : step->dialog.actions) {
    if (!IsWindow(dialog)) {
      Fail(DialogName(dialog) + " closed before: " + action.description);
      return false;
    }
    if (!action.act(dialog)) {
      Fail("in " + DialogName(dialog) + ": could not " + action.description);
      return false;
    }
  }
  return true;
}

int ScriptedUserAgent::AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                                        UINT flags) {
  std::string appeared = "message box " + Quoted(text) + " (" + MessageBoxButtons(flags) + ")";
  if (!steps_.empty() && steps_.front().kind == Kind::kMessageBox && !TextMatches(steps_.front(), text)) {
    Fail("unexpected " + appeared + " while expecting " + Describe(steps_.front()));
  }
  auto step = Next(Kind::kMessageBox, appeared);
  if (!step) return cancel_.AnswerMessageBox(owner, text, caption, flags);
  if (!MessageBoxOffers(flags, step->answer)) {
    Fail(appeared + " has no button for the answer " + std::to_string(step->answer));
    return cancel_.AnswerMessageBox(owner, text, caption, flags);
  }
  return step->answer;
}

UINT ScriptedUserAgent::ChooseMenuCommand(HMENU menu, HWND) {
  auto step = Next(Kind::kPopupMenu, "popup menu of " + std::to_string(GetMenuItemCount(menu)) + " entries");
  if (!step) return 0;
  if (step->command && GetMenuState(menu, step->command, MF_BYCOMMAND) == 0xFFFFFFFF) {
    Fail("popup menu has no command " + std::to_string(step->command));
    return 0;
  }
  return step->command;
}

std::optional<std::u16string> ScriptedUserAgent::ChooseFile(const FileDialogRequest& request) {
  auto step = Next(Kind::kFileDialog,
                   std::string(request.save ? "save" : "open") + " file dialog " + Quoted(request.title));
  return step ? step->path : std::nullopt;
}

}  // namespace platform
