#include "editors/ProjectPicker.h"

#include <memory>
#include <vector>

#include "editors/EditorMessages.h"
#include "editors/ModalDialog.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "projects/ProjectTree.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

class ProjectPicker : public ModalDialog {
 public:
  explicit ProjectPicker(const ProjectAdder& add) : add_(add) {}

  ItemOid Show(HWND owner, HINSTANCE resources, HWND* modalSlot) {
    modalSlot_ = modalSlot;
    HWND previous = modalSlot ? *modalSlot : nullptr;
    INT_PTR added = Run(resources, kDialogProjectPicker, owner);
    if (modalSlot) *modalSlot = previous;
    return added > 0 ? chosen_ : 0;
  }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_INITDIALOG:
        Init();
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) Accept();
        if (LOWORD(wParam) == IDCANCEL) EndDialog(Window(), 0);
        return TRUE;
      case kMsgModalSwitchAway:  // the host switches away: nothing is added
        EndDialog(Window(), 0);
        return TRUE;
      default:
        return FALSE;
    }
  }

 private:
  void Init() {
    if (modalSlot_) *modalSlot_ = Window();
    projects_ = LoadProjectTree();
    GetLocalTime(&today_);
    completeMark_ = ResourceText(Resources(), kStringSummaryComplete);
    HWND tree = Item(kProjectPickerTree);
    for (const auto& project : projects_) Insert(tree, TVI_ROOT, *project);
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    SetFocus(tree);
  }

  void Insert(HWND tree, HTREEITEM parent, const Project& project) {
    std::u16string label = ProjectDisplayLabel(project, today_, completeMark_);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = label.data();
    insert.item.lParam = static_cast<LPARAM>(project.Record());
    HTREEITEM item = TreeView_InsertItem(tree, &insert);
    if (!item) return;
    for (const auto& child : project.children) {
      if (child->entryType == ProjectEntryType::Project)
        Insert(tree, item, static_cast<const Project&>(*child));
    }
    TreeView_Expand(tree, item, TVE_EXPAND);
  }

  // Nothing selected (no projects) leaves the dialog open for Cancel.
  void Accept() {
    HWND tree = Item(kProjectPickerTree);
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = TreeView_GetSelection(tree);
    if (!item.hItem || !TreeView_GetItem(tree, &item)) return;
    chosen_ = static_cast<ItemOid>(item.lParam);
    EndDialog(Window(), add_(chosen_) ? 1 : 0);
  }

  const ProjectAdder& add_;
  HWND* modalSlot_ = nullptr;
  std::vector<std::unique_ptr<Project>> projects_;
  SYSTEMTIME today_{};
  std::u16string completeMark_;
  ItemOid chosen_ = 0;
};

}  // namespace

ItemOid PickProjectAndAdd(HWND owner, HINSTANCE resources, const ProjectAdder& add, HWND* modalSlot) {
  ProjectPicker picker(add);
  return picker.Show(owner, resources, modalSlot);
}

}  // namespace calyra
