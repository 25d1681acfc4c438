#pragma once

#include <cstdio>
#include <string>

#include "hosts/calyra/EditorLibrary.h"
#include "hosts/calyra/HostWindow.h"

namespace calyra::host {

// The menu bar commands every editor page carries, and the component's main window class.
inline constexpr int kCommandOk = 40008;
inline constexpr int kCommandCancel = 40014;
inline constexpr const char16_t* kEditorMainClass = u"CalyraEditor:Main";
inline constexpr const char16_t* kTabControlClass = u"SysTabControl32";

// The component started in this process as a device host starts it: the host window, the resource
// library, CalyraEditor_Initialize and the host's option records. It finds the editor's windows the
// way a person sees them: the main window, the page in front, the tab strip.
class EditorSession {
 public:
  EditorSession(const EditorExports& exports, std::FILE* out) : exports_(exports), out_(out), host_(out) {}
  ~EditorSession() { Stop(); }
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // The journal file the session gives the component: "journal.dat" in the device's documents folder,
  // which is made when missing.
  static std::u16string JournalPath();

  // False with `error` when the host window, the resources or the component's start-up fail.
  bool Start(std::string* error);
  // Closes an editor still open, then CalyraEditor_Destroy, the resources and the host window.
  void Stop();

  const EditorExports& Exports() const { return exports_; }
  HostWindow& Host() { return host_; }
  HINSTANCE Resources() const { return resources_; }

  // Dispatches what is queued until the host is idle; the number of messages dispatched.
  int Pump();
  HWND MainWindow() const;
  // The editor page the person sees: a visible dialog under the main window; null when none.
  HWND VisiblePage() const;
  HWND Tabs() const;
  // An editor (or a summary) is up: the main window or a page of it is shown.
  bool EditorOpen() const;

  // OK or Cancel as the person gives it: the page's menu bar button, or, while no page is shown,
  // the command to the main window. Pumps afterwards; false when there is nothing to press.
  bool PressOk();
  bool PressCancel();

 private:
  bool Press(int menuCommand, int dialogCommand);
  void SetOptions();

  const EditorExports& exports_;
  std::FILE* out_;
  HostWindow host_;
  HINSTANCE resources_ = nullptr;
  bool started_ = false;
};

}  // namespace calyra::host
