#include "hosts/calyra/EditorSession.h"

#include <iterator>

#include "hosts/calyra/WindowSearch.h"
#include "notes/AlarmNoteFolders.h"
#include "platform/core/LastError.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/shell/Shell.h"

namespace calyra::host {

namespace {

constexpr WORD kProcessKindMain = 1;
constexpr DWORD kJournalEverything = 0x3F;  // on (bit 0) with every kind of entry (bits 1 to 5)
constexpr std::u16string_view kJournalName = u"journal.dat";

void CopyText(WCHAR* target, size_t size, std::u16string_view text) {
  size_t length = text.size() < size ? text.size() : size - 1;
  text.copy(target, length);
  target[length] = 0;
}

bool IsPage(HWND window) {
  return platform::IsDialog(window) && IsWindowVisible(window);
}

}  // namespace

std::u16string EditorSession::JournalPath() {
  AlarmNoteFolders folders;
  return folders.Documents() + std::u16string(kJournalName);
}

bool EditorSession::Start(std::string* error) {
  SIPINFO sip{};
  sip.cbSize = sizeof(sip);
  SipGetInfo(&sip);
  RECT area = sip.rcVisibleDesktop;
  if (!host_.Create(area)) {
    *error = "cannot create the host window (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  resources_ = LoadLibraryW(u"CalyraEditorResources.dll");
  if (resources_ == nullptr) {
    *error = "cannot load the resource library CalyraEditorResources.dll (error " +
             std::to_string(GetLastError()) + ")";
    return false;
  }
  if (exports_.initialize(host_.Handle(), resources_, &area, kProcessKindMain) == 0) {
    *error =
        "the component did not start: CalyraEditor_Initialize answered 0 (its editor frame is not "
        "available in this build)";
    return false;
  }
  started_ = true;
  SetOptions();
  Pump();
  return true;
}

// The host's settings as a freshly installed suite has them.
void EditorSession::SetOptions() {
  CalyraEditorOptions editor{};
  editor.confirmDeletions = 1;
  editor.newTaskReminder = 1;
  editor.newAppointmentReminder = 15;
  editor.valueD = 1;
  editor.timeOfDay = 8 * 60;
  exports_.setEditorOptions(&editor);

  CalyraNoteOptions note{};
  note.setting1 = 1;
  note.setting2 = 2;
  note.setting3 = 1;
  note.zoom = 1;
  note.fontSize = 9;
  CopyText(note.fontName, 64, u"Tahoma");
  exports_.setNoteOptions(&note);

  CalyraDisplayOptions display{};
  CopyText(display.fontName, 64, u"Tahoma");
  display.colors[0] = 0xFFFFFF;
  display.colors[1] = 0x990000;
  display.colors[2] = 0x000000;
  display.summaryFontSize = 9;
  const DWORD calendar[6] = {0xFFFFFF, 0xFFFFFF, 0x000000, 0x990000, 0xFFFFFF, 0x808080};
  for (int i = 0; i < 6; ++i) display.calendarColors[i] = calendar[i];
  exports_.setDisplayOptions(&display);

  // The journal is on and logs everything: deletions, completed tasks and the host's requests.
  CalyraJournalOptions journal{};
  journal.flags = kJournalEverything;
  journal.windowState[1] = 1;
  CopyText(journal.location, std::size(journal.location), JournalPath());
  exports_.setJournalOptions(&journal);

  CalyraContactOptions contact{};
  contact.values[0] = 1;
  contact.values[2] = 1;
  contact.values[3] = -1;
  exports_.setContactOptions(&contact);
}

void EditorSession::Stop() {
  if (started_) {
    if (EditorOpen()) PressCancel();
    exports_.destroy();
    Pump();
    started_ = false;
  }
  if (resources_) FreeLibrary(resources_);
  resources_ = nullptr;
  host_.Destroy();
}

int EditorSession::Pump() {
  return platform::PumpMessages();
}

HWND EditorSession::MainWindow() const {
  if (HWND main = FindWindowW(kEditorMainClass, nullptr)) return main;
  return FindDescendant(host_.Handle(), [](HWND w) { return HasClass(w, kEditorMainClass); });
}

HWND EditorSession::VisiblePage() const {
  HWND main = MainWindow();
  if (HWND page = FindDescendant(main, IsPage)) return page;
  return FindOwned(main, platform::IsDialog);
}

HWND EditorSession::Tabs() const {
  return FindDescendant(MainWindow(), [](HWND w) { return HasClass(w, kTabControlClass); });
}

bool EditorSession::EditorOpen() const {
  HWND main = MainWindow();
  return VisiblePage() != nullptr || (main != nullptr && IsWindowVisible(main));
}

bool EditorSession::PressOk() {
  return Press(kCommandOk, IDOK);
}

bool EditorSession::PressCancel() {
  return Press(kCommandCancel, IDCANCEL);
}

bool EditorSession::Press(int menuCommand, int dialogCommand) {
  HWND page = VisiblePage();
  HWND main = MainWindow();
  bool pressed = false;
  for (HWND owner : {page, main}) {
    HWND bar = owner ? SHFindMenuBar(owner) : nullptr;
    if (bar && platform::UserPressMenuBarButton(bar, menuCommand)) {
      pressed = true;
      break;
    }
  }
  if (!pressed && page) {
    // A page without the button (the summary) takes the dialog command itself.
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(dialogCommand), 0), 0);
    pressed = true;
  } else if (!pressed && main) {
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(dialogCommand), 0), 0);
    pressed = true;
  }
  Pump();
  return pressed;
}

}  // namespace calyra::host
