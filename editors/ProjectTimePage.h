#pragma once

#include <string>
#include <vector>

#include "editors/EditorPage.h"
#include "platform/ui/Window.h"
#include "resources/ResourceIds.h"
#include "store/ItemKind.h"

namespace calyra {

class Project;

// The project editor's third page (existing projects only): the time records of the project and of
// its sub-projects, each with its day, its duration (a running one counts up to now) and its name,
// and their total. Start writes a running record booked on the project from now; Stop ends the
// selected running record now; Delete removes the selected record. Each change is written to the
// project store at once, so the report page shows it.
class ProjectTimePage : public EditorPage {
 public:
  ProjectTimePage() : EditorPage(PageNumber::ProjectThird) {}

  void Load() override;
  bool Store(CloseAction) override { return true; }
  void Reset(CloseAction action) override;

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Row {
    ItemOid record = 0;
    bool running = false;
  };

  HWND Control(int id) const { return GetDlgItem(GetWindow(), id); }
  HWND List() const { return Control(resources::kProjectTimeList); }
  Project* TheProject() const;
  void MakeColumns();
  void Fill();
  int Selected() const;
  void Start();
  void Stop();
  void Delete();

  std::vector<Row> rows_;
  bool columnsMade_ = false;
};

}  // namespace calyra
