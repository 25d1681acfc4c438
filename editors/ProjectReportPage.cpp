#include "editors/ProjectReportPage.h"

#include "editors/EditorHost.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/Project.h"
#include "projects/ProjectReport.h"
#include "resources/ResourceIds.h"

namespace calyra {

HWND ProjectReportPage::Activate(int tabIndex) {
  HWND window = EditorPage::Activate(tabIndex);
  Project* project = context_ ? context_->projectObject : nullptr;
  if (!window || !project) return window;
  // A report that cannot be written leaves the last one shown.
  if (std::optional<std::u16string> path = ProjectReport(Host().Resources()).WriteReportFile(*project)) {
    SendMessageW(GetDlgItem(window, resources::kProjectReportView), RV_LOADFILE, 0,
                 reinterpret_cast<LPARAM>(path->c_str()));
  }
  return window;
}

}  // namespace calyra
