#pragma once

#include "editors/EditorPage.h"

namespace calyra {

// The project editor's fourth page: the project's report, written afresh each time the page is shown
// (so that it tells what the other pages and the project store hold at that moment) and shown in
// the rich-text view. It stores nothing.
class ProjectReportPage : public EditorPage {
 public:
  ProjectReportPage() : EditorPage(PageNumber::ProjectFourth) {}

  HWND Activate(int tabIndex) override;
  void Load() override {}
  bool Store(CloseAction) override { return true; }
  void Reset(CloseAction) override {}
};

}  // namespace calyra
