#include "host/FloatingLinkWindow.h"

#include <algorithm>

#include "host/Component.h"
#include "links/LinkList.h"
#include "links/LinkOperations.h"
#include "links/LinkStore.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/ListViewTypes.h"
#include "platform/ui/shell/Shell.h"
#include "resources/ResourceIds.h"
#include "store/ItemIdentity.h"
#include "store/OutlookSession.h"
#include "store/PimItem.h"

namespace calyra {

using namespace resources;

namespace {

constexpr COLORREF kImageKeyColour = RGB(0, 255, 0);
constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kTextBackground = 0x990000;  // dark blue
constexpr int kHighDpi = 192;
constexpr int kImageSize = 16;
constexpr int kItemImages = 8;
constexpr int kWidestColumn = 1024;
// The stylus drags the window by this band of its client area, in device pixels at any resolution.
constexpr int kDragBand = 27;
constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragTimerMilliseconds = 1000;
// How far the window is kept inside the screen when it is dropped, and its place when it opens.
constexpr int kEdgeMargin = 20;
constexpr int kTopLimit = 40;
constexpr int kOpeningTop = 35;

// The title the window shows: an appointment's or task's subject, a contact's file-as name.
std::u16string ReadTitle(HWND owner, ItemOid item, ItemKind kind) {
  OutlookSession session;
  if (!session.Logon(owner)) return {};
  switch (kind) {
    case ItemKind::Appointment:
      if (auto appointment = session.GetItem<IAppointment>(item, IID_IAppointment))
        return ReadText(appointment.Get(), &IAppointment::get_Subject);
      break;
    case ItemKind::Task:
      if (auto task = session.GetItem<ITask>(item, IID_ITask))
        return ReadText(task.Get(), &ITask::get_Subject);
      break;
    case ItemKind::Contact:
      if (auto contact = session.GetItem<IContact>(item, IID_IContact))
        return ReadText(contact.Get(), &IContact::get_FileAs);
      break;
    default:
      break;
  }
  return {};
}

int KindImage(ItemKind kind) {
  switch (kind) {
    case ItemKind::Appointment:
      return kLinkImageAppointment;
    case ItemKind::Task:
      return kLinkImageTask;
    case ItemKind::Contact:
      return kLinkImageContact;
    default:
      return -1;
  }
}

int SelectedRow(HWND list) {
  return ListView_GetNextItem(list, -1, LVNI_SELECTED);
}

// The link id a row carries in the high word of its data.
DWORD LinkIdOfRow(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!ListView_GetItem(list, &item)) return 0;
  return HIWORD(static_cast<DWORD>(item.lParam));
}

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

bool FloatingLinkWindow::Open(HWND owner, ItemOid item) {
  if (open_) return false;
  owner_ = owner;
  item_ = item;
  kind_ = ItemKindOf(item);
  title_ = ReadTitle(owner, item, kind_).substr(0, kTitleChars);
  Component& component = Component::Process();
  if (!component.scale.Measured()) component.scale.Measure();
  HWND window = CreateDialogParamW(component.Resources(), MAKEINTRESOURCEW(kDialogFloatingLinks), owner,
                                   &FloatingLinkWindow::DialogProc, reinterpret_cast<LPARAM>(this));
  if (!window) {
    Clear();
    return false;
  }
  open_ = true;
  ShowWindow(window, SW_SHOW);
  return true;
}

void FloatingLinkWindow::Close() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  Clear();
}

bool FloatingLinkWindow::DropItem(ItemOid dropped, ItemKind kind) {
  LinkType type = LinkTypeOfItem(kind);
  if (dropped == 0 || item_ == 0 || type == LinkType::None) return false;
  LinkStore(&Component::Process().links).AddTwoWayLink(item_, nullptr, type, dropped);
  if (window_) {
    Refill();
    ShrinkOnce();
  }
  return true;
}

bool FloatingLinkWindow::ContainsPoint(int x, int y) const {
  RECT frame{};
  if (!window_ || !GetWindowRect(window_, &frame)) return false;
  return x >= frame.left && x < frame.right && y >= frame.top && y < frame.bottom;
}

