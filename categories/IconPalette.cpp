#include "categories/IconPalette.h"

#include "categories/CategoryFiles.h"
#include "categories/CategoryIcons.h"
#include "categories/IconFolderDialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

IconPalette::IconPalette(HINSTANCE resources)
    : resources_(resources), source_(PaletteFolder(resources)), folder_(source_) {}

IconPalette::~IconPalette() {
  if (images_) ImageList_Destroy(images_);
}

void IconPalette::Fill(HWND list) {
  ListView_DeleteAllItems(list);
  if (images_) ImageList_Destroy(images_);
  images_ = MakeCategoryImageList();
  ListView_SetImageList(list, images_, LVSIL_SMALL);
  ListView_SetImageList(list, images_, LVSIL_NORMAL);
  files_ = BitmapFiles(folder_);
  for (size_t i = 0; i < files_.size(); ++i) {
    std::u16string name = files_[i].substr(0, files_[i].size() - 4);  // without ".bmp"
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = name.data();
    item.iImage = AddIconImage(images_, folder_ + u"\\" + files_[i]);
    item.lParam = static_cast<LPARAM>(i);
    ListView_InsertItem(list, &item);
  }
}

std::optional<std::u16string> IconPalette::FileAt(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= files_.size()) return std::nullopt;
  return folder_ + u"\\" + files_[static_cast<size_t>(index)];
}

std::optional<std::u16string> IconPalette::SelectedFile(HWND list) const {
  return FileAt(ListView_GetNextItem(list, -1, LVNI_SELECTED));
}

bool IconPalette::ChooseIconSet(HWND owner) {
  std::u16string root = AlternativeIconRoot();
  std::vector<std::u16string> sets = Subfolders(root);
  if (sets.empty()) return false;
  HMENU menu = CreatePopupMenu();
  std::u16string defaultSet = ResourceText(resources_, resources::kStringDefaultIconSet);
  AppendMenuW(menu, MF_STRING, resources::kCommandDefaultIconSet, defaultSet.c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (size_t i = 0; i < sets.size(); ++i)
    AppendMenuW(menu, MF_STRING, resources::kCommandFirstIconSet + static_cast<UINT>(i), sets[i].c_str());
  UINT command = static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD, 0, 0, owner, nullptr));
  DestroyMenu(menu);
  if (command == 0) return false;
  std::u16string folder = source_;
  size_t chosen = command - resources::kCommandFirstIconSet;
  if (command != resources::kCommandDefaultIconSet && chosen < sets.size()) {
    std::u16string set = root + u"\\" + sets[chosen];
    if (set.size() < MAX_PATH) folder = set;
  }
  bool changed = folder != folder_;
  folder_ = folder;
  return changed;
}

bool IconPalette::ChooseFolder(HWND owner) {
  IconFolderDialog dialog(folder_);
  std::optional<std::u16string> folder = dialog.Choose(owner, resources_);
  if (!folder) return false;
  source_ = *folder;
  bool changed = !SameFolder(folder_, *folder);
  folder_ = *folder;
  return changed;
}

void IconPalette::Save() const {
  SavePaletteFolder(source_);
}

}  // namespace calyra
