#pragma once

#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/ui/WindowTypes.h"

// The shell's calls (aygshell): the menu bar with its buttons, the input panel, full-screen and
// title calls, and the handlers of activation and setting changes. The screen is laid out as on the
// device: a task bar of 26 pixels at the top, a menu bar of 26 pixels at the bottom, and the input
// panel of 80 pixels above the menu bar while it is up.

inline constexpr const char16_t* WC_MENUBAR = u"menu_worker";
inline constexpr const char16_t* WC_SIPBUTTON = u"MS_SIPBUTTON";

// Tap-and-hold: a control that recognises the gesture tells its parent with WM_NOTIFY GN_CONTEXTMENU,
// the point in screen coordinates and the item held (a list view's row).
inline constexpr UINT GN_CONTEXTMENU = 1000;
struct NMRGINFO {
  NMHDR hdr;
  POINT ptAction;
  DWORD dwItemSpec;
};

struct SHMENUBARINFO {
  DWORD cbSize;
  HWND hwndParent;
  DWORD dwFlags;
  UINT nToolBarId;  // a menu of the resource module: each top entry becomes a button
  HINSTANCE hInstRes;
  int nBmpId;
  int cBmpImages;
  HWND hwndMB;
  COLORREF clrBk;
};

inline constexpr DWORD SHCMBF_EMPTYBAR = 0x0001;
inline constexpr DWORD SHCMBF_HIDDEN = 0x0002;
inline constexpr DWORD SHCMBF_HIDESIPBUTTON = 0x0004;
inline constexpr DWORD SHCMBF_COLORBK = 0x0008;
inline constexpr DWORD SHCMBF_HMENU = 0x0010;

// Toolbar buttons of the menu bar.
struct TBBUTTON {
  int iBitmap;
  int idCommand;
  BYTE fsState;
  BYTE fsStyle;
  DWORD_PTR dwData;
  INT_PTR iString;
};

struct TBBUTTONINFOW {
  UINT cbSize;
  DWORD dwMask;
  int idCommand;
  int iImage;
  BYTE fsState;
  BYTE fsStyle;
  WORD cx;
  DWORD_PTR lParam;
  LPWSTR pszText;
  int cchText;
};

struct TBADDBITMAP {
  HINSTANCE hInst;
  UINT_PTR nID;
};

inline constexpr BYTE TBSTATE_CHECKED = 0x01;
inline constexpr BYTE TBSTATE_PRESSED = 0x02;
inline constexpr BYTE TBSTATE_ENABLED = 0x04;
inline constexpr BYTE TBSTATE_HIDDEN = 0x08;
inline constexpr BYTE TBSTYLE_BUTTON = 0x00;
inline constexpr BYTE TBSTYLE_SEP = 0x01;
inline constexpr BYTE TBSTYLE_CHECK = 0x02;
inline constexpr BYTE TBSTYLE_DROPDOWN = 0x08;
inline constexpr BYTE TBSTYLE_AUTOSIZE = 0x10;
inline constexpr DWORD TBIF_IMAGE = 0x0001;
inline constexpr DWORD TBIF_TEXT = 0x0002;
inline constexpr DWORD TBIF_STATE = 0x0004;
inline constexpr DWORD TBIF_STYLE = 0x0008;
inline constexpr DWORD TBIF_LPARAM = 0x0010;
inline constexpr DWORD TBIF_COMMAND = 0x0020;
inline constexpr DWORD TBIF_SIZE = 0x0040;
inline constexpr int I_IMAGENONE = -2;

inline constexpr UINT TB_ENABLEBUTTON = WM_USER + 1;
inline constexpr UINT TB_CHECKBUTTON = WM_USER + 2;
inline constexpr UINT TB_ISBUTTONENABLED = WM_USER + 9;
inline constexpr UINT TB_ISBUTTONCHECKED = WM_USER + 10;
inline constexpr UINT TB_SETSTATE = WM_USER + 17;
inline constexpr UINT TB_GETSTATE = WM_USER + 18;
inline constexpr UINT TB_ADDBITMAP = WM_USER + 19;
inline constexpr UINT TB_ADDBUTTONSW = WM_USER + 68;
inline constexpr UINT TB_INSERTBUTTONW = WM_USER + 67;
inline constexpr UINT TB_DELETEBUTTON = WM_USER + 22;
inline constexpr UINT TB_GETBUTTON = WM_USER + 23;
inline constexpr UINT TB_BUTTONCOUNT = WM_USER + 24;
inline constexpr UINT TB_COMMANDTOINDEX = WM_USER + 25;
inline constexpr UINT TB_GETBUTTONINFOW = WM_USER + 63;
inline constexpr UINT TB_GETRECT = WM_USER + 51;  // wParam command, lParam RECT* in bar coordinates
inline constexpr UINT TB_SETBUTTONINFOW = WM_USER + 64;
inline constexpr UINT SHCMBM_SETSUBMENU = WM_USER + 400;
inline constexpr UINT SHCMBM_GETSUBMENU = WM_USER + 401;
inline constexpr UINT SHCMBM_GETMENU = WM_USER + 403;

