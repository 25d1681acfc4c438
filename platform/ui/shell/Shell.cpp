#include "platform/ui/shell/Shell.h"

#include <algorithm>
#include <map>
#include <vector>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/gdi/ImageDecoder.h"
#include "platform/text/Text.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/paint/PaintKit.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

constexpr int kTaskBarHeight = 26;
constexpr int kMenuBarHeight = 26;
constexpr int kSipHeight = 80;

struct ShellState : ProcessState {
  bool sipUp = false;
  std::u16string navBarText;
  std::map<HWND, DWORD> fullScreen;
};

ShellState& Shell() {
  return System::Current().State<ShellState>();
}

struct MenuBarButton {
  int command = 0;
  int image = I_IMAGENONE;
  BYTE state = TBSTATE_ENABLED;
  BYTE style = TBSTYLE_BUTTON;
  WORD width = 0;
  DWORD_PTR data = 0;
  std::u16string text;
  HMENU submenu = nullptr;
};

constexpr int kButtonWidth = 36;

struct MenuBarState : ControlState {
  HWND owner = nullptr;
  HMENU menu = nullptr;
  int images = 0;
  std::vector<int> bitmaps;  // the resource ids added with CommandBar_AddBitmap
  int menuId = 0;            // the menu resource the bar was made from; 0 for a menu handle or none
  SIZE imageSize{};          // the size of one image of the last strip added
  std::vector<MenuBarButton> buttons;
  // The strips added, for pictures: where each comes from and its images' numbers and size.
  struct Strip {
    HINSTANCE instance = nullptr;
    int id = 0;
    int first = 0;
    int count = 0;
    SIZE image{};
  };
  std::vector<Strip> strips;

  ~MenuBarState() override {
    if (menu) DestroyMenu(menu);
  }
  MenuBarButton* Find(int command) {
    for (auto& button : buttons) {
      if (button.command == command) return &button;
    }
    return nullptr;
  }
};

