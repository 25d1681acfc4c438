#pragma once

#include <memory>
#include <string>
#include <vector>

#include "categories/CategoryChangeFlags.h"
#include "categories/CategoryColours.h"
#include "categories/IconPalette.h"
#include "editors/ModalDialog.h"
#include "platform/ui/controls/ListViewTypes.h"
#include "store/CategoryDatabase.h"

namespace calyra {

// How the category dialog ended and what it changed.
struct CategoryDialogOutcome {
  INT_PTR ended = 0;           // IDOK, IDCANCEL, or -1 (the host asked to switch away, or no dialog)
  bool listChanged = false;    // a category was added, given a new name or deleted
  bool imagesChanged = false;  // an icon or a colour changed

  // The dialog's own result: 1 when anything changed, -1 when the host asked to switch away.
  int DialogResult() const { return ended == -1 ? -1 : (listChanged || imagesChanged) ? 1 : 0; }
  // What the export answers: 1 only when icons or colours changed and the list did not.
  int ExportResult() const { return imagesChanged && !listChanged ? 1 : 0; }
};

// The category dialog (491): the categories page adds, renames and deletes categories and gives
// them colours; the icons page gives them (and the special categories) icons from the palette.
// Changes reach the store and the registry at once; icon changes are marked in `changes`.
class CategoryDialog : public ModalDialog {
 public:
  CategoryDialog(bool showUnlisted, CategoryChangeFlags& changes);
  ~CategoryDialog() override;

  // `modalSlot`, when given, names the dialog while it is up, so that the host's request to switch
  // away reaches it.
  CategoryDialogOutcome Show(HWND owner, HINSTANCE resources, HWND* modalSlot = nullptr);

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // A row of the list: a category, or (on the icons page) a special category.
  struct Entry {
    CategoryRecord record;
    std::u16string shown;
    std::u16string key;  // the icon file's and colour's name: the category name, or the special key
    int changeIndex = 0;
    bool special = false;
    bool marked = false;  // listed on request, with the marker
    COLORREF colour = kNoCategoryColour;
  };

  void Initialise();
  void ReadList();
  void FillList(CEOID selectOid = 0);
  void ShowIconsPage(bool icons);
  bool HandleCommand(int command);
  void HandleNotify(const NMHDR& header);
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;
  void Close(INT_PTR result);

  void Add();
  void Rename();
  void Delete();
  void ChooseColour();
  void AssignIcon();
  void RemoveIcon();
  void RefreshIcons();
  bool RenameIcon(const Entry& entry, const std::u16string& name);

  Entry* Selected();
  std::vector<std::u16string> ListedNames() const;
  void Refuse(unsigned message);
  int Ask(const std::u16string& text, UINT flags);
  void IconChanged(const Entry& entry);

  bool showUnlisted_;
  CategoryChangeFlags& changes_;
  CategoryDialogOutcome outcome_;
  std::vector<Entry> entries_;
  std::unique_ptr<IconPalette> palette_;
  HIMAGELIST images_ = nullptr;
  bool iconsPage_ = false;
  HWND* modalSlot_ = nullptr;
  HWND previousModal_ = nullptr;
};

}  // namespace calyra
