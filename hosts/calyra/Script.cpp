#include "hosts/calyra/Script.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/text/Text.h"
#include "platform/ui/WindowTypes.h"

namespace calyra::host {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Splits off the first word; `rest` keeps everything after the one blank that ends it.
std::string_view NextWord(std::string_view* rest) {
  std::string_view text = *rest;
  size_t start = text.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) {
    *rest = {};
    return {};
  }
  size_t end = text.find_first_of(kBlanks, start);
  std::string_view word =
      text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
  *rest = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  return word;
}

std::optional<int> Number(std::string_view word) {
  static const std::map<std::string_view, int> kNames = {
      {"IDOK", IDOK}, {"IDCANCEL", IDCANCEL}, {"IDYES", IDYES}, {"IDNO", IDNO}};
  if (auto named = kNames.find(word); named != kNames.end()) return named->second;
  if (word.empty()) return std::nullopt;
  std::string text(word);
  char* end = nullptr;
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  long value = std::strtol(text.c_str(), &end, hex ? 16 : 10);
  if (end == nullptr || *end != 0 || value < -0x7FFFFFFFL || value > 0xFFFFFFFFL) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<int> Answer(std::string_view word) {
  static const std::map<std::string_view, int> kAnswers = {
      {"IDOK", IDOK},       {"IDCANCEL", IDCANCEL}, {"IDYES", IDYES},      {"IDNO", IDNO},
      {"ok", IDOK},         {"cancel", IDCANCEL},   {"yes", IDYES},        {"no", IDNO},
      {"IDRETRY", IDRETRY}, {"IDABORT", IDABORT},   {"IDIGNORE", IDIGNORE}};
  auto found = kAnswers.find(word);
  return found == kAnswers.end() ? std::nullopt : std::optional<int>(found->second);
}

std::optional<int> Key(std::string_view word) {
  if (word == "enter") return static_cast<int>(VK_RETURN);
  if (word == "escape") return static_cast<int>(VK_ESCAPE);
  if (word == "tab") return static_cast<int>(VK_TAB);
  return std::nullopt;
}

// "\n" is a line break of the edit control (CR LF), "\\" a backslash.
std::u16string Unescape(std::string_view text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
      plain += text[i + 1] == 'n' ? "\r\n" : "\\";
      ++i;
    } else {
      plain += text[i];
    }
  }
  return platform::FromUtf8(plain);
}

std::optional<SYSTEMTIME> Date(std::string_view day, std::string_view time) {
  unsigned year = 0, month = 0, date = 0, hour = 0, minute = 0;
  char tail = 0;
  if (std::sscanf(std::string(day).c_str(), "%4u-%2u-%2u%c", &year, &month, &date, &tail) != 3) return {};
  if (!time.empty() && std::sscanf(std::string(time).c_str(), "%2u:%2u%c", &hour, &minute, &tail) != 2) {
    return {};
  }
  if (month < 1 || month > 12 || date < 1 || date > 31 || hour > 23 || minute > 59) return {};
  SYSTEMTIME result{};
  result.wYear = static_cast<WORD>(year);
  result.wMonth = static_cast<WORD>(month);
  result.wDay = static_cast<WORD>(date);
  result.wHour = static_cast<WORD>(hour);
  result.wMinute = static_cast<WORD>(minute);
  return result;
}

struct Syntax {
  StepKind kind;
  const char* usage;
};

const std::map<std::string_view, Syntax>& Steps() {
  static const std::map<std::string_view, Syntax> kSteps = {
      {"type", {StepKind::kType, "type <control id> <text>"}},
      {"click", {StepKind::kClick, "click <control id>"}},
      {"draw", {StepKind::kDraw, "draw <ink control id> <x>,<y> [<x>,<y>...]"}},
      {"check", {StepKind::kCheck, "check <control id> on|off"}},
      {"choose", {StepKind::kChoose, "choose <control id> <index>"}},
      {"choose-text", {StepKind::kChooseText, "choose-text <control id> <text>"}},
      {"check-row", {StepKind::kCheckRow, "check-row <list view id> <index> on|off"}},
      {"date", {StepKind::kDate, "date <control id> <YYYY-MM-DD> [HH:MM] | none"}},
      {"key", {StepKind::kKey, "key <control id> enter|escape|tab"}},
      {"tab", {StepKind::kTab, "tab <index>"}},
      {"menu", {StepKind::kMenu, "menu <command>"}},
      {"ok", {StepKind::kOk, "ok"}},
      {"cancel", {StepKind::kCancel, "cancel"}},
      {"expect-page", {StepKind::kExpectPage, "expect-page <dialog template id or control id>"}},
      {"dump", {StepKind::kDump, "dump"}},
      {"answer", {StepKind::kAnswer, "answer <message box string id> IDYES|IDNO|IDOK|IDCANCEL"}},
      {"popup", {StepKind::kPopup, "popup <command>"}},
      {"file", {StepKind::kFile, "file <path> | none"}},
      {"dialog", {StepKind::kDialog, "dialog <template id>"}},
  };
  return kSteps;
}