BOOL SHCreateMenuBar(SHMENUBARINFO* info);
HWND SHFindMenuBar(HWND owner);
// Adds `images` images of a bitmap resource to the bar; the index of the first, or -1 when the
// bitmap is missing or too small for that many images of the size given.
int CommandBar_AddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int images, int imageWidth,
                         int imageHeight);

// The input panel.
struct SIPINFO {
  DWORD cbSize;
  DWORD fdwFlags;
  RECT rcVisibleDesktop;
  RECT rcSipRect;
  DWORD dwImDataSize;
  void* pvImData;
};
inline constexpr DWORD SIPF_OFF = 0x0;
inline constexpr DWORD SIPF_ON = 0x1;
inline constexpr DWORD SIPF_DOCKED = 0x2;
inline constexpr UINT SPI_SETSIPINFO = 224;
inline constexpr UINT SPI_GETSIPINFO = 225;

enum SIPSTATE { SIP_UP = 0, SIP_DOWN, SIP_FORCEDOWN, SIP_UNCHANGED, SIP_INPUTDIALOG };

BOOL SipGetInfo(SIPINFO* info);
BOOL SipShowIM(DWORD flags);
BOOL SHSipInfo(UINT action, UINT param, void* info, UINT winIni);
BOOL SHSipPreference(HWND window, SIPSTATE state);

// Full screen, title and Done button.
inline constexpr DWORD SHFS_SHOWTASKBAR = 0x0001;
inline constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
inline constexpr DWORD SHFS_SHOWSIPBUTTON = 0x0004;
inline constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
inline constexpr DWORD SHFS_SHOWSTARTICON = 0x0010;
inline constexpr DWORD SHFS_HIDESTARTICON = 0x0020;
BOOL SHFullScreen(HWND window, DWORD state);

struct SHINITDLGINFO {
  DWORD dwMask;
  HWND hDlg;
  DWORD dwFlags;
};
inline constexpr DWORD SHIDIM_FLAGS = 0x0001;
inline constexpr DWORD SHIDIF_DONEBUTTON = 0x0001;
inline constexpr DWORD SHIDIF_SIZEDLG = 0x0002;
inline constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004;
inline constexpr DWORD SHIDIF_FULLSCREENNOMENUBAR = 0x0010;
BOOL SHInitDialog(SHINITDLGINFO* info);

inline constexpr DWORD SHDB_SHOW = 0x0001;
inline constexpr DWORD SHDB_HIDE = 0x0002;
BOOL SHDoneButton(HWND window, DWORD state);
BOOL SHSetNavBarText(HWND window, LPCWSTR text);

struct SHACTIVATEINFO {
  DWORD cbSize;
  HWND hwndLastFocus;
  UINT fSipUp : 1;
  UINT fSipOnDeactivation : 1;
  UINT fActive : 1;
  UINT fReserved : 29;
};
// Resizes a full-screen window to the desktop left visible by the input panel.
BOOL SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info);
BOOL SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info, DWORD flags);

namespace platform {

// The person taps a menu bar button: a command button posts WM_COMMAND to the owner, a menu button
// opens its menu for the user agent. False when there is no such enabled button.
bool UserPressMenuBarButton(HWND menuBar, int command);
// What SHSetNavBarText last set, and the full-screen state of a window (SHFS_ bits last given).
std::u16string NavBarText();
DWORD FullScreenState(HWND window);
// The bitmap resources added to a menu bar, in order.
std::vector<int> MenuBarBitmaps(HWND menuBar);
// The size of one image of the strip last added to a menu bar.
SIZE MenuBarImageSize(HWND menuBar);
// The menu resource a menu bar was made from; 0 when it was given a menu handle or no menu.
int MenuBarMenu(HWND menuBar);

}  // namespace platform

namespace platform::ui {

void RegisterShellClasses();

}  // namespace platform::ui
