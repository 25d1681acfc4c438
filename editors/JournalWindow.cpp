#include "editors/JournalWindow.h"

#include <algorithm>
#include <tuple>

#include "editors/EditorMessages.h"
#include "platform/text/Formatter.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

using namespace resources;

constexpr int kWhenColumn = 0;
constexpr int kTextColumn = 1;
constexpr DWORD kViewDate = 0;
constexpr DWORD kViewTime = 1;
constexpr DWORD kViewDateAndTime = 2;
constexpr unsigned kViewChoices[] = {kStringJournalViewDate, kStringJournalViewTime,
                                     kStringJournalViewDateTime};

auto TimeKey(const SYSTEMTIME& time) {
  return std::tie(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                  time.wMilliseconds);
}

}  // namespace

JournalWindow::JournalWindow(std::u16string path, JournalWindowState state, EntryPrompt askEntry)
    : path_(std::move(path)),
      view_(state.view <= kViewDateAndTime ? state.view : kViewDate),
      ascending_(state.sortAscending != 0),
      askEntry_(std::move(askEntry)) {}

// By time, oldest or newest first. Of rows with one time the one written later counts as the newer, so
// the newest-first order is the oldest-first order turned round, however often the order changes.
bool JournalWindow::Before(const Row& a, const Row& b, bool ascending) {
  auto first = std::tuple_cat(TimeKey(a.entry.time), std::tie(a.written));
  auto second = std::tuple_cat(TimeKey(b.entry.time), std::tie(b.written));
  return ascending ? first < second : second < first;
}

void JournalWindow::SortRows() {
  std::sort(rows_.begin(), rows_.end(),
            [this](const Row& a, const Row& b) { return Before(a, b, ascending_); });
}

std::optional<JournalWindowState> JournalWindow::Show(HWND owner, HINSTANCE resources, HWND* modalSlot) {
  std::optional<std::vector<JournalEntry>> entries = JournalFile(path_).LoadAll();
  if (!entries) return std::nullopt;
  rows_.clear();
  rows_.reserve(entries->size());
  for (JournalEntry& entry : *entries) rows_.push_back(Row{std::move(entry), nextWritten_++});
  SortRows();
  modalSlot_ = modalSlot;
  HWND previous = modalSlot ? *modalSlot : nullptr;
  Run(resources, kDialogJournal, owner);
  if (modalSlot) *modalSlot = previous;
  if (!shown_) return std::nullopt;
  return JournalWindowState{view_, ascending_ ? 1u : 0u};
}

HWND JournalWindow::List() const {
  return Item(kJournalList);
}

void JournalWindow::Init() {
  shown_ = true;
  if (modalSlot_) *modalSlot_ = Window();
  ListView_SetExtendedListViewStyle(List(), LVS_EX_FULLROWSELECT);
  RECT client{};
  GetClientRect(List(), &client);
  int whenWidth = static_cast<int>(client.right) / 3;
  AddColumn(kWhenColumn, kStringJournalViewDateTime, whenWidth);
  AddColumn(kTextColumn, kStringJournalEntryColumn, static_cast<int>(client.right) - whenWidth);
  FillViewChoice();
  for (size_t index = 0; index < rows_.size(); ++index) InsertRow(index);
}

void JournalWindow::AddColumn(int index, unsigned title, int width) {
  std::u16string text = ResourceText(Resources(), title);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = width;
  column.pszText = text.data();
  ListView_InsertColumn(List(), index, &column);
}

void JournalWindow::FillViewChoice() {
  HWND choice = Item(kJournalView);
  for (unsigned id : kViewChoices) {
    std::u16string text = ResourceText(Resources(), id);
    SendMessageW(choice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(choice, CB_SETCURSEL, view_, 0);
}

void JournalWindow::ChooseView() {
  auto chosen = static_cast<int>(SendMessageW(Item(kJournalView), CB_GETCURSEL, 0, 0));
  if (chosen < 0 || chosen > static_cast<int>(kViewDateAndTime)) return;
  view_ = static_cast<DWORD>(chosen);
  ShowWhen();
}

std::u16string JournalWindow::WhenText(const JournalEntry& entry) const {
  switch (view_) {
    case kViewTime:
      return texts_.Time(entry.time);
    case kViewDateAndTime:
      return texts_.DateAndTime(entry.time);
    default:
      return texts_.Date(entry.time);
  }
}

// Row `index` of the list shows rows_[index].
void JournalWindow::InsertRow(size_t index) {
  std::u16string when = WhenText(rows_[index].entry);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(index);
  item.pszText = when.data();
  int row = ListView_InsertItem(List(), &item);
  ListView_SetItemText(List(), row, kTextColumn, rows_[index].entry.text.c_str());
}

void JournalWindow::ShowWhen() {
  for (size_t index = 0; index < rows_.size(); ++index)
    ListView_SetItemText(List(), static_cast<int>(index), kWhenColumn, WhenText(rows_[index].entry).c_str());
}

void JournalWindow::Sort(bool ascending) {
  ascending_ = ascending;
  SortRows();
  ListView_DeleteAllItems(List());
  for (size_t index = 0; index < rows_.size(); ++index) InsertRow(index);
}

// The new row goes where the order puts it, as the newest of the rows of its time.
void JournalWindow::Add() {
  if (!askEntry_) return;
  std::optional<JournalEntry> entry = askEntry_(Window());
  if (!entry) return;
  Row row{std::move(*entry), nextWritten_++};
  auto at = std::upper_bound(rows_.begin(), rows_.end(), row,
                             [this](const Row& a, const Row& b) { return Before(a, b, ascending_); });
  auto index = static_cast<size_t>(at - rows_.begin());
  rows_.insert(at, std::move(row));
  InsertRow(index);
  ListView_SetItemState(List(), static_cast<int>(index), LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(List(), static_cast<int>(index), FALSE);
  changed_ = true;
}

void JournalWindow::DeleteSelected() {
  int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
  rows_.erase(rows_.begin() + row);
  ListView_DeleteItem(List(), row);
  changed_ = true;
}

void JournalWindow::ClearAll() {
  if (rows_.empty()) return;
  rows_.clear();
  ListView_DeleteAllItems(List());
  changed_ = true;
}

// The export writes the file's entries as they are stored; rows added or deleted here join it
// only after OK.
void JournalWindow::Export() {
  std::optional<std::u16string> written = JournalFile(path_).ExportText();
  if (!written) return;
  std::u16string text = platform::FormatText(ResourceText(Resources(), kStringJournalExported), {*written});
  std::u16string caption = ResourceText(Resources(), kStringCaption);
  MessageBoxW(Window(), text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

void JournalWindow::Accept() {
  if (changed_) {
    std::vector<JournalEntry> entries;
    entries.reserve(rows_.size());
    for (const Row& row : rows_) entries.push_back(row.entry);
    JournalFile(path_).Rewrite(entries);
  }
  EndDialog(Window(), IDOK);
}

bool JournalWindow::Command(int id, WORD code) {
  switch (id) {
    case kJournalView:
      if (code == CBN_SELCHANGE) ChooseView();
      return true;
    case kJournalSortAscending:
    case kJournalSortDescending:
      Sort(id == kJournalSortAscending);
      return true;
    case kJournalAdd:
      Add();
      return true;
    case kJournalDelete:
      DeleteSelected();
      return true;
    case kJournalDeleteAll:
      ClearAll();
      return true;
    case kJournalExport:
      Export();
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

INT_PTR JournalWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Init();
      return TRUE;
    case WM_COMMAND:
      return Command(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case kMsgModalSwitchAway:
      EndDialog(Window(), -1);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace calyra
