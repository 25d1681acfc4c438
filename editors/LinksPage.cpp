#include "editors/LinksPage.h"

#include <algorithm>
#include <array>

#include "editors/ControlText.h"
#include "editors/DocumentChooser.h"
#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "editors/LinkPickItems.h"
#include "editors/TextPrompt.h"
#include "links/LinkList.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"

namespace calyra {

static_assert(kOpenLinkedItemMessage == kNotifyOpenItem, "the host opens a linked item as any other");

namespace {

using namespace resources;

// The pick lists in the order of their tabs, with the kind each offers and the name of its tab.
struct PickList {
  int id;
  ItemKind kind;
  unsigned name;
};
constexpr std::array<PickList, 3> kPickLists = {{
    {kLinksContacts, ItemKind::Contact, kStringLinksPickContacts},
    {kLinksTasks, ItemKind::Task, kStringLinksPickTasks},
    {kLinksAppointments, ItemKind::Appointment, kStringLinksPickAppointments},
}};

constexpr size_t kFilePathChars = 4096;
constexpr const char16_t* kWebPrefix = u"http://";
constexpr int kIconSize = 16;
constexpr int kIconCount = 8;
constexpr COLORREF kIconKeyColour = RGB(0, 255, 0);

LPARAM RowData(HWND list, int row) {
  LVITEMW entry{};
  entry.mask = LVIF_PARAM;
  entry.iItem = row;
  return ListView_GetItem(list, &entry) ? entry.lParam : 0;
}

WORD LinkIdOf(LPARAM data) {
  return HIWORD(static_cast<DWORD>(data));
}

LinkType TypeOf(LPARAM data) {
  return static_cast<LinkType>(LOWORD(static_cast<DWORD>(data)));
}

// A row added on the page and not written yet: a file or web address without a link id.
bool IsPendingRow(LPARAM data) {
  return LinkIdOf(data) == 0 && (TypeOf(data) == LinkType::File || TypeOf(data) == LinkType::Web);
}

// A hint row of the empty list: no link id, and not an addition.
bool IsHintRow(LPARAM data) {
  return LinkIdOf(data) == 0 && !IsPendingRow(data);
}

int ClientWidth(HWND list) {
  RECT client{};
  GetClientRect(list, &client);
  return client.right;
}

void AddFullWidthColumn(HWND list, bool checkBoxes) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | (checkBoxes ? LVS_EX_CHECKBOXES : 0));
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = ClientWidth(list);
  ListView_InsertColumn(list, 0, &column);
}

void InsertRow(HWND list, const std::u16string& text, int image, LPARAM data) {
  LVITEMW entry{};
  entry.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
  entry.iItem = ListView_GetItemCount(list);
  entry.pszText = const_cast<LPWSTR>(text.c_str());
  entry.iImage = image;
  entry.lParam = data;
  ListView_InsertItem(list, &entry);
}

// The item icons of the link list, at the indexes the link types show.
HIMAGELIST MakeLinkImages(HINSTANCE resources) {
  HBITMAP strip = LoadBitmapW(resources, MAKEINTRESOURCEW(kBitmapItemIcons));
  if (!strip) return nullptr;
  HIMAGELIST images = ImageList_Create(kIconSize, kIconSize, ILC_COLOR | ILC_MASK, kIconCount, 0);
  if (images) ImageList_AddMasked(images, strip, kIconKeyColour);
  DeleteObject(strip);
  return images;
}

}  // namespace

LinksPage::~LinksPage() {
  DestroyDialog();
  if (images_) ImageList_Destroy(images_);
}

HWND LinksPage::Control(int id) const {
  return GetDlgItem(GetWindow(), id);
}

ItemOid LinksPage::EditedItem() const {
  return context_ && context_->item ? context_->item->oid : 0;
}

