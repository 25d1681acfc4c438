#include "host/SummaryWindow.h"

#include <utility>
#include <vector>

#include "editors/CloseAction.h"
#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/OwnResources.h"
#include "platform/text/Formatter.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"

namespace calyra {

namespace {

using Field = std::pair<std::u16string, std::u16string>;

std::u16string DateText(const SYSTEMTIME& date, bool withTime) {
  if (!platform::IsDateSet(date)) return u"None";
  std::u16string text = Component::Process().DateTimeTexts().FormatShortDateFourDigitYear(date);
  if (withTime) text += platform::FormatText(u" %02d:%02d", {date.wHour, date.wMinute});
  return text;
}

std::vector<Field> AppointmentFields(ItemOid oid, const ItemContext& context) {
  CPIMAppointment appointment;
  appointment.oid = oid;
  appointment.openScope = kOpenSeries;
  if (!appointment.Load(context)) return {};
  return {{u"Subject", appointment.subject},
          {u"Location", appointment.location},
          {u"Starts", DateText(appointment.start, !appointment.allDay)},
          {u"Ends", DateText(appointment.end, !appointment.allDay)},
          {u"Reminder", appointment.reminderSet
                            ? platform::FormatText(u"%d minutes", {appointment.reminderMinutes})
                            : u"None"},
          {u"Categories", appointment.categoriesText}};
}

std::vector<Field> TaskFields(ItemOid oid, const ItemContext& context) {
  CPIMTask task;
  task.oid = oid;
  if (!task.Load(context)) return {};
  static constexpr const char16_t* kPriorities[] = {u"High", u"Normal", u"Low"};
  return {{u"Subject", task.subject},
          {u"Starts", DateText(task.start, false)},
          {u"Due", DateText(task.due, false)},
          {u"Priority", task.priority >= 1 && task.priority <= 3 ? kPriorities[task.priority - 1] : u""},
          {u"Complete", task.complete ? u"Yes" : u"No"}};
}

std::vector<Field> ContactFields(ItemOid oid, const ItemContext& context) {
  CPIMContact contact;
  contact.oid = oid;
  if (!contact.Load(context)) return {};
  return {{u"File as", contact.DisplayText()}};
}

}  // namespace

SummaryWindow::~SummaryWindow() = default;

bool SummaryWindow::Create(HWND mainWindow, ItemKind kind, std::unique_ptr<EditRequest> request) {
  mainWindow_ = mainWindow;
  kind_ = kind;
  request_ = std::move(request);
  window_ = CreateDialogParamW(Component::Process().OwnModule(), MAKEINTRESOURCEW(kSummaryDialog), mainWindow,
                               &SummaryWindow::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!window_) return false;
  FillFields();
  ShowWindow(window_, SW_SHOW);
  return true;
}

void SummaryWindow::Destroy() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

void SummaryWindow::FillFields() {
  HWND list = GetDlgItem(window_, kSummaryList);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<LPWSTR>(u"Field");
  ListView_InsertColumn(list, 0, &column);
  column.pszText = const_cast<LPWSTR>(u"Value");
  ListView_InsertColumn(list, 1, &column);
  ItemContext context;
  context.owner = window_;
  context.resources = Component::Process().Resources();
  std::vector<Field> fields;
  switch (kind_) {
    case ItemKind::Appointment:
      fields = AppointmentFields(request_->item, context);
      break;
    case ItemKind::Task:
      fields = TaskFields(request_->item, context);
      break;
    case ItemKind::Contact:
      fields = ContactFields(request_->item, context);
      break;
    default:
      break;
  }
  for (const auto& [name, value] : fields) {
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = ListView_GetItemCount(list);
    row.pszText = const_cast<LPWSTR>(name.c_str());
    int index = ListView_InsertItem(list, &row);
    ListView_SetItemText(list, index, 1, value.c_str());
  }
}

void SummaryWindow::OnCommand(int command) {
  // The buttons of the item commands.
  static constexpr std::pair<int, ItemCommand> kItemCommands[] = {
      {resources::kCommandDelete, ItemCommand::Delete},
      {resources::kCommandConvert, ItemCommand::Convert},
      {resources::kCommandBeam, ItemCommand::SendByInfrared},
      {kSummaryCopy, ItemCommand::Copy},
      {resources::kCommandShowInOutlook, ItemCommand::ShowInOutlook},
  };
  if (command < 3) {
    PostMessageW(mainWindow_, kMsgSummaryClosed, 0, 0);
  } else if (command == kSummaryEdit) {
    PostMessageW(mainWindow_, kMsgSummaryToEditor, 0, 0);
  }
  for (const auto& [id, itemCommand] : kItemCommands) {
    if (command == id) PostMessageW(mainWindow_, kMsgSummaryCommand, ToMessage(itemCommand), 0);
  }
  // The floating link window (kSummaryLinks) is not part of this build yet.
}

INT_PTR SummaryWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    return TRUE;
  }
  auto* self = reinterpret_cast<SummaryWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  switch (message) {
    case WM_COMMAND:
      self->OnCommand(LOWORD(wParam));
      return TRUE;
    case kNotifyOpenItem:
      // An item the content asked to open: the summary closes and the host goes to it.
      PostMessageW(self->mainWindow_, kMsgSummaryOpenItem, wParam, lParam);
      return TRUE;
    case WM_NCDESTROY:
      self->window_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace calyra