// Reads the arguments of a step of known kind; false when they do not fit its usage.
bool ReadArguments(std::string_view rest, ScriptStep* step) {
  auto word = [&rest] { return NextWord(&rest); };
  auto number = [&](int* slot) {
    auto value = Number(word());
    if (value) *slot = *value;
    return value.has_value();
  };
  auto nothingLeft = [&rest] { return Trim(rest).empty(); };
  switch (step->kind) {
    case StepKind::kType:
      if (!number(&step->id)) return false;
      step->text = Unescape(rest);
      return true;
    case StepKind::kDraw:
      if (!number(&step->id)) return false;
      for (std::string_view point = word(); !point.empty(); point = word()) {
        size_t comma = point.find(',');
        if (comma == std::string_view::npos) return false;
        std::optional<int> x = Number(point.substr(0, comma));
        std::optional<int> y = Number(point.substr(comma + 1));
        if (!x || !y) return false;
        step->points.push_back(POINT{*x, *y});
      }
      return !step->points.empty();
    case StepKind::kChooseText:
      if (!number(&step->id) || Trim(rest).empty()) return false;
      step->text = Unescape(Trim(rest));
      return true;
    case StepKind::kClick:
    case StepKind::kTab:
    case StepKind::kMenu:
    case StepKind::kExpectPage:
    case StepKind::kPopup:
    case StepKind::kDialog:
      return number(&step->id) && nothingLeft();
    case StepKind::kCheck: {
      if (!number(&step->id)) return false;
      std::string_view state = word();
      step->value = state == "on" ? 1 : 0;
      return (state == "on" || state == "off") && nothingLeft();
    }
    case StepKind::kChoose:
      return number(&step->id) && number(&step->value) && step->value >= 0 && nothingLeft();
    case StepKind::kCheckRow: {
      if (!number(&step->id) || !number(&step->value) || step->value < 0) return false;
      std::string_view state = word();
      step->text = state == "on" ? u"on" : u"off";
      return (state == "on" || state == "off") && nothingLeft();
    }
    case StepKind::kDate: {
      if (!number(&step->id)) return false;
      std::string_view day = word();
      if (day == "none") return nothingLeft();
      std::string_view time = word();
      step->date = Date(day, time);
      return step->date.has_value() && nothingLeft();
    }
    case StepKind::kKey: {
      if (!number(&step->id)) return false;
      auto key = Key(word());
      if (key) step->value = *key;
      return key.has_value() && nothingLeft();
    }
    case StepKind::kAnswer: {
      if (!number(&step->id)) return false;
      auto answer = Answer(word());
      if (answer) step->value = *answer;
      return answer.has_value() && nothingLeft();
    }
    case StepKind::kFile:
      step->text = Trim(rest) == "none" ? std::u16string() : platform::FromUtf8(Trim(rest));
      step->value = Trim(rest) == "none" ? 0 : 1;
      return !Trim(rest).empty();
    case StepKind::kOk:
    case StepKind::kCancel:
    case StepKind::kDump:
      return nothingLeft();
  }
  return false;
}

}  // namespace

LineKind ParseLine(std::string_view line, int number, ScriptStep* step, ScriptError* error) {
  std::string_view text = Trim(line);
  if (text.empty() || text.front() == '#') return LineKind::kNothing;
  std::string_view rest = text;
  std::string_view name = NextWord(&rest);
  if (name == "end") {
    if (Trim(rest).empty()) return LineKind::kEnd;
    *error = ScriptError{number, "`end` takes nothing after it"};
    return LineKind::kError;
  }
  auto syntax = Steps().find(name);
  if (syntax == Steps().end()) {
    *error = ScriptError{number, "unknown step \"" + std::string(name) + "\""};
    return LineKind::kError;
  }
  *step = ScriptStep{};
  step->kind = syntax->second.kind;
  step->line = number;
  step->source = std::string(text);
  if (!ReadArguments(rest, step)) {
    *error =
        ScriptError{number, "\"" + std::string(text) + "\" is not a step; write " + syntax->second.usage};
    return LineKind::kError;
  }
  return LineKind::kStep;
}

bool ParseScript(std::istream& in, std::vector<ScriptStep>* steps, ScriptError* error) {
  // The dialog blocks open at this line, innermost last; each collects its own steps.
  std::vector<ScriptStep> open;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    ScriptStep step;
    switch (ParseLine(line, number, &step, error)) {
      case LineKind::kNothing:
        break;
      case LineKind::kError:
        return false;
      case LineKind::kEnd:
        if (open.empty()) {
          *error = ScriptError{number, "`end` without a `dialog` before it"};
          return false;
        }
        step = std::move(open.back());
        open.pop_back();
        (open.empty() ? *steps : open.back().inner).push_back(std::move(step));
        break;
      case LineKind::kStep:
        if (step.kind == StepKind::kDialog) {
          open.push_back(std::move(step));
        } else if (!open.empty() && (step.kind == StepKind::kExpectPage)) {
          *error = ScriptError{number, "expect-page is for the editor's pages, not inside a dialog block"};
          return false;
        } else {
          (open.empty() ? *steps : open.back().inner).push_back(std::move(step));
        }
        break;
    }
  }
  if (!open.empty()) {
    *error = ScriptError{open.back().line, "`" + open.back().source + "` has no `end`"};
    return false;
  }
  return true;
}

}  // namespace calyra::host