// Each top entry of the menu becomes a button: a popup entry a menu button, a command a command
// button; the button's command of a popup entry is its position, as the platform numbers them.
void ButtonsFromMenu(MenuBarState& bar) {
  int count = GetMenuItemCount(bar.menu);
  for (int i = 0; i < count; ++i) {
    MenuBarButton button;
    WCHAR text[128] = {};
    GetMenuStringW(bar.menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    button.text = text;
    button.submenu = GetSubMenu(bar.menu, i);
    button.command = button.submenu ? i : static_cast<int>(GetMenuItemID(bar.menu, i));
    if (button.submenu) button.style = TBSTYLE_DROPDOWN;
    bar.buttons.push_back(button);
  }
}

LRESULT ButtonInfo(MenuBarState& bar, int command, TBBUTTONINFOW* info, bool set) {
  MenuBarButton* button = bar.Find(command);
  if (!button || !info) return -1;
  if (set) {
    if (info->dwMask & TBIF_IMAGE) button->image = info->iImage;
    if (info->dwMask & TBIF_STATE) button->state = info->fsState;
    if (info->dwMask & TBIF_STYLE) button->style = info->fsStyle;
    if (info->dwMask & TBIF_SIZE) button->width = info->cx;
    if (info->dwMask & TBIF_LPARAM) button->data = info->lParam;
    if (info->dwMask & TBIF_COMMAND) button->command = info->idCommand;
    if ((info->dwMask & TBIF_TEXT) && info->pszText) button->text = TextView(info->pszText, 128);
    return TRUE;
  }
  if (info->dwMask & TBIF_IMAGE) info->iImage = button->image;
  if (info->dwMask & TBIF_STATE) info->fsState = button->state;
  if (info->dwMask & TBIF_STYLE) info->fsStyle = button->style;
  if (info->dwMask & TBIF_SIZE) info->cx = button->width;
  if (info->dwMask & TBIF_LPARAM) info->lParam = button->data;
  if (info->dwMask & TBIF_COMMAND) info->idCommand = button->command;
  if ((info->dwMask & TBIF_TEXT) && info->pszText && info->cchText > 0) {
    BoundedCopy(info->pszText, static_cast<size_t>(info->cchText), button->text);
  }
  return static_cast<LRESULT>(button - bar.buttons.data());
}

LRESULT AddButtons(MenuBarState& bar, size_t count, const TBBUTTON* buttons, size_t at) {
  if (!buttons || at > bar.buttons.size()) return FALSE;
  for (size_t i = 0; i < count; ++i) {
    MenuBarButton button;
    button.command = buttons[i].idCommand;
    button.image = buttons[i].iBitmap;
    button.state = buttons[i].fsState;
    button.style = buttons[i].fsStyle;
    button.data = buttons[i].dwData;
    bar.buttons.insert(bar.buttons.begin() + static_cast<ptrdiff_t>(at + i), button);
  }
  return TRUE;
}

LRESULT SetState(MenuBarState& bar, int command, BYTE bits, bool on) {
  MenuBarButton* button = bar.Find(command);
  if (!button) return FALSE;
  button->state = static_cast<BYTE>(on ? button->state | bits : button->state & ~bits);
  return TRUE;
}

// Buttons stand left to right, each as wide as set, else the default width.
LRESULT ButtonRect(const MenuBarState& bar, int command, RECT* rect) {
  int left = 0;
  for (const auto& button : bar.buttons) {
    int width = button.width ? button.width : kButtonWidth;
    if (button.command == command) {
      if (rect) *rect = RECT{left, 0, left + width, kMenuBarHeight};
      return TRUE;
    }
    left += width;
  }
  return FALSE;
}

void Describe(const MenuBarState& bar, std::u16string* out) {
  for (const auto& button : bar.buttons) {
    *out += u" [" + button.text + u" " + FromUtf8(std::to_string(button.command));
    if (!(button.state & TBSTATE_ENABLED)) *out += u" disabled";
    if (button.state & TBSTATE_CHECKED) *out += u" checked";
    *out += u"]";
  }
}

LRESULT MenuBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* bar = ControlStateOf<MenuBarState>(window);
  if (!bar) return 0;
  int command = static_cast<int>(wParam);
  switch (message) {
    case TB_BUTTONCOUNT:
      return static_cast<LRESULT>(bar->buttons.size());
    case TB_COMMANDTOINDEX: {
      MenuBarButton* button = bar->Find(command);
      return button ? static_cast<LRESULT>(button - bar->buttons.data()) : -1;
    }
    case TB_GETRECT:
      return ButtonRect(*bar, command, reinterpret_cast<RECT*>(lParam));
    case TB_GETBUTTONINFOW:
      return ButtonInfo(*bar, command, reinterpret_cast<TBBUTTONINFOW*>(lParam), false);
    case TB_SETBUTTONINFOW:
      return ButtonInfo(*bar, command, reinterpret_cast<TBBUTTONINFOW*>(lParam), true);
    case TB_ADDBUTTONSW:
      return AddButtons(*bar, wParam, reinterpret_cast<const TBBUTTON*>(lParam), bar->buttons.size());
    case TB_INSERTBUTTONW:
      return AddButtons(*bar, 1, reinterpret_cast<const TBBUTTON*>(lParam), wParam);
    case TB_DELETEBUTTON:
      if (wParam >= bar->buttons.size()) return FALSE;
      bar->buttons.erase(bar->buttons.begin() + static_cast<ptrdiff_t>(wParam));
      return TRUE;
    case TB_ADDBITMAP: {
      if (!lParam || wParam == 0) return -1;
      LRESULT first = bar->images;
      bar->images += static_cast<int>(wParam);
      return first;
    }
    case TB_ENABLEBUTTON:
      return SetState(*bar, command, TBSTATE_ENABLED, LOWORD(static_cast<uintptr_t>(lParam)) != 0);
    case TB_CHECKBUTTON:
      return SetState(*bar, command, TBSTATE_CHECKED, LOWORD(static_cast<uintptr_t>(lParam)) != 0);
    case TB_ISBUTTONENABLED:
      return bar->Find(command) ? (bar->Find(command)->state & TBSTATE_ENABLED) != 0 : FALSE;
    case TB_ISBUTTONCHECKED:
      return bar->Find(command) ? (bar->Find(command)->state & TBSTATE_CHECKED) != 0 : FALSE;
    case TB_GETSTATE:
      return bar->Find(command) ? bar->Find(command)->state : -1;
    case TB_SETSTATE:
      if (!bar->Find(command)) return FALSE;
      bar->Find(command)->state = static_cast<BYTE>(LOWORD(static_cast<uintptr_t>(lParam)));
      return TRUE;
    case SHCMBM_GETMENU:
      return reinterpret_cast<LRESULT>(bar->menu);
    case SHCMBM_GETSUBMENU: {
      MenuBarButton* button = bar->Find(static_cast<int>(lParam));
      return button ? reinterpret_cast<LRESULT>(button->submenu) : 0;
    }
    case WM_PAINT:
      paint::PaintMenuBar(window);
      return 0;
    case WM_EMU_DESCRIBE:
      Describe(*bar, reinterpret_cast<std::u16string*>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

RECT VisibleDesktop() {
  SIZE screen = ScreenSize();
  RECT visible{0, kTaskBarHeight, screen.cx, screen.cy - kMenuBarHeight};
  if (Shell().sipUp) visible.bottom -= kSipHeight;
  return visible;
}

// Tells every top-level window that the input panel moved.
void AnnounceSip() {
  std::vector<HWND> windows;
  {
    auto& manager = WindowManager::Current();
    std::lock_guard guard(manager.Lock());
    windows = manager.TopLevel();
  }
  for (HWND window : windows) SendMessageW(window, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
}

// Draws image `index` of the bar's strips centred in `cell`; the strip's top-left colour is clear.
void DrawBarImage(const paint::Canvas& canvas, const MenuBarState& bar, int index, const RECT& cell) {
  for (const auto& strip : bar.strips) {
    if (index < strip.first || index >= strip.first + strip.count) continue;
    auto module = ResourceModuleOf(strip.instance);
    const std::vector<BYTE>* bytes = module ? module->Bitmap(strip.id) : nullptr;
    HBITMAP image = bytes ? DecodeImage(bytes->data(), bytes->size()) : nullptr;
    if (!image) return;
    HDC source = CreateCompatibleDC(canvas.Dc());
    HGDIOBJ old = SelectObject(source, image);
    COLORREF clear = GetPixel(source, 0, 0);
    int x = cell.left + (cell.right - cell.left - strip.image.cx) / 2;
    int y = cell.top + (cell.bottom - cell.top - strip.image.cy) / 2;
    TransparentImage(canvas.Dc(), x, y, strip.image.cx, strip.image.cy, source,
                     (index - strip.first) * strip.image.cx, 0, strip.image.cx, strip.image.cy, clear);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(image);
    return;
  }
}

}  // namespace

void paint::PaintMenuBar(HWND window) {
  auto* bar = ControlStateOf<MenuBarState>(window);
  paint::Canvas canvas(window);
  if (!bar || !canvas.Dc()) return;
  const RECT& all = canvas.Client();
  canvas.Fill(all, paint::kFace);
  canvas.Fill(RECT{all.left, all.top, all.right, all.top + 1}, paint::kFrame);
  int left = 0;
  for (const MenuBarButton& button : bar->buttons) {
    if (button.state & TBSTATE_HIDDEN) continue;
    int width = button.width ? button.width : kButtonWidth;
    if (button.style & TBSTYLE_SEP) {
      left += width;
      continue;
    }
    // A text button is as wide as its text needs.
    if (!button.width && button.image < 0) {
      width =
          std::max(width, static_cast<int>(MeasureText(canvas.Font(), button.text).cx) + canvas.Scale(12));
    }
    RECT cell{left, all.top + 1, left + width, all.bottom};
    if (button.state & TBSTATE_CHECKED) canvas.Fill(cell, paint::kPaper);
    COLORREF ink = (button.state & TBSTATE_ENABLED) ? paint::kInk : paint::kGreyText;
    if (button.image >= 0) {
      DrawBarImage(canvas, *bar, button.image, cell);
    } else {
      canvas.Text(cell, button.text, DT_SINGLELINE | DT_VCENTER | DT_CENTER, ink);
    }
    canvas.Fill(RECT{cell.right - 1, cell.top + canvas.Scale(4), cell.right, cell.bottom - canvas.Scale(4)},
                paint::kFrame);
    left += width;
  }
}

void RegisterShellClasses() {
  RegisterSystemClass(WC_MENUBAR, MenuBarProc);
  RegisterSystemClass(WC_SIPBUTTON, DefWindowProcW);
}

}  // namespace platform::ui

using platform::ui::MenuBarState;

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
  if (!info || !IsWindow(info->hwndParent)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  platform::ui::RegisterSystemClasses();
  SIZE screen = platform::ScreenSize();
  DWORD style = (info->dwFlags & SHCMBF_HIDDEN) ? 0 : WS_VISIBLE;
  HWND bar =
      CreateWindowExW(0, WC_MENUBAR, u"", style, 0, screen.cy - platform::ui::kMenuBarHeight, screen.cx,
                      platform::ui::kMenuBarHeight, info->hwndParent, nullptr, info->hInstRes, nullptr);
  if (!bar) return FALSE;
  auto* state = platform::ui::ControlStateOf<MenuBarState>(bar);
  state->owner = info->hwndParent;
  if (!(info->dwFlags & SHCMBF_EMPTYBAR)) {
    if (!(info->dwFlags & SHCMBF_HMENU)) state->menuId = static_cast<int>(info->nToolBarId);
    state->menu = (info->dwFlags & SHCMBF_HMENU)
                      ? reinterpret_cast<HMENU>(static_cast<uintptr_t>(info->nToolBarId))
                      : LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId));
    if (!state->menu) {
      DestroyWindow(bar);
      return FALSE;
    }
    platform::ui::ButtonsFromMenu(*state);
  }
  if (info->nBmpId && info->cBmpImages > 0) state->images = info->cBmpImages;
  info->hwndMB = bar;
  return TRUE;
}

