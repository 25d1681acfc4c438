#pragma once

#include "editors/EditorPage.h"
#include "platform/ui/Window.h"

namespace calyra {

class Project;

// The project editor's first page: the project's name, how far it is done, its start, end and
// completion dates, and whether it is listed with the open projects. A project that the person
// keeps off that list carries the flag in its project data; a sub-project is listed with its
// project, so the box is hidden for it and stays checked.
// The name of a project the person left unnamed: "<New project 03-15-2024>" with today's date.
std::u16string UnnamedProjectName(HINSTANCE resources);

class ProjectPage : public EditorPage {
 public:
  ProjectPage() : EditorPage(PageNumber::Project) {}

  void Load() override;
  // Refuses only when the project or a date control is missing.
  bool Store(CloseAction action) override;
  void Reset(CloseAction action) override;

 protected:
  // Delete Project closes the editor deleting the project; the editor asks first.
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND Control(int id) const { return GetDlgItem(GetWindow(), id); }
  std::u16string StoredName() const;
  void StoreDates(Project& project) const;
};

// The project data's flag of a project kept off the list of open projects.
bool IsKeptOffOpenList(const Project& project);
void SetKeptOffOpenList(Project& project, bool keptOff);

}  // namespace calyra
