#include "hosts/calyra/TerminalUserAgent.h"

#include <cctype>
#include <cstdlib>

#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WindowDump.h"

namespace calyra::host {

namespace {

constexpr const char* kHelp =
    "steps: type <id> <text> | click <id> | check <id> on|off | choose <id> <index> |\n"
    "       choose-text <id> <text> | date <id> YYYY-MM-DD [HH:MM] | none | key <id> enter|escape|tab |\n"
    "       tab <index> | menu <command> | ok | cancel | expect-page <id> | dump | help | quit\n";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::optional<int> AnswerOf(const std::string& word) {
  std::string w = Lower(word);
  if (w == "ok" || w == "idok") return IDOK;
  if (w == "cancel" || w == "idcancel") return IDCANCEL;
  if (w == "yes" || w == "idyes") return IDYES;
  if (w == "no" || w == "idno") return IDNO;
  if (w == "retry" || w == "idretry") return IDRETRY;
  if (w == "abort" || w == "idabort") return IDABORT;
  if (w == "ignore" || w == "idignore") return IDIGNORE;
  return std::nullopt;
}

}  // namespace

TerminalUserAgent::TerminalUserAgent(EditorSession& session, std::FILE* in, std::FILE* out)
    : in_(in), out_(out), performer_(session, out, [this](UINT command) { nextPopup_ = command; }) {}

std::optional<std::string> TerminalUserAgent::ReadLine(const std::string& prompt) {
  if (quit_) return std::nullopt;
  std::fprintf(out_, "%s", prompt.c_str());
  std::fflush(out_);
  std::string line;
  int c = 0;
  while ((c = std::fgetc(in_)) != EOF && c != '\n') line += static_cast<char>(c);
  if (c == EOF && line.empty()) {
    std::fprintf(out_, "\n");
    quit_ = true;
    return std::nullopt;
  }
  ++line_;
  return line;
}

bool TerminalUserAgent::ReadStep(HWND dialog, const std::string& prompt) {
  auto line = ReadLine(prompt);
  if (!line) return false;
  std::string word = line->substr(0, line->find(' '));
  if (word == "quit") {
    quit_ = true;
    return false;
  }
  if (word == "help") {
    std::fprintf(out_, "%s", kHelp);
    return true;
  }
  ScriptStep step;
  ScriptError error;
  switch (ParseLine(*line, line_, &step, &error)) {
    case LineKind::kNothing:
      return true;
    case LineKind::kError:
      std::fprintf(out_, "? %s\n", error.message.c_str());
      return true;
    case LineKind::kEnd:
      std::fprintf(out_, "? `end` closes a dialog block of a script; here, use ok or cancel\n");
      return true;
    case LineKind::kStep:
      break;
  }
  if (step.IsAnswer()) {
    std::fprintf(out_, "? no need for \"%s\": you are asked when it appears\n", word.c_str());
    return true;
  }
  std::string failure;
  if (!performer_.Perform(step, dialog, &failure)) std::fprintf(out_, "? %s\n", failure.c_str());
  if (step.kind == StepKind::kDump) shown_ = nullptr;
  return true;
}

bool TerminalUserAgent::ActOnWindow(HWND page) {
  if (page != shown_) {
    if (page) {
      std::fprintf(out_, "-- %s --\n%s", StepPerformer::Describe(page).c_str(),
                   platform::DumpWindowTree(page).c_str());
    }
    shown_ = page;
  }
  std::string prompt = page ? "page " + std::to_string(platform::DialogTemplateId(page)) + "> " : "editor> ";
  return ReadStep(nullptr, prompt);
}

bool TerminalUserAgent::ActOnDialog(HWND dialog) {
  std::fprintf(out_, "-- %s --\n%s", StepPerformer::Describe(dialog).c_str(),
               platform::DumpWindowTree(dialog).c_str());
  std::string prompt = "dialog " + std::to_string(platform::DialogTemplateId(dialog)) + "> ";
  if (ReadStep(dialog, prompt)) return true;
  return cancel_.ActOnDialog(dialog);
}

int TerminalUserAgent::AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                                        UINT flags) {
  std::fprintf(out_, "-- message box \"%s\" --\n%s\n", platform::ToUtf8(caption).c_str(),
               platform::ToUtf8(text).c_str());
  std::string buttons = platform::MessageBoxButtons(flags);
  while (auto line = ReadLine("answer (" + buttons + ")> ")) {
    auto answer = AnswerOf(*line);
    if (answer && platform::MessageBoxOffers(flags, *answer)) return *answer;
    std::fprintf(out_, "? the box offers %s\n", buttons.c_str());
  }
  return cancel_.AnswerMessageBox(owner, text, caption, flags);
}

void TerminalUserAgent::PrintMenu(HMENU menu, int depth) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    WCHAR text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    HMENU sub = GetSubMenu(menu, i);
    std::string indent(static_cast<size_t>(depth) * 2 + 2, ' ');
    if (sub) {
      std::fprintf(out_, "%s%s:\n", indent.c_str(), platform::ToUtf8(text).c_str());
      PrintMenu(sub, depth + 1);
    } else if (text[0] != 0) {
      std::fprintf(out_, "%s%u  %s\n", indent.c_str(), GetMenuItemID(menu, i),
                   platform::ToUtf8(text).c_str());
    }
  }
}

UINT TerminalUserAgent::ChooseMenuCommand(HMENU menu, HWND) {
  if (nextPopup_ != 0) {
    UINT command = nextPopup_;
    nextPopup_ = 0;
    return command;
  }
  std::fprintf(out_, "-- menu --\n");
  PrintMenu(menu, 0);
  while (auto line = ReadLine("command (empty or 0 dismisses)> ")) {
    char* end = nullptr;
    unsigned long command = std::strtoul(line->c_str(), &end, 0);
    if (line->empty() || command == 0) return 0;
    if (*end == 0 && GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) != 0xFFFFFFFF) {
      return static_cast<UINT>(command);
    }
    std::fprintf(out_, "? the menu has no command %s\n", line->c_str());
  }
  return 0;
}

std::optional<std::u16string> TerminalUserAgent::ChooseFile(const platform::FileDialogRequest& request) {
  std::fprintf(out_, "-- %s file \"%s\" in %s --\n", request.save ? "save" : "open",
               platform::ToUtf8(request.title).c_str(), platform::ToUtf8(request.folder).c_str());
  auto line = ReadLine("file (empty cancels)> ");
  if (!line || line->empty()) return std::nullopt;
  return platform::FromUtf8(*line);
}

void WorkEditorAtTerminal(EditorSession& session, TerminalUserAgent& person, std::FILE* out) {
  std::fprintf(out, "steps as in a script (help lists them); the end of the input cancels the editor\n");
  while (session.EditorOpen()) {
    if (!person.ActOnWindow(session.VisiblePage())) {
      session.PressCancel();
      break;
    }
  }
}

}  // namespace calyra::host
