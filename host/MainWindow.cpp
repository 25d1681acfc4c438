#include "host/MainWindow.h"

#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/SummaryWindow.h"
#include "platform/gdi/ImageList.h"
#include "platform/process/Processes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

constexpr UINT kClassStyle = 3;  // redraw on horizontal and vertical size changes
constexpr DWORD kMainExStyle = 0xC0000000;
constexpr DWORD kTabsExStyle = 0x00000001;
constexpr DWORD kTabsStyle = WS_CHILD | TCS_BOTTOM | WS_BORDER | WS_GROUP | WS_TABSTOP;
constexpr UINT kTabSetExtendedStyle = 0x1334;
constexpr UINT kSetControlVersion = 0x2007;
constexpr WPARAM kControlVersion = 524;
constexpr int kHighDpi = 192;
constexpr int kTabImageCount = 12;
constexpr UINT kSipSettingChange = SPI_SETSIPINFO;

bool SipUp(const SIPINFO& sip) {
  return (sip.fdwFlags & SIPF_ON) != 0;
}

std::u16string Caption() {
  return ResourceText(Component::Process().Resources(), resources::kStringCaption);
}

void PostToHost(UINT message, WPARAM wParam, LPARAM lParam) {
  PostMessageW(Component::Process().hostWindow, message, wParam, lParam);
}

}  // namespace

MainWindow::MainWindow() = default;
// The windows are gone with their process; only Destroy tears them down while it runs.
MainWindow::~MainWindow() = default;

bool MainWindow::Create(HWND host, const RECT& area) {
  Component& component = Component::Process();
  WNDCLASSW windowClass{};
  windowClass.style = kClassStyle;
  windowClass.lpfnWndProc = &MainWindow::WindowProc;
  windowClass.hInstance = component.OwnModule();
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassW(&windowClass) && !GetClassInfoW(component.OwnModule(), kClassName, &windowClass)) {
    return false;
  }
  window_ = CreateWindowExW(kMainExStyle, kClassName, kClassName, WS_POPUP, 0, 0, area.right - area.left,
                            area.bottom - area.top, host, nullptr, component.OwnModule(), this);
  if (!window_) return false;
  SHSetNavBarText(window_, Caption().c_str());
  if (!CreateTabs()) return false;
  frame_ = std::make_unique<EditorFrame>(*this, tabs_);
  ReadSipState();
  LayOut(nullptr);
  return true;
}

bool MainWindow::CreateTabs() {
  Component& component = Component::Process();
  const ScreenScale& scale = component.scale;
  RECT area{};
  GetWindowRect(window_, &area);
  SIZE screen = platform::ScreenSize();
  tabs_ = CreateWindowExW(kTabsExStyle, WC_TABCONTROLW, kTabsName, kTabsStyle, scale.NegativeOnePixel(),
                          area.bottom - scale.Y(24), screen.cx + scale.X(8), scale.Y(25), window_, nullptr,
                          component.OwnModule(), nullptr);
  if (!tabs_) return false;
  SendMessageW(tabs_, kTabSetExtendedStyle, 0, 1);
  SendMessageW(tabs_, kSetControlVersion, kControlVersion, 0);
  bool large = scale.DpiX() >= kHighDpi;
  int width = large ? scale.X(kTabImageWidth) : kTabImageWidth;
  HBITMAP strip = LoadBitmapW(component.Resources(),
                              MAKEINTRESOURCEW(large ? resources::kBitmapTabsLarge : resources::kBitmapTabs));
  if (strip) {
    BITMAP shape{};
    GetObjectW(strip, sizeof(shape), &shape);
    tabImages_ = ImageList_Create(width, shape.bmHeight, ILC_COLOR | ILC_MASK, kTabImageCount, 0);
    ImageList_AddMasked(tabImages_, strip, kTabImageMask);
    DeleteObject(strip);
    SendMessageW(tabs_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(tabImages_));
  }
  return true;
}

void MainWindow::Destroy() {
  CloseSummary();
  if (frame_) frame_->DestroyPages();
  if (tabs_) DestroyWindow(tabs_);
  if (tabImages_) ImageList_Destroy(tabImages_);
  if (window_) DestroyWindow(window_);
  frame_.reset();
  tabs_ = window_ = nullptr;
  tabImages_ = nullptr;
}

