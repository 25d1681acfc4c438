#include "categories/CategoryDialog.h"

#include <algorithm>

#include "categories/BuiltInCategories.h"
#include "categories/CategoryColours.h"
#include "categories/CategoryFiles.h"
#include "categories/CategoryIcons.h"
#include "categories/CategoryNames.h"
#include "categories/ColourPicker.h"
#include "editors/ControlText.h"
#include "editors/EditorMessages.h"
#include "platform/text/Formatter.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

// A record whose index lies outside 0 to 1026 is broken and deleted when the list is read.
constexpr int kHighestKeptIndex = 1026;

constexpr int kNamesPanel[] = {resources::kCategoryName,      resources::kCategoryAdd,
                               resources::kCategoryRename,    resources::kCategoryDelete,
                               resources::kCategoryShowIcons, resources::kCategoryColour};
constexpr int kIconsPanel[] = {resources::kCategoryPaletteLabel, resources::kCategoryPalette,
                               resources::kCategoryIconSet,      resources::kCategoryPaletteFolder,
                               resources::kCategoryAssignIcon,   resources::kCategoryRemoveIcon};

}  // namespace

CategoryDialog::CategoryDialog(bool showUnlisted, CategoryChangeFlags& changes)
    : showUnlisted_(showUnlisted), changes_(changes) {}

CategoryDialog::~CategoryDialog() {
  if (images_) ImageList_Destroy(images_);
}

CategoryDialogOutcome CategoryDialog::Show(HWND owner, HINSTANCE resources, HWND* modalSlot) {
  outcome_ = {};
  modalSlot_ = modalSlot;
  previousModal_ = modalSlot ? *modalSlot : nullptr;
  INT_PTR ended = Run(resources, resources::kDialogCategories, owner);
  if (modalSlot) *modalSlot = previousModal_;
  outcome_.ended = ended == IDOK || ended == IDCANCEL ? ended : -1;
  if (palette_) palette_->Save();
  return outcome_;
}

void CategoryDialog::Initialise() {
  if (modalSlot_) *modalSlot_ = Window();
  palette_ = std::make_unique<IconPalette>(Resources());
  SendMessageW(Item(resources::kCategoryName), EM_LIMITTEXT, kCategoryNameChars, 0);
  ReadList();
  FillList();
}

// Every record's name, index and listing flag; broken records are deleted once all are read.
void CategoryDialog::ReadList() {
  entries_.clear();
  std::u16string mark = ResourceText(Resources(), resources::kStringHiddenCategoryMark);
  std::vector<CEOID> broken;
  CategoryColourTable colours = CategoryColourTable::Read();
  for (CategoryRecord& record : ReadCategoryRecords()) {
    if (record.name.empty() || record.index < 0 || record.index > kHighestKeptIndex) {
      broken.push_back(record.oid);
      continue;
    }
    if (!record.listed && !showUnlisted_) continue;
    Entry entry;
    entry.shown = record.listed ? record.name : MarkedCategoryName(record.name, mark);
    entry.key = record.name;
    entry.changeIndex = record.index;
    entry.marked = !record.listed;
    entry.colour = colours.Of(record.name).value_or(kNoCategoryColour);
    entry.record = std::move(record);
    entries_.push_back(std::move(entry));
  }
  DeleteCategoryRecords(broken);
}

// The rows with their icons (the special categories first while the icons page is shown); the row
// of `selectOid` selected.
void CategoryDialog::FillList(CEOID selectOid) {
  HWND list = Item(resources::kCategoryList);
  ListView_DeleteAllItems(list);
  if (images_) ImageList_Destroy(images_);
  images_ = MakeCategoryImageList();
  ListView_SetImageList(list, images_, LVSIL_SMALL);
  std::vector<Entry> shown;
  if (iconsPage_) {
    for (BuiltInCategory& special : BuiltInCategories(Resources())) {
      COLORREF colour = CategoryColour(special.key).value_or(kNoCategoryColour);
      shown.push_back({{}, special.name, special.key, special.changeIndex, true, false, colour});
    }
  }
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.special; }),
                 entries_.end());
  entries_.insert(entries_.begin(), shown.begin(), shown.end());
  CategoryIconFiles icons = CategoryIconFiles::Read();
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    std::optional<std::u16string> icon = icons.PathOf(entry.key);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<LPWSTR>(entry.shown.c_str());
    item.iImage = icon ? AddIconImage(images_, *icon) : -1;
    item.lParam = static_cast<LPARAM>(i);
    ListView_InsertItem(list, &item);
    if (selectOid && entry.record.oid == selectOid)
      ListView_SetItemState(list, static_cast<int>(i), LVIS_SELECTED | LVIS_FOCUSED,
                            LVIS_SELECTED | LVIS_FOCUSED);
  }
}