int CommandBar_AddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int images, int imageWidth,
                         int imageHeight) {
  auto* state = platform::ui::ControlStateOf<MenuBarState>(bar);
  // The bar only counts images, so the strip's size is read from its header, not decoded.
  auto module = state && images > 0 ? platform::ResourceModuleOf(instance) : nullptr;
  const std::vector<BYTE>* strip = module ? module->Bitmap(bitmapId) : nullptr;
  SIZE size{};
  if (!strip || !platform::ImageSize(strip->data(), strip->size(), &size)) return -1;
  // A strip that does not hold the images at the size asked for cannot be cut into them.
  if (size.cx < images * imageWidth || size.cy < imageHeight) return -1;
  int first = state->images;
  state->images += images;
  state->bitmaps.push_back(bitmapId);
  state->imageSize = SIZE{imageWidth, imageHeight};
  state->strips.push_back({instance, bitmapId, first, images, state->imageSize});
  return first;
}

std::vector<int> platform::MenuBarBitmaps(HWND bar) {
  auto* state = platform::ui::ControlStateOf<MenuBarState>(bar);
  return state ? state->bitmaps : std::vector<int>{};
}

SIZE platform::MenuBarImageSize(HWND bar) {
  auto* state = platform::ui::ControlStateOf<MenuBarState>(bar);
  return state ? state->imageSize : SIZE{};
}

