#include "host/SummaryWindow.h"

#include <algorithm>
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

using namespace resources;

namespace {

using Field = std::pair<std::u16string, std::u16string>;

// The display colours of the list: the labels of the first column, and the values.
constexpr int kLabelColor = 1;
constexpr int kValueColor = 2;
constexpr int kPlainStyle = 0;

// The buttons of the dialog and the strings they show.
constexpr std::pair<int, UINT> kButtonTexts[] = {
    {IDOK, kStringSummaryOk},
    {kSummaryEdit, kStringSummaryEdit},
    {kCommandDelete, kStringSummaryDelete},
    {kCommandConvert, kStringSummaryConvert},
    {kCommandShowInOutlook, kStringSummaryOutlook},
    {kCommandBeam, kStringSummaryBeam},
    {kSummaryCopy, kStringSummaryCopy},
    {kSummaryLinks, kStringSummaryLinks},
};

std::u16string Text(UINT id) {
  return ResourceText(Component::Process().Resources(), id);
}

std::u16string DateText(const SYSTEMTIME& date, bool withTime) {
  if (!platform::IsDateSet(date)) return Text(kStringSummaryNone);
  std::u16string text = Component::Process().DateTimeTexts().FormatShortDateFourDigitYear(date);
  if (withTime) text += platform::FormatText(u" %02d:%02d", {date.wHour, date.wMinute});
  return text;
}

std::u16string ReminderText(const CPIMAppointment& appointment) {
  if (!appointment.reminderSet) return Text(kStringSummaryNone);
  if (appointment.reminderMinutes == 1) return Text(kStringSummaryOneMinute);
  return platform::FormatText(Text(kStringSummaryMinutes), {appointment.reminderMinutes});
}

std::u16string PriorityText(int priority) {
  static constexpr UINT kPriorities[] = {kStringSummaryPriorityHigh, kStringSummaryPriorityNormal,
                                         kStringSummaryPriorityLow};
  return priority >= 1 && priority <= 3 ? Text(kPriorities[priority - 1]) : std::u16string();
}

std::vector<Field> AppointmentFields(ItemOid oid, const ItemContext& context) {
  CPIMAppointment appointment;
  appointment.oid = oid;
  appointment.openScope = kOpenSeries;
  if (!appointment.Load(context)) return {};
  return {{Text(kStringSummarySubject), appointment.subject},
          {Text(kStringSummaryLocation), appointment.location},
          {Text(kStringSummaryStarts), DateText(appointment.start, !appointment.allDay)},
          {Text(kStringSummaryEnds), DateText(appointment.end, !appointment.allDay)},
          {Text(kStringSummaryReminder), ReminderText(appointment)},
          {Text(kStringSummaryCategories), appointment.categoriesText}};
}

std::vector<Field> TaskFields(ItemOid oid, const ItemContext& context) {
  CPIMTask task;
  task.oid = oid;
  if (!task.Load(context)) return {};
  return {{Text(kStringSummarySubject), task.subject},
          {Text(kStringSummaryStarts), DateText(task.start, false)},
          {Text(kStringSummaryDue), DateText(task.due, false)},
          {Text(kStringSummaryPriority), PriorityText(task.priority)},
          {Text(kStringSummaryComplete), Text(task.complete ? kStringSummaryYes : kStringSummaryNo)}};
}

std::vector<Field> ContactFields(ItemOid oid, const ItemContext& context) {
  CPIMContact contact;
  contact.oid = oid;
  if (!contact.Load(context)) return {};
  return {{Text(kStringSummaryFileAs), contact.DisplayText()}};
}

void InsertColumn(HWND list, int index, const std::u16string& text) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<LPWSTR>(text.c_str());
  ListView_InsertColumn(list, index, &column);
}

// The list draws each label in the label colour and each value in the value colour, as the display
// options stand when it is drawn.
LRESULT CustomDrawList(NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      draw.clrText =
          Component::Process().Options().DisplayColor(draw.iSubItem == 0 ? kLabelColor : kValueColor);
      return CDRF_DODEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
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
  SetButtonTexts();
  ApplyDisplayOptions(window_);
  FillFields();
  ShowWindow(window_, SW_SHOW);
  return true;
}

void SummaryWindow::Destroy() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

void SummaryWindow::ApplyDisplayOptions(HWND summary) {
  if (!summary || !IsWindow(summary)) return;
  Component& component = Component::Process();
  // A size the cache does not hold comes to its nearest end rather than leaving the system font.
  int size = std::clamp(static_cast<int>(component.Options().SummaryFontSize()), FontCache::kSmallest,
                        FontCache::kLargest);
  HFONT font = component.DisplayFont(size, kPlainStyle);
  for (HWND child = GetWindow(summary, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  HWND list = GetDlgItem(summary, kSummaryList);
  ListView_SetTextColor(list, component.Options().DisplayColor(kValueColor));
  InvalidateRect(list, nullptr, TRUE);
}

void SummaryWindow::SetButtonTexts() {
  // The template's texts stay where the host's module has no text for a button.
  for (const auto& [button, string] : kButtonTexts) {
    std::u16string text = Text(string);
    if (!text.empty()) SetDlgItemTextW(window_, button, text.c_str());
  }
}

void SummaryWindow::FillFields() {
  HWND list = GetDlgItem(window_, kSummaryList);
  InsertColumn(list, 0, Text(kStringSummaryFieldColumn));
  InsertColumn(list, 1, Text(kStringSummaryValueColumn));
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
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (!header || header->idFrom != kSummaryList || header->code != NM_CUSTOMDRAW) return FALSE;
      SetWindowLongPtrW(window, DWLP_MSGRESULT, CustomDrawList(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)));
      return TRUE;
    }
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
