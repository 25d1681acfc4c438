#include "platform/ui/UserAgent.h"

#include "platform/core/LastError.h"
#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/paint/Painters.h"

using platform::ui::WindowManager;

namespace platform {

namespace {

// The buttons of each box type, in the order the box shows them.
std::vector<int> Buttons(UINT flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    case MB_RETRYCANCEL:
      return {IDRETRY, IDCANCEL};
    default:
      return {IDOK};
  }
}

const char* ButtonName(int button) {
  switch (button) {
    case IDOK:
      return "OK";
    case IDCANCEL:
      return "Cancel";
    case IDABORT:
      return "Abort";
    case IDRETRY:
      return "Retry";
    case IDIGNORE:
      return "Ignore";
    case IDYES:
      return "Yes";
    case IDNO:
      return "No";
    default:
      return "?";
  }
}

CancellingUserAgent& DefaultAgent() {
  static CancellingUserAgent agent;  // stateless
  return agent;
}

}  // namespace

bool CancellingUserAgent::ActOnDialog(HWND dialog) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return false;
}

int CancellingUserAgent::AnswerMessageBox(HWND, std::u16string_view, std::u16string_view, UINT flags) {
  if (MessageBoxOffers(flags, IDCANCEL)) return IDCANCEL;
  if (MessageBoxOffers(flags, IDNO)) return IDNO;
  return Buttons(flags).front();
}

void SetUserAgent(UserAgent* agent) {
  WindowManager::Current().agent = agent;
}

UserAgent& CurrentUserAgent() {
  UserAgent* agent = WindowManager::Current().agent;
  return agent ? *agent : DefaultAgent();
}

bool MessageBoxOffers(UINT flags, int result) {
  for (int button : Buttons(flags)) {
    if (button == result) return true;
  }
  return false;
}

std::string MessageBoxButtons(UINT flags) {
  std::string names;
  for (int button : Buttons(flags)) names += (names.empty() ? "" : "/") + std::string(ButtonName(button));
  return names;
}

int BeepCount() {
  return WindowManager::Current().beeps;
}

}  // namespace platform

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags) {
  if (owner && !IsWindow(owner)) owner = nullptr;
  bool ownerEnabled = owner && IsWindowEnabled(owner);
  if (ownerEnabled) EnableWindow(owner, FALSE);
  std::u16string_view shownText = platform::TextView(text, 32767);
  std::u16string_view shownCaption = platform::TextView(caption, 32767);
  platform::ui::paint::ShownMessageBox shown(shownText, shownCaption, flags);
  int answer = platform::CurrentUserAgent().AnswerMessageBox(owner, shownText, shownCaption, flags);
  if (!platform::MessageBoxOffers(flags, answer)) {
    // A box without Cancel cannot be cancelled; Escape gives its only or last button.
    answer = platform::MessageBoxOffers(flags, IDCANCEL) ? IDCANCEL
             : platform::MessageBoxOffers(flags, IDNO)   ? IDNO
                                                         : IDOK;
  }
  if (ownerEnabled && IsWindow(owner)) EnableWindow(owner, TRUE);
  return answer;
}

BOOL MessageBeep(UINT) {
  ++platform::ui::WindowManager::Current().beeps;
  return TRUE;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int, int, HWND owner, void*) {
  if (GetMenuItemCount(menu) < 0) return FALSE;
  UINT command = platform::CurrentUserAgent().ChooseMenuCommand(menu, owner);
  if (command && (GetMenuState(menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED))) command = 0;
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(command);
  if (command && !(flags & TPM_NONOTIFY) && owner) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return command ? TRUE : FALSE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}