// At the dialog's creation: one column per list, check boxes in the pick lists, the pick tabs.
void LinksPage::SetUpControls() {
  AddFullWidthColumn(Control(kLinksList), false);
  images_ = MakeLinkImages(Host().Resources());
  ListView_SetImageList(Control(kLinksList), images_, LVSIL_SMALL);
  HWND tabs = Control(kLinksPickTabs);
  for (size_t index = 0; index < kPickLists.size(); ++index) {
    AddFullWidthColumn(Control(kPickLists[index].id), true);
    std::u16string name = ResourceText(Host().Resources(), kPickLists[index].name);
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = name.data();
    TabCtrl_InsertItem(tabs, static_cast<int>(index), &tab);
  }
  SendMessageW(Control(kLinksWebAddress), EM_LIMITTEXT, kLinkTextChars, 0);
}

void LinksPage::Load() {
  Clear();
  HWND list = Control(kLinksList);
  if (ItemOid item = EditedItem()) {
    int width = FillLinkList(item, list);
    if (width > ListView_GetColumnWidth(list, 0)) ListView_SetColumnWidth(list, 0, width);
  }
  ShowHintsIfEmpty();
  for (const PickList& pick : kPickLists) FillPickList(pick.id, pick.kind, EditedItem());
  ShowPickList(0);
  bool editable = Enabled();
  for (int id : {kLinksList, kLinksContacts, kLinksTasks, kLinksAppointments, kLinksPickTabs, kLinksAddFile,
                 kLinksAddWeb, kLinksRemove, kLinksWebAddress})
    EnableWindow(Control(id), editable);
}

void LinksPage::Clear() {
  if (!GetWindow()) return;
  HWND list = Control(kLinksList);
  ListView_DeleteAllItems(list);
  // A long link of the last item widened the column; the next item starts at the list's width.
  ListView_SetColumnWidth(list, 0, ClientWidth(list));
  for (const PickList& pick : kPickLists) ListView_DeleteAllItems(Control(pick.id));
  SetWindowTextW(Control(kLinksWebAddress), u"");
}

void LinksPage::FillPickList(int listId, ItemKind kind, ItemOid except) {
  HWND list = Control(listId);
  for (const LinkPickItem& item : ReadLinkPickItems(kind, except))
    InsertRow(list, item.text, -1, static_cast<LPARAM>(item.oid));
}