INT_PTR FloatingLinkWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<FloatingLinkWindow*>(lParam)->window_ = window;
  }
  auto* self = reinterpret_cast<FloatingLinkWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  return self && self->window_ == window ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR FloatingLinkWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return FALSE;  // the focus is on the list already
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
      return TRUE;
    case WM_LBUTTONDOWN:
      Press(PointOf(lParam));
      return TRUE;
    case WM_LBUTTONUP:
      Release(PointOf(lParam));
      return TRUE;
    case WM_TIMER:
      if (wParam == kDragTimer) KillTimer(window_, kDragTimer);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return ControlColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(backgroundBrush_);
    case WM_DRAWITEM:
      DrawKind(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(window_);
      return TRUE;
    case WM_NCDESTROY:
      Clear();
      return FALSE;
    default:
      return FALSE;
  }
}

void FloatingLinkWindow::OnInit() {
  list_ = GetDlgItem(window_, kFloatingLinksList);
  textBrush_ = CreateSolidBrush(kTextBackground);
  backgroundBrush_ = CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION));
  SetDlgItemTextW(window_, kFloatingLinksTitle, title_.c_str());
  MakeImageList();
  MakeColumn();
  Place();
  Refill();
  ShrinkOnce();
  SetFocus(list_);
}

// The item icons at the list's size: the large strip on a high-resolution screen.
void FloatingLinkWindow::MakeImageList() {
  const ScreenScale& scale = Component::Process().scale;
  bool large = scale.DpiX() >= kHighDpi;
  int size = large ? scale.X(kImageSize) : kImageSize;
  HBITMAP strip = LoadBitmapW(Component::Process().Resources(),
                              MAKEINTRESOURCEW(large ? kBitmapItemIconsLarge : kBitmapItemIcons));
  images_ = ImageList_Create(size, size, ILC_COLOR | ILC_MASK, kItemImages, 0);
  if (strip) {
    if (images_) ImageList_AddMasked(images_, strip, kImageKeyColour);
    DeleteObject(strip);
  }
  ListView_SetImageList(list_, images_, LVSIL_SMALL);
}

void FloatingLinkWindow::MakeColumn() {
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
  RECT client{};
  GetClientRect(list_, &client);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH;
  column.fmt = LVCFMT_LEFT;
  column.cx = std::max(0, static_cast<int>(client.right - client.left) - GetSystemMetrics(SM_CXVSCROLL));
  ListView_InsertColumn(list_, 0, &column);
}

// Centred across the screen, a little below its top.
void FloatingLinkWindow::Place() {
  RECT frame{};
  GetWindowRect(window_, &frame);
  int width = frame.right - frame.left;
  int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  SetWindowPos(window_, nullptr, left, Component::Process().scale.Y(kOpeningTop), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FloatingLinkWindow::Refill() {
  ListView_DeleteAllItems(list_);
  int widest = FillLinkList(item_, list_);
  if (widest > ListView_GetColumnWidth(list_, 0))
    ListView_SetColumnWidth(list_, 0, std::min(widest, kWidestColumn));
}

// The first time the list holds a link, the window is cut off below the drop text: the hint beneath
// it is for an empty window only.
void FloatingLinkWindow::ShrinkOnce() {
  if (shrunk_ || ListView_GetItemCount(list_) == 0) return;
  RECT frame{};
  RECT dropText{};
  GetWindowRect(window_, &frame);
  GetWindowRect(GetDlgItem(window_, kFloatingLinksDropText), &dropText);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, dropText.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  shrunk_ = true;
}

void FloatingLinkWindow::OnCommand(int id) {
  switch (id) {
    case kFloatingLinksOpen:
      if (int row = SelectedRow(list_); row >= 0) OpenRow(row);
      break;
    case IDOK:
    case IDCANCEL:
    case kFloatingLinksClose:
    case kFloatingLinksCloseBox:
      DestroyWindow(window_);
      break;
    default:
      break;
  }
}

void FloatingLinkWindow::OnNotify(const NMHDR& header, LPARAM lParam) {
  if (header.hwndFrom != list_) return;
  if (header.code == LVN_ITEMACTIVATE) {
    int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
    if (row >= 0) OpenRow(row);
  } else if (header.code == GN_CONTEXTMENU) {
    const auto& gesture = *reinterpret_cast<const NMRGINFO*>(lParam);
    int row = static_cast<int>(gesture.dwItemSpec);
    if (row >= 0 && row < ListView_GetItemCount(list_)) ShowRowMenu(row, gesture.ptAction);
  }
}

void FloatingLinkWindow::ShowRowMenu(int row, POINT at) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  HINSTANCE resources = Component::Process().Resources();
  std::u16string deleteText = ResourceText(resources, kStringDeleteLink);
  std::u16string openText = ResourceText(resources, kStringOpenLink);
  AppendMenuW(menu, MF_STRING, kCommandDelete, deleteText.c_str());
  AppendMenuW(menu, MF_STRING, kCommandOpenLink, openText.c_str());
  auto command = static_cast<int>(
      TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, window_, nullptr));
  DestroyMenu(menu);
  if (command == kCommandDelete) {
    DeleteRow(row);
  } else if (command == kCommandOpenLink) {
    OpenRow(row);
  }
}

