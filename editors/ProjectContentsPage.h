#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editors/EditorPage.h"
#include "platform/ui/Window.h"
#include "projects/ProjectEntry.h"
#include "resources/ResourceIds.h"

namespace calyra {

class Project;

// The project editor's contents page: the appointments, tasks, contacts and files of the project, each
// with its icon, its date (an appointment's or a task's) and its text. "Add File" writes a file entry
// at once; Open (or a double tap) has the host open an item, or the shell a file; Remove deletes the
// selected entry from the project store. A project not yet saved has no contents to add to.
class ProjectContentsPage : public EditorPage {
 public:
  ProjectContentsPage() : EditorPage(PageNumber::ProjectContents) {}
  ~ProjectContentsPage() override;

  void Load() override;
  bool Store(CloseAction) override { return true; }
  void Reset(CloseAction action) override;

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Row {
    ItemOid record = 0;
    ProjectEntryType type = ProjectEntryType::None;
    ItemOid item = 0;  // the linked item; 0 for a file
    std::u16string path;
    std::u16string date;  // "(3/15/2024)", or empty
    std::u16string text;
  };

  HWND Control(int id) const { return GetDlgItem(GetWindow(), id); }
  HWND List() const { return Control(resources::kProjectContentsList); }
  void MakeColumns();
  void Fill();
  Row RowOf(const ProjectEntry& entry) const;
  void ShowRows();
  int Selected() const;
  void AddFile();
  void OpenSelected();
  void RemoveSelected();

  std::vector<Row> rows_;
  HIMAGELIST images_ = nullptr;
  bool columnsMade_ = false;
};

}  // namespace calyra