bool MainWindow::SummaryOpen() const {
  return summary_ && summary_->Window();
}

HWND MainWindow::SummaryHandle() const {
  return summary_ ? summary_->Window() : nullptr;
}

void MainWindow::ShowInFront() {
  ShowWindow(window_, SW_SHOW);
  BringWindowToTop(window_);
  SetForegroundWindow(window_);
}

void MainWindow::HideEditor() {
  ShowWindow(tabs_, SW_HIDE);
  ShowWindow(window_, SW_HIDE);
}

void MainWindow::Release() {
  HideEditor();
  Component::Process().openItems.SetOwn(0);
}

void MainWindow::ReadSipState() {
  sip_ = SIPINFO{};
  sip_.cbSize = sizeof(sip_);
  SHSipInfo(SPI_GETSIPINFO, 0, &sip_, 0);
}

// The window fills what the input panel leaves; the tab strip sits at its bottom and the page above.
void MainWindow::LayOut(HWND page) {
  const ScreenScale& scale = Component::Process().scale;
  RECT visible = sip_.rcVisibleDesktop;
  if (!SipUp(sip_)) visible.bottom -= scale.Y(26);
  MoveWindow(window_, visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top,
             TRUE);
  PlaceTabs();
  if (page && IsWindow(page)) {
    PlacePage(page);
    ShowWindow(page, SW_SHOW);
  }
}

void MainWindow::PlacePage(HWND page) {
  const ScreenScale& scale = Component::Process().scale;
  RECT area{};
  GetClientRect(window_, &area);
  MoveWindow(page, 0, 0, area.right, area.bottom - scale.Y(23) + scale.NegativeOnePixel(), TRUE);
}

void MainWindow::PlaceTabs() {
  const ScreenScale& scale = Component::Process().scale;
  RECT area{};
  GetClientRect(window_, &area);
  SIZE screen = platform::ScreenSize();
  SetWindowPos(tabs_, nullptr, scale.NegativeOnePixel(), area.bottom - scale.Y(24), screen.cx + scale.X(8),
               scale.Y(25), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Open(EditorKind kind, std::unique_ptr<EditRequest> request) {
  SHSetNavBarText(window_, Caption().c_str());
  Component& component = Component::Process();
  if (int other = component.openItems.OpenElsewhere(request->item)) {
    // The other program comes to the front with the item it has open; nothing opens here.
    if (const char16_t* program = OpenItemTable::ProgramOf(other)) {
      char16_t noArguments[] = u"";
      CreateProcessW(program, noArguments, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, nullptr);
    }
    return;
  }
  // The editor this request replaces gives up its slot before the new item takes it.
  CloseSummary();
  frame_->CloseForNewRequest();
  if (request->item) component.openItems.SetOwn(request->item);
  if (request->summary) {
    if (IsNew(kind) || IsProject(kind)) return;
    ShowInFront();
    summary_ = std::make_unique<SummaryWindow>();
    summary_->Create(window_, ItemKindOf(kind), std::move(request));
    return;
  }
  frame_->TakeOver(std::move(request), kind);
}

void MainWindow::CloseSummary() {
  if (!summary_) return;
  if (Component::Process().modalDialog && summary_->Window()) {
    SendMessageW(summary_->Window(), kMsgSummaryClosing, 0, 0);
  }
  summary_->Destroy();
  summary_.reset();
}

void MainWindow::OnSummaryMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!summary_) return;
  switch (message) {
    case kMsgSummaryToEditor: {
      std::optional<EditorKind> kind = EditorFor(summary_->Kind(), false);
      std::unique_ptr<EditRequest> request = summary_->TakeRequest();
      CloseSummary();
      if (!kind) return;
      request->summary = false;
      frame_->TakeOver(std::move(request), *kind);
      return;
    }
    case kMsgSummaryCommand: {
      std::optional<ItemCommand> command = ItemCommandFromMessage(wParam);
      if (!command || !frame_->RunSummaryCommand(summary_->Kind(), summary_->Request(), *command,
                                                 summary_->TemplateName()))
        return;
      break;
    }
    default:
      break;
  }
  CloseSummary();
  Release();
  PostToHost(kNotifyEditorClosed, 0, 0);
  if (message == kMsgSummaryOpenItem) PostToHost(kNotifyOpenItem, wParam, lParam);
}

