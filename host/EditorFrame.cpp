#include "host/EditorFrame.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/MainWindow.h"
#include "host/NewItemDefaults.h"
#include "links/LinkOperations.h"
#include "operations/ItemDeletion.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/Message.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/shell/Shell.h"
#include "projects/Project.h"
#include "projects/ProjectAdding.h"
#include "resources/ResourceIds.h"
#include "store/CPIMContact.h"
#include "store/CPIMTask.h"
#include "templates/TemplateOffer.h"
#include "templates/TemplateWriter.h"
#include "text/CountryTable.h"

namespace calyra {

namespace {

// The pages' controls show the display font at this point size, in the plain style.
constexpr int kPageFontSize = 8;
constexpr int kPlainStyle = 0;

// An appointment whose save gives it a new identity (an occurrence that became an exception of its
// own) takes its links along.
std::unique_ptr<CPIMAppointment> MakeAppointment() {
  auto appointment = std::make_unique<CPIMAppointment>();
  appointment->identityChanged = [](ItemOid from, ItemOid to) {
    TransferLinks(Component::Process().links, from, to);
  };
  return appointment;
}

std::unique_ptr<PimItem> MakeItem(ItemKind kind) {
  switch (kind) {
    case ItemKind::Appointment:
      return MakeAppointment();
    case ItemKind::Contact:
      return std::make_unique<CPIMContact>();
    case ItemKind::Task:
      return std::make_unique<CPIMTask>();
    default:
      return nullptr;
  }
}

}  // namespace

EditorFrame::EditorFrame(calyra::MainWindow& mainWindow, HWND tabs) : mainWindow_(mainWindow), tabs_(tabs) {
  context_.host = this;
}

EditorFrame::~EditorFrame() = default;

bool EditorFrame::IsWindowAlive(HWND window) {
  return IsWindow(window) != FALSE;
}

HINSTANCE EditorFrame::Resources() const {
  return Component::Process().Resources();
}

HWND EditorFrame::MainWindow() const {
  return mainWindow_.Window();
}

HWND EditorFrame::HostWindow() const {
  return Component::Process().hostWindow;
}

int EditorFrame::ScaledX(int size) const {
  return Component::Process().scale.X(size);
}

HFONT EditorFrame::PageFont() const {
  return Component::Process().DisplayFont(kPageFontSize, kPlainStyle);
}

ItemContext EditorFrame::ItemContextFor(HWND owner) const {
  return Component::Process().OperationContextFor(owner).ItemContextFor();
}

// Deletions from the editors and the summary ask as the delete exports do, with the host's last
// confirm option, over the main window.
bool EditorFrame::DeleteItem(ItemKind kind, ItemOid item, const SYSTEMTIME* occurrence) {
  OperationContext context = Component::Process().OperationContextFor(MainWindow());
  bool confirm = Component::Process().Options().ConfirmDeletions();
  switch (kind) {
    case ItemKind::Appointment:
      return DeleteAppointment(context, item, occurrence, confirm) != 0;
    case ItemKind::Task:
      return DeleteTask(context, item, occurrence != nullptr, confirm) != 0;
    case ItemKind::Contact:
      return DeleteContact(context, item, true, nullptr, confirm) != 0;
    default:
      return false;
  }
}

CategoryChangeFlags* EditorFrame::CategoryChanges() {
  return &Component::Process().categoryChanges;
}

HWND* EditorFrame::ModalDialogSlot() {
  return &Component::Process().modalDialog;
}

CalyraNoteOptions EditorFrame::NoteOptions() const {
  CalyraNoteOptions options{};
  Component::Process().Options().GetNoteOptions(&options);
  return options;
}

// Field by field: the pages change the values, not whether the host has given options.
void EditorFrame::SetNoteOptions(const CalyraNoteOptions& options) {
  OptionStore& store = Component::Process().Options();
  store.SetNoteSetting(1, options.setting1);
  store.SetNoteSetting(2, options.setting2);
  store.SetNoteSetting(3, options.setting3);
  store.SetNoteZoom(options.zoom);
  store.SetNoteFlags(options.flags);
  store.SetNoteFontSize(options.fontSize);
  store.SetNoteFontName(platform::TextView(options.fontName, std::size(options.fontName) - 1));
}

HIMAGELIST EditorFrame::ItemIconImage(ItemOid item) const {
  return item ? GetIconLinkImage(Component::Process().links, item) : nullptr;
}

// The link store counts kinds as the item kinds do: 1 appointment, 2 contact, 3 task.
bool EditorFrame::LinkItems(ItemOid item, ItemOid other, int otherKind) {
  return AddLinkToItem(Component::Process().links, item, other, static_cast<ItemKind>(otherKind));
}

bool EditorFrame::SetItemIcon(ItemOid item, const std::u16string& imagePath) {
  return SetIconLink(Component::Process().links, item, imagePath);
}

LinkCache* EditorFrame::Links() {
  return &Component::Process().links;
}

ItemOid EditorFrame::AddToProject(ItemOid project, ItemKind, ItemOid item, const SYSTEMTIME* date) {
  return AddItemToProject2(MainWindow(), Resources(), project, item, date, nullptr) ? project : 0;
}

std::optional<std::u16string> EditorFrame::SelectPhrase(HWND owner, DWORD usage) {
  return Component::Process().SelectPhrase(owner, usage);
}

int EditorFrame::ReminderMinuteOfDay() const {
  const OptionStore& options = Component::Process().Options();
  return options.ReminderHour() * 60 + options.ReminderMinute();
}

std::u16string EditorFrame::AreaCode() const {
  return Component::Process().dialer.AreaCode();
}

std::u16string EditorFrame::CityLine(const std::u16string& country, const std::u16string& city,
                                     const std::u16string& region, const std::u16string& postalCode) const {
  return ComposedCityLine(Component::Process().Countries(), country, city, region, postalCode);
}

EditorPage* EditorFrame::CurrentPage() const {
  return container_ && currentTab_ >= 0 ? container_->Page(static_cast<size_t>(currentTab_)) : nullptr;
}

void EditorFrame::CloseForNewRequest() {
  if (!container_) return;
  Close(CloseAction::Cancel);
  mainWindow_.HideEditor();
}

void EditorFrame::TakeOver(std::unique_ptr<EditRequest> request, EditorKind kind) {
  CloseForNewRequest();
  mainWindow_.ShowInFront();
  if (Open(kind, *request)) {
    ShowWindow(tabs_, SW_SHOW);
  } else {
    Reset();
    mainWindow_.Release();
    PostMessageW(HostWindow(), kNotifyEditorClosed, 0, 0);
  }
}

bool EditorFrame::Open(EditorKind kind, EditRequest& request) {
  ReleaseItems();
  context_ = EditorContext{};
  context_.host = this;
  context_.owner = request.owner;
  editorKind_ = kind;
  bool ready = IsNew(kind) ? PrepareNew(kind, request) : LoadExisting(kind, request);
  if (!ready) return false;
  context_.projectObject = project_.get();
  context_.item = item_.get();
  context_.secondAppointment = secondAppointment_.get();
  container_ = MakePageContainer(kind, context_);
  if (!container_ || !container_->BuildPages(pages_, tabs_)) return false;
  // A new item always starts on its first page; an existing one where the host asked.
  SelectTab(IsNew(kind) ? 0 : std::max(request.startPage, 0));
  return true;
}

bool EditorFrame::LoadExisting(EditorKind kind, EditRequest& request) {
  context_.editValue = request.editValue;
  if (IsProject(kind)) {
    project_ = std::make_unique<Project>();
    return project_->Load(request.item);
  }
  context_.kind = ItemKindOf(kind);
  item_ = MakeItem(context_.kind);
  item_->oid = request.item;
  ItemContext itemContext = ItemContextFor(request.owner);
  auto* appointment = dynamic_cast<CPIMAppointment*>(item_.get());
  if (appointment) {
    if (request.hasFirstDate) appointment->occurrenceDate = request.firstDate;
    appointment->openScope = request.openScope;
    secondAppointment_ = MakeAppointment();
  }
  if (!item_->Load(itemContext)) return false;
  if (appointment) {
    if (appointment->companionFlag && appointment->companionOid) {
      secondAppointment_->oid = appointment->companionOid;
      secondAppointment_->openScope = kOpenNotRecurring;
      if (secondAppointment_->Load(itemContext)) {
        secondAppointment_->reminderMarks.initialised = true;
      } else {
        appointment->companionOid = 0;
      }
    }
    if (appointment->allDay && appointment->meeting) {
      HINSTANCE resources = Resources();
      MessageBoxW(request.owner, ResourceText(resources, resources::kStringAllDayMeeting).c_str(),
                  ResourceText(resources, resources::kStringCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    context_.fullAccess = !appointment->openedOccurrence;
  }
  if (auto* task = dynamic_cast<CPIMTask*>(item_.get())) task->openInEditor = true;
  return true;
}

bool EditorFrame::PrepareNew(EditorKind kind, EditRequest& request) {
  if (IsProject(kind)) {
    project_ = std::make_unique<Project>();
    project_->InitNew();
    return true;
  }
  context_.kind = ItemKindOf(kind);
  context_.project = request.project;
  if (context_.kind != ItemKind::Contact) context_.linkWith = request.linkWith;
  item_ = MakeItem(context_.kind);
  if (context_.kind == ItemKind::Appointment) secondAppointment_ = MakeAppointment();
  TemplateChoice choice = TemplateChoice::NoTemplates;
  if (!request.noTemplate && TemplateCount(context_.kind) > 0) {
    SYSTEMTIME today{};
    GetLocalTime(&today);
    choice = OfferTemplate(ItemContextFor(request.owner), *item_, today);
    if (choice == TemplateChoice::Cancelled) return false;
  }
  context_.templateApplied = choice == TemplateChoice::Applied;
  ApplyNewItemDefaults(request, context_.templateApplied, Component::Process().Options(), *item_);
  return true;
}

// A tab beyond the last page selects nothing: no page shows until the person picks a tab.
void EditorFrame::SelectTab(int index) {
  if (!container_) return;
  currentTab_ = index;
  SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  HWND page = container_->ActivatePage(index);
  focusedPage_ = page;
  if (page) SetFocus(page);
}

void EditorFrame::RefocusCurrentPage() {
  if (container_) container_->RefocusCurrentPage(currentTab_);
}

void EditorFrame::OnTabChanging() {
  if (container_) container_->LeavePage(currentTab_);
}

void EditorFrame::OnTabChanged(int index) {
  if (!container_) return;
  currentTab_ = index;
  focusedPage_ = container_->ActivatePage(index);
}

bool EditorFrame::Close(CloseAction closeAction) {
  if (closeAction != CloseAction::None) closeAction_ = closeAction;
  if (!container_) return false;
  CloseAction action = closeAction_;
  ItemOid following = std::exchange(followingProject_, 0);
  PageContainer::CloseResult result = container_->Close(action);
  if (result != PageContainer::CloseResult::Closed) {
    if (result == PageContainer::CloseResult::RefusedByPage && currentTab_ != 0) {
      container_->LeavePage(currentTab_);
      SelectTab(0);
    } else if (SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0) > 0) {
      SelectTab(currentTab_);
    }
    return false;
  }
  SHSipPreference(context_.owner ? context_.owner : MainWindow(), SIP_FORCEDOWN);
  Reset();
  mainWindow_.Release();
  const PendingReturn& pending = Component::Process().pendingReturn;
  if (action == CloseAction::ReturnToHost) {
    PostMessageW(pending.window, pending.message, pending.wParam, pending.lParam);
  } else if (!following || !OpenFollowingProject(following)) {
    PostMessageW(HostWindow(), kNotifyEditorClosed, 0, 0);
  }
  return true;
}

// The host hears of no close: another editor takes the window at once.
bool EditorFrame::OpenFollowingProject(ItemOid record) {
  auto request = std::make_unique<EditRequest>();
  request->owner = MainWindow();
  request->item = record;
  if (!PostMessageW(MainWindow(), kMsgOpenEditor, ToMessage(EditorKind::EditProject),
                    reinterpret_cast<LPARAM>(request.get()))) {
    return false;
  }
  request.release();
  return true;
}

void EditorFrame::Reset() {
  currentTab_ = -1;
  focusedPage_ = nullptr;
  container_.reset();
  ReleaseItems();
  closeAction_ = CloseAction::None;
  SendMessageW(tabs_, TCM_DELETEALLITEMS, 0, 0);
}

void EditorFrame::ReleaseItems() {
  context_.item = nullptr;
  context_.secondAppointment = nullptr;
  context_.projectObject = nullptr;
  item_.reset();
  secondAppointment_.reset();
  project_.reset();
}

void EditorFrame::DestroyPages() {
  Reset();
  pages_.Clear();
}

bool EditorFrame::RunSummaryCommand(ItemKind kind, const EditRequest& request, ItemCommand command,
                                    const std::u16string& templateName) {
  std::unique_ptr<PimItem> item = MakeItem(kind);
  if (!item) return false;
  item->oid = request.item;
  if (auto* appointment = dynamic_cast<CPIMAppointment*>(item.get()); appointment && request.recurring) {
    appointment->openedOccurrence = true;
    appointment->openScope = kOpenOccurrence;
    appointment->occurrenceDate = request.firstDate;
  }
  if (auto* task = dynamic_cast<CPIMTask*>(item.get()); task && request.recurring) {
    task->occurrenceDates[0] = request.firstDate;
    task->occurrenceDates[1] = request.secondDate;
    task->start = request.firstDate;
    task->due = request.secondDate;
  }
  return RunItemOperation(*item, command, *this, MainWindow(), templateName);
}

bool EditorFrame::ApplyTemplate(HWND owner, PimItem& item, const SYSTEMTIME& day) {
  if (!TemplateCount(item.Kind()) ||
      OfferTemplate(ItemContextFor(owner), item, day) != TemplateChoice::Applied)
    return false;
  context_.templateApplied = true;
  if (container_) container_->ReloadPagesExcept(focusedPage_);
  return true;
}

ItemOid EditorFrame::WriteTemplate(PimItem& item, const std::u16string& name, HWND owner) {
  return TemplateWriter(ItemContextFor(owner)).Write(item, name);
}

}  // namespace calyra
