#pragma once

#include <memory>

#include "editors/EditorKind.h"
#include "host/EditRequest.h"
#include "platform/ui/WindowTypes.h"
#include "platform/ui/shell/Shell.h"

namespace calyra {

class EditorFrame;
class SummaryWindow;

// The hidden, full-screen owner of every editor: it receives the requests of the New and Edit
// exports, holds the tab strip and the editor frame, the summary window, and lays them out for the
// input panel.
class MainWindow {
 public:
  static constexpr const char16_t* kClassName = u"CalyraEditor:Main";
  static constexpr const char16_t* kTabsName = u"CalyraEditor:Tabs";
  static constexpr int kTabImageWidth = 21;
  static constexpr COLORREF kTabImageMask = 0x00FF00;

  MainWindow();
  ~MainWindow();

  // Registers the class and makes the window and its tab strip over `area`.
  bool Create(HWND host, const RECT& area);
  // Tears down the pages, the summary, the tab strip and the window.
  void Destroy();
  HWND Window() const { return window_; }
  HWND Tabs() const { return tabs_; }
  EditorFrame& Frame() { return *frame_; }
  bool SummaryOpen() const;
  HWND SummaryHandle() const;
  // The open summary, or null.
  SummaryWindow* Summary() const { return summary_.get(); }

  int IsEditorActive(int flag, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  int HandleActivation(UINT activation);
  int IsDialogMessage(MSG* message);
  void ForwardToSummary(UINT message, WPARAM wParam, LPARAM lParam);

  void ShowInFront();
  void HideEditor();
  // Hides the windows and gives up this process's claim on the item it had open.
  void Release();

 private:
  static LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateTabs();
  void Open(EditorKind kind, std::unique_ptr<EditRequest> request);
  void OnSummaryMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CloseSummary();
  void ReadSipState();
  void LayOut(HWND page);
  // The tab strip along the bottom and the page above it, in the window's present size.
  void PlaceTabs();
  void PlacePage(HWND page);
  LRESULT OnNotify(const NMHDR& header);

  HWND window_ = nullptr;
  HWND tabs_ = nullptr;
  HIMAGELIST tabImages_ = nullptr;
  SIPINFO sip_{};
  std::unique_ptr<EditorFrame> frame_;
  std::unique_ptr<SummaryWindow> summary_;
};

}  // namespace calyra
