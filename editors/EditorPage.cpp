#include "editors/EditorPage.h"

#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "editors/MenuBar.h"
#include "editors/ProjectPicker.h"
#include "editors/TemplateNameDialog.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Formatter.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/shell/Shell.h"
#include "projects/ProjectAdding.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/ItemDescription.h"

namespace calyra {

namespace {

constexpr size_t kDescriptionCapacity = 8192;

// The host's views named in the switch-away question, by the target code the host passes.
constexpr WPARAM kTargetTasks = 201;
constexpr WPARAM kTargetContacts = 301;
constexpr WPARAM kTargetProjects = 601;

unsigned TargetNameString(WPARAM target) {
  if (target < kTargetTasks) return resources::kStringNameCalendar;
  if (target == kTargetTasks) return resources::kStringNameTask;
  if (target == kTargetContacts) return resources::kStringNameContact;
  if (target == kTargetProjects) return resources::kStringNameProject;
  return 0;
}

// The page commands that close the editor, the close action each sets and the message it posts.
struct CloseCommand {
  int command;
  CloseAction action;
  UINT message;
  bool mainPageOnly;
};

constexpr CloseCommand kCloseCommands[] = {
    {resources::kCommandOk, CloseAction::Ok, kMsgCloseEditor, false},
    {resources::kCommandCancel, CloseAction::Cancel, kMsgCloseEditorNow, false},
    {resources::kCommandConvert, CloseAction::Convert, kMsgCloseEditor, true},
    {resources::kCommandDelete, CloseAction::Delete, kMsgCloseEditor, true},
    {resources::kCommandShowInOutlook, CloseAction::ShowInOutlook, kMsgCloseEditor, true},
    {resources::kCommandBeam, CloseAction::SendByInfrared, kMsgCloseEditor, true},
};

// The dialog and each of its controls take the font.
void SetFontOnControls(HWND dialog, HFONT font) {
  auto value = reinterpret_cast<WPARAM>(font);
  SendMessageW(dialog, WM_SETFONT, value, FALSE);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageW(child, WM_SETFONT, value, FALSE);
  }
}

}  // namespace

EditorPage::~EditorPage() {
  DestroyDialog();
}

void EditorPage::DestroyDialog() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

bool EditorPage::Create() {
  if (window_) return true;
  window_ = CreateDialogParamW(TemplateModule(), MAKEINTRESOURCEW(traits_.dialogTemplate),
                               Host().MainWindow(), &EditorPage::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!window_) return false;
  if (HFONT font = Host().PageFont()) SetFontOnControls(window_, font);
  return true;
}

HINSTANCE EditorPage::TemplateModule() const {
  return Host().Resources();
}

void EditorPage::Attach(EditorContext* context, int tabIndex, bool enabled) {
  context_ = context;
  tabIndex_ = tabIndex;
  enabled_ = enabled;
}

HWND EditorPage::Activate(int tabIndex) {
  if (!window_) return nullptr;
  tabIndex_ = tabIndex;
  Host().SetFocusedPage(window_);
  if (needsLoad_) LoadNow();
  ShowWindow(window_, SW_SHOW);
  CreateMenuBar();
  UpdateMenuBar();
  HWND focus = traits_.remembersFocus && lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : FirstControl();
  PostMessageW(window_, kMsgFocusControl, reinterpret_cast<WPARAM>(focus), 0);
  return window_;
}

void EditorPage::LoadNow() {
  Load();
  needsLoad_ = false;
}

void EditorPage::CreateMenuBar() {
  if (menuBar_ && IsWindow(menuBar_)) DestroyWindow(menuBar_);
  menuBar_ = CreateImageMenuBar(window_, Host().Resources(), MenuResource());
}

void EditorPage::Deactivate() {
  if (window_ && traits_.remembersFocus) {
    // Only the page's own controls count: never the menu bar or the tab strip.
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) lastFocus_ = focus;
  }
  if (menuBar_ && IsWindow(menuBar_)) DestroyWindow(menuBar_);
  menuBar_ = nullptr;
  if (window_) ShowWindow(window_, SW_HIDE);
}

void EditorPage::Refocus() {
  if (window_) PostMessageW(window_, kMsgFocusControl, reinterpret_cast<WPARAM>(lastFocus_), 0);
}