int MainWindow::IsEditorActive(int flag, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Component& component = Component::Process();
  if (SummaryOpen()) {
    CloseSummary();
    Release();
    return 0;
  }
  if (HWND page = frame_->FocusedPage()) {
    component.pendingReturn = PendingReturn{window, message, wParam, lParam};
    SetForegroundWindow(window_);
    frame_->RefocusCurrentPage();
    PostMessageW(page, kMsgHostSwitchAway, wParam, static_cast<LPARAM>(flag));
    return 1;
  }
  if (flag && component.floatingLinks.IsOpen()) component.floatingLinks.Close();
  if (component.modalDialog && IsWindow(component.modalDialog)) {
    SetForegroundWindow(component.modalDialog);
    PostMessageW(component.modalDialog, kMsgModalSwitchAway, wParam, static_cast<LPARAM>(flag));
    return 1;
  }
  return 0;
}

int MainWindow::HandleActivation(UINT activation) {
  HWND page = frame_->FocusedPage();
  if (LOWORD(activation)) {
    if (SummaryOpen()) {
      SetForegroundWindow(window_);
      BringWindowToTop(summary_->Window());
    }
    if (page) {
      SetForegroundWindow(window_);
      frame_->RefocusCurrentPage();
    }
    SHSipPreference(window_, SipUp(sip_) ? SIP_UP : SIP_DOWN);
    PostMessageW(window_, kMsgLayoutForSip, reinterpret_cast<WPARAM>(page), 0);
  }
  HWND modal = Component::Process().modalDialog;
  return SummaryOpen() || page || (modal && IsWindow(modal)) ? 1 : 0;
}

int MainWindow::IsDialogMessage(MSG* message) {
  HWND page = frame_->FocusedPage();
  return page && message ? IsDialogMessageW(page, message) : 0;
}

void MainWindow::ForwardToSummary(UINT message, WPARAM wParam, LPARAM lParam) {
  if (SummaryOpen()) PostMessageW(summary_->Window(), message, wParam, lParam);
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != tabs_) return 0;
  if (header.code == TCN_SELCHANGING) {
    frame_->OnTabChanging();
  } else if (header.code == TCN_SELCHANGE) {
    frame_->OnTabChanged(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
  }
  return 0;
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kMsgOpenEditor: {
      // An unknown kind is ignored; the request is freed either way.
      std::unique_ptr<EditRequest> request(reinterpret_cast<EditRequest*>(lParam));
      std::optional<EditorKind> kind = EditorKindFromMessage(wParam);
      if (request && kind) Open(*kind, std::move(request));
      return 0;
    }
    case kMsgCloseEditor:
    case kMsgCloseEditorNow:
      frame_->Close(CloseAction::None);
      return 0;
    case kMsgSummaryClosed:
    case kMsgSummaryToEditor:
    case kMsgSummaryCommand:
    case kMsgSummaryOpenItem:
      OnSummaryMessage(message, wParam, lParam);
      return 0;
    case kMsgLayoutForSip: {
      // A page left since the message was posted stays hidden.
      HWND page = reinterpret_cast<HWND>(wParam);
      ReadSipState();
      LayOut(page && page == frame_->FocusedPage() ? page : nullptr);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        ReadSipState();
      } else {
        if (SipUp(sip_)) SHSipPreference(window_, SIP_UP);
        HandleActivation(LOWORD(wParam));
      }
      return 0;
    case WM_CLOSE:
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam == kSipSettingChange) SHHandleWMSettingChange(window_, wParam, lParam, nullptr);
      return 0;
    case WM_WINDOWPOSCHANGED:
      PlaceTabs();
      if (HWND page = frame_->FocusedPage()) PlacePage(page);
      return DefWindowProcW(window_, message, wParam, lParam);
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        frame_->Close(LOWORD(wParam) == IDOK ? CloseAction::Ok : CloseAction::Cancel);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self || !self->frame_ || message == WM_NCDESTROY)
    return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

}  // namespace calyra
