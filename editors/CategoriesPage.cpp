#include "editors/CategoriesPage.h"

#include "categories/CategoryDialog.h"
#include "categories/CategoryFiles.h"
#include "categories/CategoryIcons.h"
#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CategoryDatabase.h"

namespace calyra {

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kDisabledGrey = 0xC0C0C0;

}  // namespace

CategoriesPage::~CategoriesPage() {
  if (images_) ImageList_Destroy(images_);
}

HWND CategoriesPage::List() const {
  return GetDlgItem(GetWindow(), resources::kCategoriesList);
}

// One column as wide as the list: the name beside its icon.
void CategoriesPage::AddColumn() {
  HWND list = List();
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  RECT client{};
  GetClientRect(list, &client);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = client.right;
  ListView_InsertColumn(list, 0, &column);
}

void CategoriesPage::Load() {
  Fill(context_ && context_->item ? context_->item->categories : CategorySet());
  loadedChecks_ = CheckedIndexes();
  bool editable = Enabled() && context_ && context_->fullAccess;
  EnableWindow(List(), editable);
  EnableWindow(GetDlgItem(GetWindow(), resources::kCategoriesEdit), editable);
}

// One row per category whose name is set and whose index lies from 0 to 1023; a category listed on
// request only when `checked` has it.
void CategoriesPage::Fill(const CategorySet& checked) {
  Clear();
  HWND list = List();
  images_ = MakeCategoryImageList();
  COLORREF background = Enabled() ? kWhite : kDisabledGrey;
  ImageList_SetBkColor(images_, background);
  ListView_SetBkColor(list, background);
  ListView_SetImageList(list, images_, LVSIL_SMALL);
  CategoryIconFiles icons = CategoryIconFiles::Read();
  for (const CategoryRecord& category : ReadCategoryRecords()) {
    if (category.name.empty() || category.index < 0 || category.index >= CategorySet::kMaxCategories)
      continue;
    if (!category.listed && !checked.Has(category.index)) continue;
    std::optional<std::u16string> icon = icons.PathOf(category.name);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<LPWSTR>(category.name.c_str());
    item.iImage = icon ? AddIconImage(images_, *icon) : -1;
    item.lParam = category.index;
    item.state = INDEXTOSTATEIMAGEMASK(checked.Has(category.index) ? 2 : 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    ListView_InsertItem(list, &item);
  }
}

void CategoriesPage::Clear() {
  if (HWND list = List()) ListView_DeleteAllItems(list);
  if (images_) ImageList_Destroy(images_);
  images_ = nullptr;
}

std::vector<int> CategoriesPage::CheckedIndexes() const {
  std::vector<int> indexes;
  HWND list = List();
  int count = ListView_GetItemCount(list);
  for (int row = 0; row < count; ++row) {
    if (!ListView_GetCheckState(list, row)) continue;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    ListView_GetItem(list, &item);
    indexes.push_back(static_cast<int>(item.lParam));
  }
  return indexes;
}

// Checks as they were loaded leave the set alone, so that a category the list cannot show (its
// record gone) stays on an item nobody changed.
bool CategoriesPage::Store(CloseAction) {
  if (NeedsLoad() || !context_ || !context_->item) return true;
  std::vector<int> checked = CheckedIndexes();
  if (checked != loadedChecks_) context_->item->categories = CategorySet::FromNumbers(checked);
  return true;
}

void CategoriesPage::Reset(CloseAction) {
  Clear();
  loadedChecks_.clear();
}

void CategoriesPage::Toggle(int row) {
  HWND list = List();
  if (row >= 0 && IsWindowEnabled(list))
    ListView_SetCheckState(list, row, !ListView_GetCheckState(list, row));
}

// The category dialog over the page; the list is rebuilt with the same checks when it changed
// anything, and the editor goes when the host asked to switch away meanwhile.
void CategoriesPage::EditCategories() {
  CategoryChangeFlags ownFlags;
  CategoryChangeFlags* flags = Host().CategoryChanges();
  CategoryDialog dialog(false, flags ? *flags : ownFlags);
  CategoryDialogOutcome outcome = dialog.Show(GetWindow(), Host().Resources(), Host().ModalDialogSlot());
  if (outcome.imagesChanged) PostMessageW(Host().HostWindow(), kNotifyCategoryImages, 0, 0);
  switch (outcome.DialogResult()) {
    case 1:
      Fill(CategorySet::FromNumbers(CheckedIndexes()));
      break;
    case -1:
      CloseWith(CloseAction::ReturnToHost, kMsgCloseEditorNow);
      break;
    default:
      break;
  }
}

INT_PTR CategoriesPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) AddColumn();
  if (message == WM_COMMAND && LOWORD(wParam) == resources::kCommandEditCategories) {
    if (IsWindowEnabled(GetDlgItem(GetWindow(), resources::kCategoriesEdit))) EditCategories();
    return TRUE;
  }
  if (message == WM_NOTIFY && wParam == static_cast<WPARAM>(resources::kCategoriesList)) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == LVN_ITEMACTIVATE) Toggle(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
    return FALSE;
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
