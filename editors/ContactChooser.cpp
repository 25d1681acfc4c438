#include "editors/ContactChooser.h"

#include <vector>

#include "editors/ContactList.h"
#include "editors/ModalDialog.h"
#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

constexpr int kNameColumn = 0;
constexpr int kCompanyColumn = 1;
constexpr int kFindCapacity = 256;

class ContactChooser : public ModalDialog {
 public:
  std::optional<ChosenContact> Choose(HWND owner, HINSTANCE resources) {
    contacts_ = ReadContacts();
    Run(resources, kDialogContactChooser, owner);
    return chosen_;
  }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        Init();
        return TRUE;
      case WM_COMMAND:
        return Command(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
      case WM_NOTIFY:
        if (wParam == static_cast<WPARAM>(kContactChooserList))
          ListNotified(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        return FALSE;
      default:
        return FALSE;
    }
  }

 private:
  void Init() {
    HWND list = Item(kContactChooserList);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list, &client);
    int nameWidth = static_cast<int>(client.right) * 60 / 100;
    AddColumn(kNameColumn, kStringColumnName, nameWidth);
    AddColumn(kCompanyColumn, kStringColumnCompany, client.right - nameWidth);
    for (size_t index = 0; index < contacts_.size(); ++index) AddRow(index);
    EnableWindow(Item(kContactChooserNameButton), FALSE);
    EnableWindow(Item(IDOK), FALSE);
  }

  void AddColumn(int index, unsigned title, int width) {
    std::u16string text = ResourceText(Resources(), title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = text.data();
    ListView_InsertColumn(Item(kContactChooserList), index, &column);
  }

  void AddRow(size_t index) {
    HWND list = Item(kContactChooserList);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    item.pszText = const_cast<LPWSTR>(contacts_[index].fileAs.c_str());
    item.lParam = static_cast<LPARAM>(index);
    int row = ListView_InsertItem(list, &item);
    ListView_SetItemText(list, row, kCompanyColumn, contacts_[index].name.company.c_str());
  }

  const std::u16string& ColumnText(size_t contact, int column) const {
    return column == kCompanyColumn ? contacts_[contact].name.company : contacts_[contact].fileAs;
  }

  // Without regard to case; equal texts fall back on FileAs, then on the store's order.
  static int Compare(LPARAM a, LPARAM b, LPARAM chooser) {
    const auto* self = reinterpret_cast<const ContactChooser*>(chooser);
    auto first = static_cast<size_t>(a);
    auto second = static_cast<size_t>(b);
    int order = platform::CompareNoCase(self->ColumnText(first, self->sortColumn_),
                                        self->ColumnText(second, self->sortColumn_));
    if (order == 0)
      order = platform::CompareNoCase(self->contacts_[first].fileAs, self->contacts_[second].fileAs);
    if (order == 0) order = first < second ? -1 : (first > second ? 1 : 0);
    return self->ascending_ ? order : -order;
  }

  // A second tap on the same header turns the order round.
  void SortBy(int column) {
    ascending_ = column == sortColumn_ ? !ascending_ : true;
    sortColumn_ = column;
    ListView_SortItems(Item(kContactChooserList), &ContactChooser::Compare, reinterpret_cast<LPARAM>(this));
  }

  std::optional<size_t> Selected() const {
    HWND list = Item(kContactChooserList);
    int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row < 0) return std::nullopt;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    ListView_GetItem(list, &item);
    return static_cast<size_t>(item.lParam);
  }

  void ListNotified(const NMLISTVIEW& note) {
    switch (note.hdr.code) {
      case LVN_COLUMNCLICK:
        SortBy(note.iSubItem);
        break;
      case LVN_ITEMCHANGED:
        if ((note.uChanged & LVIF_STATE) && ((note.uNewState ^ note.uOldState) & LVIS_SELECTED))
          SelectionChanged();
        break;
      case LVN_ITEMACTIVATE:
        Accept();
        break;
      default:
        break;
    }
  }

  // The name shown is the selected contact's FileAs until a variant is chosen.
  void SelectionChanged() {
    std::optional<size_t> contact = Selected();
    SetDlgItemTextW(Window(), kContactChooserName, contact ? contacts_[*contact].fileAs.c_str() : u"");
    EnableWindow(Item(kContactChooserNameButton), contact.has_value());
    EnableWindow(Item(IDOK), contact.has_value());
  }

  void ChooseNameVariant() {
    std::optional<size_t> contact = Selected();
    if (!contact) return;
    const ContactSummary& chosen = contacts_[*contact];
    auto variants = BuildNameVariantTexts(chosen.fileAs, chosen.name);
    HMENU menu = CreatePopupMenu();
    for (const auto& [command, text] : variants) {
      AppendMenuW(menu, MF_STRING, command, EscapeMenuText(text).c_str());
    }
    RECT button{};
    GetWindowRect(Item(kContactChooserNameButton), &button);
    auto command = static_cast<unsigned>(TrackPopupMenuEx(
        menu, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_RETURNCMD, button.left, button.top, Window(), nullptr));
    DestroyMenu(menu);
    for (const auto& [id, text] : variants) {
      if (id == command) SetDlgItemTextW(Window(), kContactChooserName, text.c_str());
    }
  }

  // Selects the first contact (in the list's order) whose FileAs starts with the text.
  void Find() {
    WCHAR text[kFindCapacity] = {};
    GetDlgItemTextW(Window(), kContactChooserFind, text, kFindCapacity);
    if (!text[0]) return;
    HWND list = Item(kContactChooserList);
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    find.psz = text;
    int row = ListView_FindItem(list, -1, &find);
    if (row < 0) return;
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, row, FALSE);
  }

  std::u16string ShownName() const {
    HWND field = Item(kContactChooserName);
    std::u16string name(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, u'\0');
    name.resize(static_cast<size_t>(GetWindowTextW(field, name.data(), static_cast<int>(name.size()))));
    return name;
  }

  void Accept() {
    std::optional<size_t> contact = Selected();
    if (!contact) return;
    chosen_ = ChosenContact{contacts_[*contact].oid, ShownName()};
    EndDialog(Window(), IDOK);
  }

  bool Command(int id, WORD code) {
    switch (id) {
      case kContactChooserFind:
        if (code == EN_CHANGE) Find();
        return true;
      case kContactChooserNameButton:
        ChooseNameVariant();
        return true;
      case IDOK:
        Accept();
        return true;
      case IDCANCEL:
        EndDialog(Window(), IDCANCEL);
        return true;
      default:
        return false;
    }
  }

  std::vector<ContactSummary> contacts_;
  int sortColumn_ = kNameColumn;
  bool ascending_ = true;
  std::optional<ChosenContact> chosen_;
};

}  // namespace

std::optional<ChosenContact> ChooseContact(HWND owner, HINSTANCE resources) {
  ContactChooser chooser;
  return chooser.Choose(owner, resources);
}

}  // namespace calyra
