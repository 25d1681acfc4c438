#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"

namespace calyra::host {

// What a person does in an editor, one step a line; docs/DEMO.md describes the format. Blank lines
// and lines starting with '#' are skipped; numbers are decimal or 0x hex; control ids may also be
// IDOK or IDCANCEL.
//
//   type <id> <text>          types the rest of the line (\n a line break, \\ a backslash)
//   click <id>                taps a button, check box or radio button
//   check <id> on|off         ticks or clears a check box
//   choose <id> <index>       chooses an item of a list, combo box or list view
//   choose-text <id> <text>   chooses the list or combo box item with this text
//   date <id> <YYYY-MM-DD> [HH:MM] | none
//   key <id> enter|escape|tab a key press in the control (0: the page itself)
//   tab <index>               selects a tab of the editor
//   menu <command>            a menu bar button, or a command in one of its menus
//   ok | cancel               the editor's (or dialog's) OK and Cancel
//   expect-page <id>          the page in front is dialog <id> or has a control <id>
//   dump                      prints the window dump of the page in front
// Answers to what a step will raise, given before that step:
//   answer <string id> IDYES|IDNO|IDOK|IDCANCEL   the message box showing resource string <id>
//   draw <id> <x>,<y>...      draws a pen stroke through the points in an ink control
//   popup <command>           the next popup menu chooses <command> (0 dismisses it)
//   file <path> | none        the next file dialog
//   dialog <template id>      the next modal dialog; the lines up to the matching `end` are done in
//   ...                       it, and must close it (ok or cancel)
//   end
enum class StepKind {
  kType,
  kDraw,
  kClick,
  kCheck,
  kChoose,
  kChooseText,
  kCheckRow,
  kDate,
  kKey,
  kTab,
  kMenu,
  kOk,
  kCancel,
  kExpectPage,
  kDump,
  kAnswer,
  kPopup,
  kFile,
  kDialog,
};

struct ScriptStep {
  StepKind kind = StepKind::kDump;
  int line = 0;
  std::string source;  // the line as written, without surrounding blanks
  int id = 0;          // control id, tab index, command, string id or dialog template
  int value = 0;       // on/off, list index, key, message box answer
  std::u16string text;
  std::optional<SYSTEMTIME> date;  // kDate: empty for "none"
  std::vector<ScriptStep> inner;   // kDialog: what is done in the dialog
  std::vector<POINT> points;       // kDraw: the stroke

  // Answers are queued before the step that raises what they answer; the rest act at once.
  bool IsAnswer() const {
    return kind == StepKind::kAnswer || kind == StepKind::kPopup || kind == StepKind::kFile ||
           kind == StepKind::kDialog;
  }
};

// A line that is not a step: where and why.
struct ScriptError {
  int line = 0;
  std::string message;
};

// What one line is: nothing (blank or comment), a step, the `end` of a dialog block, or an error.
enum class LineKind { kNothing, kStep, kEnd, kError };
LineKind ParseLine(std::string_view line, int number, ScriptStep* step, ScriptError* error);
// A whole script with its dialog blocks; false with the first error.
bool ParseScript(std::istream& in, std::vector<ScriptStep>* steps, ScriptError* error);

}  // namespace calyra::host