void FloatingLinkWindow::OpenRow(int row) {
  OpenLink(owner_, Component::Process().hostWindow, item_, LinkIdOfRow(list_, row));
}

void FloatingLinkWindow::DeleteRow(int row) {
  DWORD linkId = LinkIdOfRow(list_, row);
  ListView_DeleteItem(list_, row);
  if (linkId) LinkStore(&Component::Process().links).DeleteLink(linkId);
}

void FloatingLinkWindow::Press(POINT at) {
  if (at.y >= kDragBand) return;
  pressed_ = true;
  pressPoint_ = at;
  SetCapture(window_);
  SetTimer(window_, kDragTimer, kDragTimerMilliseconds, nullptr);
}

// Moves the window by the stylus's way, kept where its top edge can be reached again.
void FloatingLinkWindow::Release(POINT at) {
  if (!pressed_) return;
  pressed_ = false;
  ReleaseCapture();
  const ScreenScale& scale = Component::Process().scale;
  RECT frame{};
  RECT client{};
  GetWindowRect(window_, &frame);
  GetClientRect(window_, &client);
  int clientWidth = client.right - client.left;
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int left = std::clamp(static_cast<int>(frame.left + at.x - pressPoint_.x),
                        scale.X(kEdgeMargin) - clientWidth, screenWidth - scale.X(kEdgeMargin));
  int top = frame.top + at.y - pressPoint_.y;
  if (top < scale.Y(kTopLimit)) {
    top = scale.Y(kTopLimit);
  } else if (top > screenHeight - scale.Y(kTopLimit)) {
    top = screenHeight - scale.Y(kEdgeMargin);
  }
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR FloatingLinkWindow::ControlColour(HWND control, HDC dc) {
  int id = GetDlgCtrlID(control);
  if (id != kFloatingLinksTitle && id != kFloatingLinksHint && id != kFloatingLinksDropText) return FALSE;
  SetTextColor(dc, kTextColour);
  SetBkColor(dc, kTextBackground);
  return reinterpret_cast<INT_PTR>(textBrush_);
}

void FloatingLinkWindow::DrawKind(const DRAWITEMSTRUCT& draw) {
  int image = KindImage(kind_);
  if (draw.CtlID != static_cast<UINT>(kFloatingLinksKind) || image < 0 || !images_) return;
  ImageList_Draw(images_, image, draw.hDC, draw.rcItem.left, draw.rcItem.top, ILD_TRANSPARENT);
}

void FloatingLinkWindow::Clear() {
  if (window_) KillTimer(window_, kDragTimer);
  if (pressed_) ReleaseCapture();
  if (textBrush_) DeleteObject(textBrush_);
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
  if (images_) ImageList_Destroy(images_);
  open_ = false;
  window_ = nullptr;
  owner_ = nullptr;
  item_ = 0;
  title_.clear();
  kind_ = ItemKind::None;
  list_ = nullptr;
  images_ = nullptr;
  textBrush_ = nullptr;
  backgroundBrush_ = nullptr;
  shrunk_ = false;
  pressed_ = false;
  pressPoint_ = POINT{};
}

}  // namespace calyra
