#include "editors/EditorPage.h"

#include "editors/EditorHost.h"
#include "editors/EditorMessages.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Formatter.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/shell/Shell.h"
#include "store/ItemDescription.h"

namespace calyra {

namespace {

constexpr int kPlainMenu = 320;
constexpr int kOkImage = 3;
constexpr int kCancelImage = 4;
constexpr size_t kDescriptionCapacity = 8192;

int ToolbarImageSize(int dpi) {
  return 16 * (dpi + 3) / 96;
}

// The question's names of the open item and of the host's target, by their codes.
UINT ItemNameString(int editorKind) {
  switch (editorKind % 10) {
    case 1:
      return 63504;
    case 2:
      return 63510;
    case 3:
      return 63509;
    case 4:
      return 64936;
    default:
      return 0;
  }
}

UINT TargetNameString(WPARAM target) {
  if (target < 201) return 63624;
  if (target == 201) return 63509;
  if (target == 301) return 63510;
  if (target == 601) return 64936;
  return 0;
}

}  // namespace

EditorPage::~EditorPage() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool EditorPage::Create() {
  if (window_) return true;
  window_ = CreateDialogParamW(TemplateModule(), MAKEINTRESOURCEW(templateId_), Host().MainWindow(),
                               &EditorPage::DialogProc, reinterpret_cast<LPARAM>(this));
  return window_ != nullptr;
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
  HWND focus = RemembersFocus() && lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : FirstControl();
  PostMessageW(window_, kMsgFocusControl, reinterpret_cast<WPARAM>(focus), 0);
  return window_;
}

void EditorPage::LoadNow() {
  Load();
  needsLoad_ = false;
}

void EditorPage::CreateMenuBar() {
  if (menuBar_ && IsWindow(menuBar_)) DestroyWindow(menuBar_);
  SHMENUBARINFO info{};
  info.cbSize = sizeof(info);
  info.hwndParent = window_;
  info.nToolBarId = static_cast<UINT>(MenuResource());
  info.hInstRes = Host().Resources();
  menuBar_ = SHCreateMenuBar(&info) ? info.hwndMB : nullptr;
  if (!menuBar_) return;
  HDC screen = GetDC(nullptr);
  int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  int bitmap = dpiX >= 192 ? kToolbarBitmapLarge : kToolbarBitmap;
  if (CommandBar_AddBitmap(menuBar_, Host().Resources(), bitmap, kToolbarImages, ToolbarImageSize(dpiX),
                           ToolbarImageSize(dpiY)) < 0) {
    CommandBar_AddBitmap(menuBar_, Host().Resources(), kToolbarBitmap, kToolbarImages, 16, 16);
  }
}

void EditorPage::Deactivate() {
  if (window_ && RemembersFocus()) {
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
  if (RemembersFocus()) lastFocus_ = FirstControl();
}

void EditorPage::UpdateMenuBar() {
  if (!menuBar_) return;
  TBBUTTONINFOW image{};
  image.cbSize = sizeof(image);
  image.dwMask = TBIF_IMAGE;
  image.iImage = kCancelImage;
  SendMessageW(menuBar_, TB_SETBUTTONINFOW, kCmdCancel, reinterpret_cast<LPARAM>(&image));
  image.iImage = kOkImage;
  SendMessageW(menuBar_, TB_SETBUTTONINFOW, kCmdOk, reinterpret_cast<LPARAM>(&image));

  // The spacer grows or shrinks until OK ends two pixels before the input-panel button.
  HWND sipButton = FindWindowW(WC_SIPBUTTON, nullptr);
  if (!sipButton) return;
  RECT sip{};
  GetWindowRect(sipButton, &sip);
  POINT sipLeft{sip.left, sip.top};
  ScreenToClient(menuBar_, &sipLeft);
  RECT spacer{}, cancel{}, ok{};
  SendMessageW(menuBar_, TB_GETRECT, kCmdSpacer, reinterpret_cast<LPARAM>(&spacer));
  SendMessageW(menuBar_, TB_GETRECT, kCmdCancel, reinterpret_cast<LPARAM>(&cancel));
  SendMessageW(menuBar_, TB_GETRECT, kCmdOk, reinterpret_cast<LPARAM>(&ok));
  int width = (cancel.left - spacer.left) + (sipLeft.x - ok.right) - Host().ScaledX(2);
  if (width < 1) {
    LRESULT index = SendMessageW(menuBar_, TB_COMMANDTOINDEX, kCmdSpacer, 0);
    if (index >= 0) SendMessageW(menuBar_, TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
    return;
  }
  TBBUTTONINFOW size{};
  size.cbSize = sizeof(size);
  size.dwMask = TBIF_SIZE;
  size.cx = static_cast<WORD>(width);
  SendMessageW(menuBar_, TB_SETBUTTONINFOW, kCmdSpacer, reinterpret_cast<LPARAM>(&size));
  size.dwMask = TBIF_STATE;
  size.fsState = 0;
  SendMessageW(menuBar_, TB_SETBUTTONINFOW, kCmdSpacer, reinterpret_cast<LPARAM>(&size));
}

int EditorPage::MenuResource() const {
  switch (kind_) {
    case PageKind::Appointment:
      return 317;
    case PageKind::Task:
      return 324;
    case PageKind::Contact:
      return 339;
    case PageKind::Notes:
      return 312;
    case PageKind::Categories:
      return enabled_ ? 313 : kPlainMenu;
    case PageKind::Recurrence:
      return enabled_ ? 341 : kPlainMenu;
    case PageKind::ProjectFourth:
      return 370;
    default:
      return kPlainMenu;
  }
}

bool EditorPage::RemembersFocus() const {
  return kind_ == PageKind::Appointment || kind_ == PageKind::Task || kind_ == PageKind::Recurrence ||
         kind_ == PageKind::Project;
}

HWND EditorPage::FirstControl() const {
  return window_ ? GetNextDlgTabItem(window_, nullptr, FALSE) : nullptr;
}

bool EditorPage::IsMainPage() const {
  return kind_ == PageKind::Appointment || kind_ == PageKind::Task || kind_ == PageKind::Contact;
}

void EditorPage::FocusControl(HWND control) {
  SetFocus(control && IsWindow(control) ? control : FirstControl());
  switch (kind_) {
    case PageKind::Categories:
    case PageKind::Links:
    case PageKind::Attendees:
    case PageKind::ProjectContents:
    case PageKind::ProjectThird:
    case PageKind::ProjectFourth:
      SHSipPreference(window_, SIP_FORCEDOWN);
      break;
    case PageKind::Notes:
      SHSipPreference(window_, SIP_UP);
      break;
    default:
      break;
  }
}

void EditorPage::CloseWith(int closeAction, UINT message) {
  Host().SetCloseAction(closeAction);
  PostMessageW(Host().MainWindow(), message, 0, 0);
}

void EditorPage::AskToSwitchAway(WPARAM target, LPARAM flag) {
  int editorKind = Host().OpenEditorKind();
  UINT itemName = ItemNameString(editorKind);
  if (!itemName) return;
  HINSTANCE resources = Host().Resources();
  std::u16string description;
  if (context_->item) {
    description = ItemDescription(context_->item->oid, context_->item->Kind(), kDescriptionCapacity)
                      .value_or(context_->item->DisplayText());
  }
  bool existing = editorKind < 10;
  std::u16string name = ResourceText(resources, itemName);
  std::u16string question;
  if (flag) {
    question = platform::FormatText(ResourceText(resources, existing ? 63622 : 63620), {name, description});
  } else {
    UINT targetName = TargetNameString(target);
    std::u16string targetText = targetName ? ResourceText(resources, targetName) : std::u16string();
    question = platform::FormatText(ResourceText(resources, existing ? 63623 : 63621),
                                    {name, targetText, description});
  }
  std::u16string caption = ResourceText(resources, kCaptionString);
  if (MessageBoxW(window_, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES) {
    CloseWith(kCloseReturnToHost, kMsgCloseEditorNow);
  }
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
      break;
    default:
      return FALSE;
  }
  switch (LOWORD(wParam)) {
    case kCmdOk:
      CloseWith(kCloseOk, kMsgCloseEditor);
      return TRUE;
    case kCmdCancel:
      CloseWith(kCloseCancel, kMsgCloseEditorNow);
      return TRUE;
    default:
      break;
  }
  if (!IsMainPage()) return FALSE;
  switch (LOWORD(wParam)) {
    case kCmdConvert:
      CloseWith(kCloseConvert, kMsgCloseEditor);
      return TRUE;
    case kCmdDelete:
      CloseWith(kCloseDelete, kMsgCloseEditor);
      return TRUE;
    case kCmdShowInOutlook:
      CloseWith(kCloseShowInOutlook, kMsgCloseEditor);
      return TRUE;
    case kCmdSendByInfrared:
      CloseWith(kCloseSendByInfrared, kMsgCloseEditor);
      return TRUE;
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