void LinksPage::ShowPickList(int index) {
  if (index < 0 || index >= static_cast<int>(kPickLists.size())) return;
  SendMessageW(Control(kLinksPickTabs), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (size_t each = 0; each < kPickLists.size(); ++each)
    ShowWindow(Control(kPickLists[each].id), static_cast<int>(each) == index ? SW_SHOW : SW_HIDE);
}

void LinksPage::TogglePick(HWND list, int row) {
  if (row >= 0 && IsWindowEnabled(list))
    ListView_SetCheckState(list, row, !ListView_GetCheckState(list, row));
}

void LinksPage::ShowHintsIfEmpty() {
  HWND list = Control(kLinksList);
  if (ListView_GetItemCount(list) > 0) return;
  for (unsigned hint = 0; hint < kStringLinksHintCount; ++hint)
    InsertRow(list, ResourceText(Host().Resources(), kStringLinksHintFirst + hint), -1, hint + 1);
}

void LinksPage::DropHints() {
  HWND list = Control(kLinksList);
  for (int row = ListView_GetItemCount(list) - 1; row >= 0; --row) {
    if (IsHintRow(RowData(list, row))) ListView_DeleteItem(list, row);
  }
}

void LinksPage::AddPicked(LinkType type, const std::u16string& text) {
  if (text.empty()) return;
  DropHints();
  HWND list = Control(kLinksList);
  std::u16string shown = text.substr(0, kLinkTextChars);
  InsertRow(list, shown, LinkImageOf(type), LinkRowData(type, 0));
  int width = ListView_GetStringWidth(list, shown.c_str()) + kLinkListImageRoom;
  if (width > ListView_GetColumnWidth(list, 0)) ListView_SetColumnWidth(list, 0, width);
}

// The device's file dialog for documents the notes can link to; a file that does not exist is refused.
void LinksPage::AddFile() {
  if (std::optional<std::u16string> path = ChooseDocument(GetWindow(), kFilePathChars))
    AddPicked(LinkType::File, *path);
}

// The address typed beside the button; with none typed, the text dialog asks for one.
void LinksPage::AddWebAddress() {
  HWND field = Control(kLinksWebAddress);
  std::u16string address = WindowText(field).substr(0, kLinkTextChars);
  if (address.empty()) {
    std::optional<std::u16string> typed =
        PromptForText(GetWindow(), Host().Resources(), kWebPrefix, kLinkTextChars);
    if (!typed || *typed == kWebPrefix) return;
    address = *typed;
  }
  AddPicked(LinkType::Web, address);
  SetWindowTextW(field, u"");
}

void LinksPage::RemoveSelected() {
  HWND list = Control(kLinksList);
  int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  if (row < 0 || IsHintRow(RowData(list, row))) return;
  RemoveListedLink(Host().Links(), list, row);
  ShowHintsIfEmpty();
}

std::vector<ItemOid> LinksPage::Checked(int listId) const {
  std::vector<ItemOid> oids;
  HWND list = Control(listId);
  int count = ListView_GetItemCount(list);
  for (int row = 0; row < count; ++row) {
    if (ListView_GetCheckState(list, row)) oids.push_back(static_cast<ItemOid>(RowData(list, row)));
  }
  return oids;
}

// The additions in the order the person made them: files and web addresses each in its own list.
void LinksPage::CollectRows() {
  HWND list = Control(kLinksList);
  int count = ListView_GetItemCount(list);
  std::array<WCHAR, kLinkTextChars + 1> text{};
  for (int row = 0; row < count; ++row) {
    LPARAM data = RowData(list, row);
    if (!IsPendingRow(data)) continue;
    ListView_GetItemText(list, row, 0, text.data(), static_cast<int>(text.size()));
    auto& target = TypeOf(data) == LinkType::File ? pending_.files : pending_.webAddresses;
    target.emplace_back(text.data());
  }
}

bool LinksPage::Store(CloseAction) {
  pending_ = PendingLinks();
  if (!Enabled() || !context_) return true;
  if (!NeedsLoad() && GetWindow()) {
    pending_.contacts = Checked(kLinksContacts);
    pending_.tasks = Checked(kLinksTasks);
    pending_.appointments = Checked(kLinksAppointments);
    CollectRows();
  }
  ItemOid source = context_->linkWith;
  std::vector<ItemOid>& contacts = pending_.contacts;
  if (source && !linkedWithSource_ && std::find(contacts.begin(), contacts.end(), source) == contacts.end())
    contacts.push_back(source);
  return true;
}

// A failed write keeps the editor open with the additions still on the page, so that the next OK
// tries them again. Once written, the page shows the saved item's links, so that a close another
// page refuses after the save does not write them twice.
bool LinksPage::WriteAfterSave(ItemOid saved) {
  if (pending_.Empty()) return true;
  if (!AddPendingLinks(Host().Links(), saved, pending_)) return false;
  pending_ = PendingLinks();
  linkedWithSource_ = true;
  if (!NeedsLoad() && GetWindow()) Load();
  return true;
}

void LinksPage::Reset(CloseAction) {
  Clear();
  pending_ = PendingLinks();
  linkedWithSource_ = false;
}

INT_PTR LinksPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetUpControls();
  if (message == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case kLinksAddFile:
        AddFile();
        return TRUE;
      case kLinksAddWeb:
        AddWebAddress();
        return TRUE;
      case kLinksRemove:
        RemoveSelected();
        return TRUE;
      default:
        break;
    }
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == static_cast<UINT_PTR>(kLinksPickTabs) && header->code == TCN_SELCHANGE) {
      ShowPickList(TabCtrl_GetCurSel(header->hwndFrom));
      return FALSE;
    }
    if (header->code == LVN_ITEMACTIVATE && header->idFrom != static_cast<UINT_PTR>(kLinksList)) {
      TogglePick(header->hwndFrom, reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
      return FALSE;
    }
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
