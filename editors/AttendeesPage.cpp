#include "editors/AttendeesPage.h"

#include <algorithm>

#include "editors/ContactList.h"
#include "editors/EditorHost.h"
#include "platform/text/Text.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

std::u16string Cut(std::u16string text) {
  if (text.size() > CPIMAppointment::kAttendeeTextCapacity)
    text.resize(CPIMAppointment::kAttendeeTextCapacity);
  return text;
}

// A contact stands for an attendee invited at the same address; one without an address, by its name.
bool SamePerson(const Attendee& attendee, const ContactSummary& contact) {
  if (!attendee.email.empty()) return platform::EqualsNoCase(attendee.email, contact.email);
  return platform::EqualsNoCase(attendee.name, contact.fileAs);
}

}  // namespace

CPIMAppointment* AttendeesPage::Appointment() const {
  return context_ ? dynamic_cast<CPIMAppointment*>(context_->item) : nullptr;
}

HWND AttendeesPage::List() const {
  return GetDlgItem(GetWindow(), resources::kAttendeesList);
}

void AttendeesPage::AddColumns() {
  HWND list = List();
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  RECT client{};
  GetClientRect(list, &client);
  int nameWidth = static_cast<int>(client.right) * 55 / 100;
  const std::pair<unsigned, int> columns[] = {{resources::kStringColumnName, nameWidth},
                                              {resources::kStringColumnEmail, client.right - nameWidth}};
  int index = 0;
  for (const auto& [title, width] : columns) {
    std::u16string text = ResourceText(Host().Resources(), title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = text.data();
    ListView_InsertColumn(list, index++, &column);
  }
}

void AttendeesPage::Load() {
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  Clear();
  CPIMAppointment* appointment = Appointment();
  Fill(appointment ? appointment->attendees : std::vector<Attendee>());
  EnableWindow(List(), Enabled());
  SetCursor(previous);
}

// The contacts in FileAs order, each checked when it stands for an attendee; then the attendees that
// no contact stands for.
void AttendeesPage::Fill(const std::vector<Attendee>& loaded) {
  quiet_ = true;
  std::vector<bool> placed(loaded.size(), false);
  for (const ContactSummary& contact : ReadContacts()) {
    Attendee shown{Cut(contact.fileAs), Cut(contact.email)};
    Row row{shown, -1};
    for (size_t i = 0; i < loaded.size(); ++i) {
      if (placed[i] || !SamePerson(loaded[i], contact)) continue;
      placed[i] = true;
      row = Row{loaded[i], static_cast<int>(i)};
      break;
    }
    AddRow(row, shown, row.loadedIndex >= 0);
  }
  for (size_t i = 0; i < loaded.size(); ++i) {
    if (!placed[i]) AddRow(Row{loaded[i], static_cast<int>(i)}, loaded[i], true);
  }
  quiet_ = false;
}

void AttendeesPage::AddRow(Row row, const Attendee& shown, bool checked) {
  HWND list = List();
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
  item.iItem = ListView_GetItemCount(list);
  item.pszText = const_cast<LPWSTR>(shown.name.c_str());
  item.lParam = static_cast<LPARAM>(rows_.size());
  item.state = checked ? kChecked : kUnchecked;
  item.stateMask = LVIS_STATEIMAGEMASK;
  int index = ListView_InsertItem(list, &item);
  ListView_SetItemText(list, index, 1, shown.email.c_str());
  rows_.push_back(std::move(row));
  if (checked) ++checkedCount_;
}

void AttendeesPage::Clear() {
  quiet_ = true;
  ListView_DeleteAllItems(List());
  quiet_ = false;
  rows_.clear();
  checkedCount_ = 0;
}

bool AttendeesPage::IsChecked(int index) const {
  return ListView_GetItemState(List(), index, LVIS_STATEIMAGEMASK) == kChecked;
}

// The first attendee of an all-day event is refused and the check undone; otherwise the count moves
// and the meeting mark follows it.
void AttendeesPage::CheckChanged(int index, bool checked) {
  CPIMAppointment* appointment = Appointment();
  if (!appointment) return;
  if (checked && checkedCount_ == 0 && appointment->allDay) {
    HINSTANCE resources = Host().Resources();
    MessageBoxW(GetWindow(), ResourceText(resources, resources::kStringAllDayAttendee).c_str(),
                ResourceText(resources, resources::kStringCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
    quiet_ = true;
    ListView_SetCheckState(List(), index, FALSE);
    quiet_ = false;
    return;
  }
  checkedCount_ = checked ? checkedCount_ + 1 : std::max(0, checkedCount_ - 1);
  appointment->meeting = checkedCount_ > 0;
}

// The attendees loaded that are still checked keep their order; newly checked rows follow in list
// order. So an unchanged page gives back the very list it was loaded with.
std::vector<Attendee> AttendeesPage::CheckedAttendees() const {
  HWND list = List();
  int count = ListView_GetItemCount(list);
  std::vector<const Row*> kept;
  std::vector<const Row*> added;
  for (int index = 0; index < count; ++index) {
    if (!IsChecked(index)) continue;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    ListView_GetItem(list, &item);
    const Row& row = rows_.at(static_cast<size_t>(item.lParam));
    (row.loadedIndex >= 0 ? kept : added).push_back(&row);
  }
  std::stable_sort(kept.begin(), kept.end(),
                   [](const Row* a, const Row* b) { return a->loadedIndex < b->loadedIndex; });
  std::vector<Attendee> attendees;
  for (const auto* group : {&kept, &added}) {
    for (const Row* row : *group) attendees.push_back(row->attendee);
  }
  return attendees;
}

bool AttendeesPage::Store(CloseAction) {
  CPIMAppointment* appointment = Appointment();
  if (NeedsLoad() || !appointment) return true;
  std::vector<Attendee> attendees = CheckedAttendees();
  if (attendees != appointment->attendees) {
    appointment->attendees = std::move(attendees);
    appointment->attendeesChanged = true;
  }
  return true;
}

void AttendeesPage::Reset(CloseAction) {
  Clear();
}

INT_PTR AttendeesPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) AddColumns();
  if (message == WM_NOTIFY && wParam == static_cast<WPARAM>(resources::kAttendeesList)) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (change->hdr.code == LVN_ITEMCHANGED && !quiet_ && (change->uChanged & LVIF_STATE)) {
      UINT before = change->uOldState & LVIS_STATEIMAGEMASK;
      UINT after = change->uNewState & LVIS_STATEIMAGEMASK;
      if (before != after && before && after) CheckChanged(change->iItem, after == kChecked);
    }
    return FALSE;
  }
  return EditorPage::HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
