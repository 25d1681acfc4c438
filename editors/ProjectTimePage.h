#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editors/EditorPage.h"
#include "editors/TimeRecordDialog.h"
#include "platform/ui/Window.h"
#include "resources/ResourceIds.h"
#include "store/ItemKind.h"

namespace calyra {

class Project;
class ProjectEntry;

// The project editor's third page (existing projects only).
// Above, the project's sub-projects: New makes one (named as an unnamed project is) and Open edits a
// sub-project, each after the editor has saved this project and closed; Delete removes a sub-project
// with all it holds, after asking.
// Below, the time records of the project and of its sub-projects, each with its day, its duration (a
// running one counts up to now) and its name, and their total. Add and Edit show the time record
// dialog (name, the project it is booked on, start and end); Start writes a running record booked on
// the project from now; Stop ends the selected running record now; Delete removes the selected one.
// Each change is written to the project store at once, so the report page shows it.
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
  struct SubProjectRow {
    ItemOid record = 0;
    std::u16string name;
  };

  HWND Control(int id) const { return GetDlgItem(GetWindow(), id); }
  HWND List() const { return Control(resources::kProjectTimeList); }
  HWND SubList() const { return Control(resources::kProjectSubList); }
  void MakeColumns();
  void Fill();
  void FillSubProjects(const Project& stored);
  int Selected() const;
  int SelectedSubProject() const;
  bool RunCommand(int command);
  std::unique_ptr<ProjectEntry> RecordFromNow() const;
  void Add();
  void Edit();
  bool ShowDialog(TimeRecordEntry& record);
  void Start();
  void Stop();
  void Delete();
  void NewSubProject();
  void OpenSubProject(ItemOid record);
  void DeleteSubProject();

  std::vector<Row> rows_;
  std::vector<SubProjectRow> subProjects_;
  std::vector<BookingChoice> choices_;  // the project, then its sub-projects in tree order
  bool columnsMade_ = false;
};

}  // namespace calyra
