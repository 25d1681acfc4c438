#include "editors/EditorHost.h"
#include "editors/EditorMakers.h"
#include "editors/EditorMessages.h"
#include "editors/PageContainer.h"
#include "platform/text/Formatter.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "projects/Project.h"
#include "projects/ProjectStore.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

class ProjectEditor : public PageContainer {
 public:
  ProjectEditor(EditorContext& context)
      : PageContainer(context), existing_(context.projectObject && context.projectObject->HasRecord()) {}

  // A saved project is announced to the host with its identifier and record; a refused one gives the
  // project page its first field back.
  bool Commit(ItemOid* saved) override {
    Project* project = context_.projectObject;
    *saved = project ? project->Save() : 0;
    if (!*saved) {
      if (EditorPage* first = Page(0)) first->ResetFocus();
      return false;
    }
    PostMessageW(context_.host->HostWindow(), kNotifyItemSaved, static_cast<WPARAM>(project->projectId),
                 static_cast<LPARAM>(*saved));
    return true;
  }
  // Delete removes the stored project with everything it holds once the person agrees; a project
  // never saved just closes.
  bool RunItemCommand(CloseAction action) override {
    Project* project = context_.projectObject;
    if (action != CloseAction::Delete || !project || !project->HasRecord()) return true;
    HINSTANCE resources = context_.host->Resources();
    std::u16string question =
        platform::FormatText(ResourceText(resources, resources::kStringDeleteProject), {project->name});
    if (MessageBoxW(context_.owner, question.c_str(),
                    ResourceText(resources, resources::kStringCaption).c_str(),
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
      return false;
    }
    return DeleteProjectEntry(project->Record());
  }

 protected:
  // The contents pages need the project's record, so a new project shows them once it is saved.
  std::vector<PageNumber> PageNumbers() const override {
    std::vector<PageNumber> numbers{PageNumber::Project, PageNumber::ProjectNotes,
                                    PageNumber::ProjectContents};
    if (existing_) numbers.insert(numbers.end(), {PageNumber::ProjectThird, PageNumber::ProjectFourth});
    return numbers;
  }
  bool PageEnabled(size_t) const override { return true; }

 private:
  bool existing_;
};

}  // namespace

std::unique_ptr<PageContainer> MakeProjectEditor(EditorContext& context) {
  return std::make_unique<ProjectEditor>(context);
}

}  // namespace calyra