void CategoryDialog::ShowIconsPage(bool icons) {
  iconsPage_ = icons;
  for (int id : kNamesPanel) ShowWindow(Item(id), icons ? SW_HIDE : SW_SHOW);
  for (int id : kIconsPanel) ShowWindow(Item(id), icons ? SW_SHOW : SW_HIDE);
  if (icons) palette_->Fill(Item(resources::kCategoryPalette));
  FillList();
}

CategoryDialog::Entry* CategoryDialog::Selected() {
  int row = ListView_GetNextItem(Item(resources::kCategoryList), -1, LVNI_SELECTED);
  if (row < 0 || static_cast<size_t>(row) >= entries_.size()) return nullptr;
  return &entries_[static_cast<size_t>(row)];
}

std::vector<std::u16string> CategoryDialog::ListedNames() const {
  std::vector<std::u16string> names;
  for (const Entry& entry : entries_) {
    if (!entry.special) names.push_back(entry.shown);
  }
  return names;
}

void CategoryDialog::Refuse(unsigned message) {
  HINSTANCE resources = Resources();
  MessageBoxW(Window(), ResourceText(resources, message).c_str(),
              ResourceText(resources, resources::kStringCategoriesCaption).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
  SetFocus(Item(resources::kCategoryName));
}

int CategoryDialog::Ask(const std::u16string& text, UINT flags) {
  return MessageBoxW(Window(), text.c_str(), ResourceText(Resources(), resources::kStringCaption).c_str(),
                     flags);
}

void CategoryDialog::IconChanged(const Entry& entry) {
  changes_.Mark(entry.changeIndex);
  outcome_.imagesChanged = true;
}

void CategoryDialog::Add() {
  CategoryNameCheck check = CheckCategoryName(WindowText(Item(resources::kCategoryName)), ListedNames());
  if (check.refusal) return Refuse(check.refusal);
  CategoryRecord made = AddCategoryRecord(check.name);
  if (!made.oid) return;
  outcome_.listChanged = true;
  SetWindowTextW(Item(resources::kCategoryName), u"");
  ReadList();
  FillList(made.oid);
}

void CategoryDialog::Rename() {
  Entry* entry = Selected();
  if (!entry || entry->special) return;
  CategoryNameCheck check = CheckCategoryName(WindowText(Item(resources::kCategoryName)), ListedNames());
  if (check.refusal) return Refuse(check.refusal);
  if (entry->marked) return Refuse(resources::kStringHiddenCategoryRename);
  Entry renamed = *entry;
  if (!RenameIcon(renamed, check.name)) return;
  MoveCategoryColour(renamed.key, check.name);
  if (!RenameCategoryRecord(renamed.record.oid, check.name)) return;
  outcome_.listChanged = true;
  ReadList();
  FillList(renamed.record.oid);
}

// Yes moves the icon file to the new name, No deletes it, Cancel stops the rename.
bool CategoryDialog::RenameIcon(const Entry& entry, const std::u16string& name) {
  if (!HasCategoryIcon(entry.key)) return true;
  int answer =
      Ask(ResourceText(Resources(), resources::kStringKeepIconForNewName), MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer == IDCANCEL) return false;
  if (answer == IDYES) {
    MoveCategoryIcon(entry.key, name);
  } else {
    RemoveCategoryIcon(entry.key);
    IconChanged(entry);
  }
  return true;
}

void CategoryDialog::Delete() {
  Entry* entry = Selected();
  if (!entry || entry->special) return;
  std::vector<CategoryRecord> records = ReadCategoryRecords();
  auto found = std::find_if(records.begin(), records.end(),
                            [&](const CategoryRecord& r) { return r.oid == entry->record.oid; });
  if (found == records.end()) return;
  if (found->InUse()) {
    std::u16string question =
        platform::FormatText(ResourceText(Resources(), resources::kStringDeleteUsedCategory),
                             {found->name, found->appointments, found->tasks, found->contacts});
    if (Ask(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
  }
  if (!DeleteCategory(*found)) return;
  if (std::optional<std::u16string> icon = CategoryIconPath(found->name)) DeleteIconFile(*icon);
  SetCategoryColour(found->name, std::nullopt);
  outcome_.listChanged = true;
  ReadList();
  FillList();
}

void CategoryDialog::ChooseColour() {
  Entry* entry = Selected();
  if (!entry) return;
  std::optional<ColourChoice> choice = PickCategoryColour(Window(), Resources(), CategoryColour(entry->key));
  if (!choice || choice->colour == CategoryColour(entry->key)) return;
  SetCategoryColour(entry->key, choice->colour);
  entry->colour = choice->colour.value_or(kNoCategoryColour);
  InvalidateRect(Item(resources::kCategoryList), nullptr, TRUE);
  outcome_.imagesChanged = true;
}

void CategoryDialog::AssignIcon() {
  Entry* entry = Selected();
  std::optional<std::u16string> file = palette_->SelectedFile(Item(resources::kCategoryPalette));
  if (!entry || !file || !AssignCategoryIcon(entry->key, *file)) return;
  IconChanged(*entry);
  RefreshIcons();
}

void CategoryDialog::RemoveIcon() {
  Entry* entry = Selected();
  if (!entry || !HasCategoryIcon(entry->key) || !RemoveCategoryIcon(entry->key)) return;
  IconChanged(*entry);
  RefreshIcons();
}

// The rows again with their new icons, the same row chosen (special categories have no record).
void CategoryDialog::RefreshIcons() {
  HWND list = Item(resources::kCategoryList);
  int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  FillList();
  if (row >= 0) ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CategoryDialog::Close(INT_PTR result) {
  if (iconsPage_ && result != -1) return ShowIconsPage(false);
  EndDialog(Window(), result);
}

bool CategoryDialog::HandleCommand(int command) {
  switch (command) {
    case resources::kCategoryAdd:
      Add();
      return true;
    case resources::kCategoryRename:
      Rename();
      return true;
    case resources::kCategoryDelete:
      Delete();
      return true;
    case resources::kCategoryShowIcons:
      ShowIconsPage(true);
      return true;
    case resources::kCategoryColour:
      ChooseColour();
      return true;
    case resources::kCategoryAssignIcon:
      AssignIcon();
      return true;
    case resources::kCategoryRemoveIcon:
      RemoveIcon();
      return true;
    case resources::kCategoryIconSet:
      if (palette_->ChooseIconSet(Window())) palette_->Fill(Item(resources::kCategoryPalette));
      return true;
    case resources::kCategoryPaletteFolder:
      if (palette_->ChooseFolder(Window())) palette_->Fill(Item(resources::kCategoryPalette));
      return true;
    case IDOK:
    case IDCANCEL:
      Close(command);
      return true;
    default:
      return false;
  }
}

// Each row's text stands on its category's colour.
LRESULT CategoryDialog::CustomDraw(NMLVCUSTOMDRAW& draw) const {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.dwItemSpec < entries_.size())
    draw.clrTextBk = entries_[draw.nmcd.dwItemSpec].colour;
  return CDRF_DODEFAULT;
}

// Choosing a category puts its name into the name field, ready to be changed.
void CategoryDialog::HandleNotify(const NMHDR& header) {
  if (header.idFrom != static_cast<UINT_PTR>(resources::kCategoryList) || header.code != LVN_ITEMCHANGED)
    return;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  if (!(change.uNewState & LVIS_SELECTED) || (change.uOldState & LVIS_SELECTED)) return;
  if (change.iItem < 0 || static_cast<size_t>(change.iItem) >= entries_.size()) return;
  const Entry& entry = entries_[static_cast<size_t>(change.iItem)];
  if (!entry.special && !iconsPage_)
    SetWindowTextW(Item(resources::kCategoryName), entry.record.name.c_str());
}

INT_PTR CategoryDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Initialise();
      return TRUE;
    case WM_COMMAND:
      return HandleCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->idFrom == static_cast<UINT_PTR>(resources::kCategoryList) &&
          header->code == NM_CUSTOMDRAW) {
        SetWindowLongPtrW(Window(), DWLP_MSGRESULT, CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)));
        return TRUE;
      }
      HandleNotify(*header);
      return FALSE;
    }
    case kMsgModalSwitchAway:
      EndDialog(Window(), -1);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace calyra