int platform::MenuBarMenu(HWND bar) {
  auto* state = platform::ui::ControlStateOf<MenuBarState>(bar);
  return state ? state->menuId : 0;
}

HWND SHFindMenuBar(HWND owner) {
  for (HWND window = GetWindow(owner, GW_HWNDFIRST); window; window = GetWindow(window, GW_HWNDNEXT)) {
    if (platform::ui::IsClass(window, WC_MENUBAR) && GetWindow(window, GW_OWNER) == owner) return window;
  }
  return nullptr;
}

BOOL SipGetInfo(SIPINFO* info) {
  if (!info || info->cbSize < sizeof(SIPINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SIZE screen = platform::ScreenSize();
  int menuTop = screen.cy - platform::ui::kMenuBarHeight;
  info->fdwFlags = SIPF_DOCKED | (platform::ui::Shell().sipUp ? SIPF_ON : SIPF_OFF);
  info->rcVisibleDesktop = platform::ui::VisibleDesktop();
  info->rcSipRect = RECT{0, menuTop - platform::ui::kSipHeight, screen.cx, menuTop};
  info->dwImDataSize = 0;
  return TRUE;
}

BOOL SipShowIM(DWORD flags) {
  bool up = flags & SIPF_ON;
  if (platform::ui::Shell().sipUp != up) {
    platform::ui::Shell().sipUp = up;
    platform::ui::AnnounceSip();
  }
  return TRUE;
}

BOOL SHSipInfo(UINT action, UINT, void* info, UINT) {
  if (action == SPI_GETSIPINFO) return SipGetInfo(static_cast<SIPINFO*>(info));
  if (action == SPI_SETSIPINFO && info) return SipShowIM(static_cast<SIPINFO*>(info)->fdwFlags);
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

BOOL SHSipPreference(HWND window, SIPSTATE state) {
  if (!IsWindow(window)) return FALSE;
  if (state == SIP_UP) return SipShowIM(SIPF_ON);
  if (state == SIP_DOWN || state == SIP_FORCEDOWN) return SipShowIM(SIPF_OFF);
  return TRUE;
}

BOOL SHFullScreen(HWND window, DWORD state) {
  if (!IsWindow(window)) return FALSE;
  platform::ui::Shell().fullScreen[window] = state;
  return TRUE;
}

BOOL SHInitDialog(SHINITDLGINFO* info) {
  if (!info || !IsWindow(info->hDlg)) return FALSE;
  if ((info->dwMask & SHIDIM_FLAGS) &&
      (info->dwFlags & (SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR))) {
    SIZE screen = platform::ScreenSize();
    int bottom =
        (info->dwFlags & SHIDIF_FULLSCREENNOMENUBAR) ? screen.cy : screen.cy - platform::ui::kMenuBarHeight;
    MoveWindow(info->hDlg, 0, platform::ui::kTaskBarHeight, screen.cx, bottom - platform::ui::kTaskBarHeight,
               FALSE);
  }
  if ((info->dwMask & SHIDIM_FLAGS) && (info->dwFlags & SHIDIF_DONEBUTTON))
    SHDoneButton(info->hDlg, SHDB_SHOW);
  return TRUE;
}

BOOL SHDoneButton(HWND window, DWORD state) {
  if (!IsWindow(window)) return FALSE;
  DWORD exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
  exStyle = state == SHDB_SHOW ? exStyle | WS_EX_CAPTIONOKBTN : exStyle & ~WS_EX_CAPTIONOKBTN;
  SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(exStyle));
  return TRUE;
}

BOOL SHSetNavBarText(HWND window, LPCWSTR text) {
  if (!IsWindow(window)) return FALSE;
  platform::ui::Shell().navBarText = platform::TextView(text, 256);
  return TRUE;
}

BOOL SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM, SHACTIVATEINFO* info) {
  if (!IsWindow(window) || wParam != SPI_SETSIPINFO) return FALSE;
  if (info) info->fSipUp = platform::ui::Shell().sipUp ? 1 : 0;
  RECT visible = platform::ui::VisibleDesktop();
  MoveWindow(window, visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top,
             FALSE);
  return TRUE;
}

BOOL SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM, SHACTIVATEINFO* info, DWORD) {
  if (!IsWindow(window) || !info) return FALSE;
  if (LOWORD(wParam) == WA_INACTIVE) {
    info->fSipOnDeactivation = platform::ui::Shell().sipUp ? 1 : 0;
    info->fActive = 0;
  } else {
    info->fActive = 1;
    if (info->fSipUp != (platform::ui::Shell().sipUp ? 1u : 0u)) SipShowIM(info->fSipUp ? SIPF_ON : SIPF_OFF);
  }
  return TRUE;
}

namespace platform {

bool UserPressMenuBarButton(HWND menuBar, int command) {
  auto* bar = ui::IsClass(menuBar, WC_MENUBAR) ? ui::ControlStateOf<MenuBarState>(menuBar) : nullptr;
  ui::MenuBarButton* button = bar ? bar->Find(command) : nullptr;
  if (!button || !(button->state & TBSTATE_ENABLED) || !IsWindowVisible(menuBar)) return false;
  if (button->submenu) {
    TrackPopupMenu(button->submenu, TPM_LEFTALIGN | TPM_BOTTOMALIGN, 0, 0, 0, bar->owner, nullptr);
  } else {
    PostMessageW(bar->owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
  }
  return true;
}

std::u16string NavBarText() {
  return ui::Shell().navBarText;
}

DWORD FullScreenState(HWND window) {
  auto found = ui::Shell().fullScreen.find(window);
  return found == ui::Shell().fullScreen.end() ? 0 : found->second;
}

}  // namespace platform
