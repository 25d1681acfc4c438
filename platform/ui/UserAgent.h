#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/WindowTypes.h"

namespace platform {

// What a file dialog asks.
struct FileDialogRequest {
  bool save = false;
  std::u16string title;
  std::u16string filter;
  std::u16string folder;
  std::u16string name;
};

// The person at the device. The window system consults the agent whenever a modal loop waits for
// input: a dialog, a message box, a popup menu or a file dialog. The agent acts through the calls of
// agent/UserInput.h, as a person's taps would.
class UserAgent {
 public:
  virtual ~UserAgent() = default;
  // A modal dialog is up and its queue is empty. Returns false when the person would do nothing more.
  virtual bool ActOnDialog(HWND dialog) = 0;
  // The button pressed (IDOK, IDYES, ...).
  virtual int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                               UINT flags) = 0;
  // The command chosen, or 0 when the menu is dismissed.
  virtual UINT ChooseMenuCommand(HMENU menu, HWND owner) = 0;
  // The file chosen, or nothing when the dialog is cancelled.
  virtual std::optional<std::u16string> ChooseFile(const FileDialogRequest& request) = 0;
  // The host's own loop is idle with `window` in front; false when the person would do nothing.
  virtual bool ActOnWindow(HWND) { return false; }
};

// Cancels every dialog, answers each message box with its Cancel or No (OK when it has only that),
// dismisses menus and file dialogs: for runs without a person.
class CancellingUserAgent : public UserAgent {
 public:
  bool ActOnDialog(HWND dialog) override;
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override;
  UINT ChooseMenuCommand(HMENU, HWND) override { return 0; }
  std::optional<std::u16string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
};

// The agent the process's modal loops consult (a CancellingUserAgent until one is set). The caller
// keeps `agent` alive while it is set; null restores the default.
void SetUserAgent(UserAgent* agent);
UserAgent& CurrentUserAgent();

// Whether a message box of these flags has a button that answers `result`.
bool MessageBoxOffers(UINT flags, int result);
// The button names of a message box, for messages ("Yes/No/Cancel").
std::string MessageBoxButtons(UINT flags);
// Number of MessageBeep calls in this process.
int BeepCount();

}  // namespace platform

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags);
BOOL MessageBeep(UINT type);
// Shows a popup menu and lets the person choose; with TPM_RETURNCMD returns the command (0 for
// none), otherwise posts WM_COMMAND to `owner` and returns TRUE when a command was chosen.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, void* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
