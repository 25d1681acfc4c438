#include "host/SummaryWindow.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "editors/CloseAction.h"
#include "editors/EditorMessages.h"
#include "editors/ProjectPicker.h"
#include "editors/TemplateNameDialog.h"
#include "host/Component.h"
#include "host/ContactSummaryFields.h"
#include "host/ContactView.h"
#include "host/SummaryFields.h"
#include "lists/VirtualList.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "projects/ProjectAdding.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

using namespace resources;

namespace {

// The display colours: the background, the labels and the values.
constexpr int kBackgroundColor = 0;
constexpr int kLabelColor = 1;
constexpr int kValueColor = 2;

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
    {kCommandAddToProject, kStringSummaryProject},
};

// The list takes the component's display fonts and draws in the component's own module.
lists::ListEnvironment SummaryListEnvironment() {
  Component& component = Component::Process();
  if (!component.scale.Measured()) component.scale.Measure();
  lists::ListEnvironment environment;
  environment.module = component.OwnModule();
  environment.font = [](int size, int style) { return Component::Process().DisplayFont(size, style); };
  environment.dpiX = component.scale.DpiX();
  environment.dpiY = component.scale.DpiY();
  return environment;
}

// The display options' summary font size and colours. A size the cache does not hold comes to its
// nearest end rather than leaving the system font.
lists::ListDisplay SummaryListDisplay() {
  OptionStore& options = Component::Process().Options();
  lists::ListDisplay display;
  display.fontSize =
      std::clamp(static_cast<int>(options.SummaryFontSize()), FontCache::kSmallest, FontCache::kLargest);
  display.colours[lists::kBackgroundColour] = options.DisplayColor(kBackgroundColor);
  display.colours[lists::kTextColour] = options.DisplayColor(kValueColor);
  display.colours[lists::kLabelColour] = options.DisplayColor(kLabelColor);
  return display;
}

}  // namespace

SummaryWindow::SummaryWindow() = default;
SummaryWindow::~SummaryWindow() = default;

bool SummaryWindow::Create(HWND mainWindow, ItemKind kind, std::unique_ptr<EditRequest> request) {
  mainWindow_ = mainWindow;
  kind_ = kind;
  request_ = std::move(request);
  if (!lists::VirtualList::RegisterClasses(SummaryListEnvironment())) return false;
  window_ = CreateDialogParamW(Component::Process().OwnModule(), MAKEINTRESOURCEW(kSummaryDialog), mainWindow,
                               &SummaryWindow::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!window_) return false;
  SetButtonTexts();
  if (kind_ == ItemKind::Contact) {
    contactView_ = std::make_unique<ContactView>(window_, request_->item);
    contactView_->Create();
  }
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
  lists::ListDisplay display = SummaryListDisplay();
  HFONT font = Component::Process().DisplayFont(display.fontSize, lists::ListEnvironment::kPlainStyle);
  for (HWND child = GetWindow(summary, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  lists::VirtualList::SetDisplay(GetDlgItem(summary, kSummaryList), display);
}

void SummaryWindow::SetButtonTexts() {
  // The template's texts stay where the host's module has no text for a button.
  for (const auto& [button, string] : kButtonTexts) {
    std::u16string text = SummaryText(string);
    if (!text.empty()) SetDlgItemTextW(window_, button, text.c_str());
  }
}

void SummaryWindow::FillFields() {
  ItemContext context;
  context.owner = window_;
  context.resources = Component::Process().Resources();
  std::unique_ptr<lists::FieldTable> fields;
  switch (kind_) {
    case ItemKind::Appointment:
      fields = AppointmentSummaryFields(request_->item, context);
      break;
    case ItemKind::Task:
      fields = TaskSummaryFields(request_->item, context);
      break;
    case ItemKind::Contact:
      fields = ContactSummaryFields(request_->item, context);
      break;
    default:
      fields = std::make_unique<lists::FieldTable>();
      break;
  }
  lists::ListEnvironment environment = SummaryListEnvironment();
  HWND list = GetDlgItem(window_, kSummaryList);
  lists::VirtualList::Attach(list, std::move(fields), SummaryListDisplay(), &environment);
  lists::VirtualList::SelectFirst(list);  // the keyboard starts on the first value, not its label
}

void SummaryWindow::OnCommand(int command) {
  // The buttons of the item commands.
  static constexpr std::pair<int, ItemCommand> kItemCommands[] = {
      {resources::kCommandDelete, ItemCommand::Delete},
      {resources::kCommandConvert, ItemCommand::Convert},
      {resources::kCommandBeam, ItemCommand::SendByInfrared},
      {resources::kCommandShowInOutlook, ItemCommand::ShowInOutlook},
  };
  if (command == kSummaryCopy) {
    SaveAsTemplate();
    return;
  }
  if (command == kCommandAddToProject) {
    AddToProject();
    return;
  }
  if (command < 3) {
    PostMessageW(mainWindow_, kMsgSummaryClosed, 0, 0);
  } else if (command == kSummaryEdit) {
    PostMessageW(mainWindow_, kMsgSummaryToEditor, 0, 0);
  }
  for (const auto& [id, itemCommand] : kItemCommands) {
    if (command == id) PostMessageW(mainWindow_, kMsgSummaryCommand, ToMessage(itemCommand), 0);
  }
  // The floating link window belongs to the host: it stays when the summary closes.
  Component& component = Component::Process();
  if (command == kSummaryLinks) component.floatingLinks.Open(component.hostWindow, request_->item);
}

// The summary stays open; the host hears of the project the item joined as after a save.
void SummaryWindow::AddToProject() {
  Component& component = Component::Process();
  HINSTANCE resources = component.Resources();
  ItemOid item = request_->item;
  if (!CheckAddable(window_, resources, item, nullptr)) return;
  const SYSTEMTIME* date = request_->hasFirstDate ? &request_->firstDate : nullptr;
  auto add = [&](ItemOid project) {
    return AddItemToProject2(window_, resources, project, item, date, nullptr);
  };
  if (ItemOid project = PickProjectAndAdd(window_, resources, add, &component.modalDialog)) {
    PostMessageW(component.hostWindow, kNotifyItemSaved, kItemSavedWithResult, static_cast<LPARAM>(project));
  }
}

// The template's name is asked for first; only a name the person confirms makes the copy.
void SummaryWindow::SaveAsTemplate() {
  ItemContext context;
  context.owner = window_;
  context.resources = Component::Process().Resources();
  std::u16string offered = SummaryItemName(kind_, request_->item, context);
  std::optional<std::u16string> name = AskTemplateName(window_, context.resources, offered);
  if (!name) return;
  templateName_ = *name;
  PostMessageW(mainWindow_, kMsgSummaryCommand, ToMessage(ItemCommand::Copy), 0);
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
      if (!self->contactView_ || !self->contactView_->OnCommand(LOWORD(wParam)))
        self->OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      return self->contactView_ && lParam && self->contactView_->OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case kNotifyOpenItem:
      // An item the content asked to open: the summary closes and the host goes to it.
      PostMessageW(self->mainWindow_, kMsgSummaryOpenItem, wParam, lParam);
      return TRUE;
    case WM_NCDESTROY:
      self->window_ = nullptr;
      return FALSE;
    default:
      // The photo program's announcement, forwarded by the host: the contact view shows the new photo.
      if (message != 0 && message == Component::Process().photoChangeMessage && self->contactView_) {
        self->contactView_->ReloadPhoto();
        return TRUE;
      }
      return FALSE;
  }
}

}  // namespace calyra