void EditorPage::ResetFocus() {
  if (traits_.remembersFocus) lastFocus_ = FirstControl();
}

void EditorPage::UpdateMenuBar() {
  if (!menuBar_) return;
  TBBUTTONINFOW image{};
  image.cbSize = sizeof(image);
  image.dwMask = TBIF_IMAGE;
  image.iImage = resources::kImageCancel;
  SendMessageW(menuBar_, TB_SETBUTTONINFOW, resources::kCommandCancel, reinterpret_cast<LPARAM>(&image));
  image.iImage = resources::kImageOk;
  SendMessageW(menuBar_, TB_SETBUTTONINFOW, resources::kCommandOk, reinterpret_cast<LPARAM>(&image));

  // The spacer grows or shrinks until OK ends two pixels before the input-panel button.
  HWND sipButton = FindWindowW(WC_SIPBUTTON, nullptr);
  if (!sipButton) return;
  RECT sip{};
  GetWindowRect(sipButton, &sip);
  POINT sipLeft{sip.left, sip.top};
  ScreenToClient(menuBar_, &sipLeft);
  RECT spacer{}, cancel{}, ok{};
  SendMessageW(menuBar_, TB_GETRECT, resources::kCommandSpacer, reinterpret_cast<LPARAM>(&spacer));
  SendMessageW(menuBar_, TB_GETRECT, resources::kCommandCancel, reinterpret_cast<LPARAM>(&cancel));
  SendMessageW(menuBar_, TB_GETRECT, resources::kCommandOk, reinterpret_cast<LPARAM>(&ok));
  int width = (cancel.left - spacer.left) + (sipLeft.x - ok.right) - Host().ScaledX(2);
  if (width < 1) {
    LRESULT index = SendMessageW(menuBar_, TB_COMMANDTOINDEX, resources::kCommandSpacer, 0);
    if (index >= 0) SendMessageW(menuBar_, TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
    return;
  }
  TBBUTTONINFOW size{};
  size.cbSize = sizeof(size);
  size.dwMask = TBIF_SIZE;
  size.cx = static_cast<WORD>(width);
  SendMessageW(menuBar_, TB_SETBUTTONINFOW, resources::kCommandSpacer, reinterpret_cast<LPARAM>(&size));
  size.dwMask = TBIF_STATE;
  size.fsState = 0;
  SendMessageW(menuBar_, TB_SETBUTTONINFOW, resources::kCommandSpacer, reinterpret_cast<LPARAM>(&size));
}

HWND EditorPage::FirstControl() const {
  return window_ ? GetNextDlgTabItem(window_, nullptr, FALSE) : nullptr;
}

void EditorPage::FocusControl(HWND control) {
  SetFocus(control && IsWindow(control) ? control : FirstControl());
  switch (traits_.sip) {
    case SipPreference::Down:
      SHSipPreference(window_, SIP_FORCEDOWN);
      break;
    case SipPreference::Up:
      SHSipPreference(window_, SIP_UP);
      break;
    case SipPreference::Unchanged:
      break;
  }
}

void EditorPage::CloseWith(CloseAction action, UINT message) {
  Host().SetCloseAction(action);
  PostMessageW(Host().MainWindow(), message, 0, 0);
}

bool EditorPage::RunEditCommand(int command, HWND fallback) {
  struct EditCommand {
    int command;
    UINT message;
  };
  static constexpr EditCommand kEditCommands[] = {{resources::kCommandPaste, WM_PASTE},
                                                  {resources::kCommandUndo, WM_UNDO},
                                                  {resources::kCommandCopy, WM_COPY},
                                                  {resources::kCommandCut, WM_CUT},
                                                  {resources::kCommandClear, WM_CLEAR}};
  const EditCommand* found = nullptr;
  for (const EditCommand& entry : kEditCommands) {
    if (entry.command == command) found = &entry;
  }
  if (!found && command != resources::kCommandSelectAll) return false;
  HWND target = GetFocus();
  if (!target || !IsChild(window_, target)) target = fallback;
  if (!target || !IsChild(window_, target)) return true;
  if (found) {
    SendMessageW(target, found->message, 0, 0);
  } else {
    SendMessageW(target, EM_SETSEL, 0, -1);
  }
  return true;
}

void EditorPage::CloseAsTemplate(const std::u16string& subject) {
  std::optional<std::u16string> name = AskTemplateName(window_, Host().Resources(), subject);
  if (!name) return;
  context_->templateName = *name;
  CloseWith(CloseAction::Copy, kMsgCloseEditor);
}

// A saved item joins the chosen project at once and the host hears of it as after a save; a new
// item joins it when it is saved, as an item the host made for a project does.
void EditorPage::AddToProject() {
  PimItem* item = context_->item;
  if (!item) return;
  HINSTANCE resources = Host().Resources();
  ItemOid oid = item->oid;
  ProjectAdder add = [this](ItemOid project) {
    context_->project = project;
    return 1;
  };
  const SYSTEMTIME* date = nullptr;
  if (auto* appointment = dynamic_cast<CPIMAppointment*>(item)) date = &appointment->start;
  if (oid != 0) {
    if (!CheckAddable(window_, resources, oid, nullptr)) return;
    add = [this, item, oid, date](ItemOid project) {
      ItemOid added = Host().AddToProject(project, item->Kind(), oid, date);
      if (added)
        PostMessageW(Host().HostWindow(), kNotifyItemSaved, kItemSavedWithResult, static_cast<LPARAM>(added));
      return added != 0 ? 1 : 0;
    };
  }
  PickProjectAndAdd(window_, resources, add, Host().ModalDialogSlot());
}

void EditorPage::AskToSwitchAway(WPARAM target, LPARAM flag) {
  std::optional<EditorKind> editorKind = Host().OpenEditorKind();
  if (!editorKind) return;
  HINSTANCE resources = Host().Resources();
  std::u16string description;
  if (context_->item) {
    description = ItemDescription(context_->item->oid, context_->item->Kind(), kDescriptionCapacity)
                      .value_or(context_->item->DisplayText());
  }
  bool isNew = IsNew(*editorKind);
  std::u16string name = ResourceText(resources, ItemNameString(*editorKind));
  std::u16string question;
  if (flag) {
    unsigned body = isNew ? resources::kStringSwitchAwayNew : resources::kStringSwitchAwayChanged;
    question = platform::FormatText(ResourceText(resources, body), {name, description});
  } else {
    unsigned targetName = TargetNameString(target);
    std::u16string targetText = targetName ? ResourceText(resources, targetName) : std::u16string();
    unsigned body =
        isNew ? resources::kStringSwitchAwayNewToTarget : resources::kStringSwitchAwayChangedToTarget;
    question = platform::FormatText(ResourceText(resources, body), {name, targetText, description});
  }
  std::u16string caption = ResourceText(resources, resources::kStringCaption);
  if (MessageBoxW(window_, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES) {
    CloseWith(CloseAction::ReturnToHost, kMsgCloseEditorNow);
  }
}

// The shared commands: OK and Cancel on every page, the item commands on the main pages.
bool EditorPage::RunCommand(int command) {
  if (command == resources::kCommandAddToProject && traits_.mainPageOf != ItemKind::None) {
    AddToProject();
    return true;
  }
  for (const CloseCommand& entry : kCloseCommands) {
    if (entry.command != command) continue;
    if (entry.mainPageOnly && traits_.mainPageOf == ItemKind::None) return false;
    CloseWith(entry.action, entry.message);
    return true;
  }
  return false;
}

INT_PTR EditorPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgFocusControl:
      FocusControl(reinterpret_cast<HWND>(wParam));
      return TRUE;
    case kMsgHostSwitchAway:
      AskToSwitchAway(wParam, lParam);
      return TRUE;
    case WM_COMMAND:
      return RunCommand(LOWORD(wParam)) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

INT_PTR EditorPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* page = reinterpret_cast<EditorPage*>(lParam);
    page->window_ = window;
    return page->HandleMessage(message, wParam, lParam);
  }
  auto* page = reinterpret_cast<EditorPage*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!page) return FALSE;
  if (message == WM_NCDESTROY) {
    page->window_ = nullptr;
    page->menuBar_ = nullptr;
    return FALSE;
  }
  return page->HandleMessage(message, wParam, lParam);
}

}  // namespace calyra
