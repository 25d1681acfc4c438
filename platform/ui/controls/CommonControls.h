#pragma once

#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/ui/Message.h"
#include "platform/ui/WindowTypes.h"
#include "platform/ui/controls/DateTimeTypes.h"
#include "platform/ui/controls/InkBlob.h"
#include "platform/ui/controls/ListViewTypes.h"
#include "platform/ui/controls/TreeViewTypes.h"

// The common controls: list view, tab control, tree view, date and time picker, month calendar,
// and the ink and rich-text stand-ins, with the device SDK's class names, messages and records.
// Nothing is drawn; every control keeps the state the device keeps and sends the notifications the
// device sends. Messages sent by the program change state without notifying, except where the device
// notifies too (list view item states, tree view selection); the platform::User* functions act as a
// person would, with every notification.

// InitCommonControlsEx.
struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
inline constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
inline constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
inline constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
inline constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
inline constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
inline constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
inline constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
inline constexpr DWORD ICC_DATE_CLASSES = 0x00000100;
// The classes are always there: these only check their argument.
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// ---- Tab control ----

inline constexpr const char16_t* WC_TABCONTROLW = u"SysTabControl32";

inline constexpr DWORD TCS_BOTTOM = 0x0002;
inline constexpr DWORD TCS_FLATBUTTONS = 0x0008;
inline constexpr DWORD TCS_FORCEICONLEFT = 0x0010;
inline constexpr DWORD TCS_FORCELABELLEFT = 0x0020;
inline constexpr DWORD TCS_BUTTONS = 0x0100;
inline constexpr DWORD TCS_MULTILINE = 0x0200;
inline constexpr DWORD TCS_FIXEDWIDTH = 0x0400;
inline constexpr DWORD TCS_FOCUSNEVER = 0x8000;

inline constexpr UINT TCIF_TEXT = 0x0001;
inline constexpr UINT TCIF_IMAGE = 0x0002;
inline constexpr UINT TCIF_RTLREADING = 0x0004;
inline constexpr UINT TCIF_PARAM = 0x0008;
inline constexpr UINT TCIF_STATE = 0x0010;
inline constexpr DWORD TCIS_BUTTONPRESSED = 0x0001;
inline constexpr DWORD TCIS_HIGHLIGHTED = 0x0002;

struct TCITEMW {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
};
using TC_ITEMW = TCITEMW;

inline constexpr UINT TCM_FIRST = 0x1300;
inline constexpr UINT TCM_GETIMAGELIST = TCM_FIRST + 2;
inline constexpr UINT TCM_SETIMAGELIST = TCM_FIRST + 3;
inline constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
inline constexpr UINT TCM_DELETEITEM = TCM_FIRST + 8;
inline constexpr UINT TCM_DELETEALLITEMS = TCM_FIRST + 9;
inline constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
inline constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
inline constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
inline constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
inline constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;
inline constexpr UINT TCM_GETCURFOCUS = TCM_FIRST + 47;
inline constexpr UINT TCM_SETCURFOCUS = TCM_FIRST + 48;
inline constexpr UINT TCM_GETITEMW = TCM_FIRST + 60;
inline constexpr UINT TCM_SETITEMW = TCM_FIRST + 61;
inline constexpr UINT TCM_INSERTITEMW = TCM_FIRST + 62;

inline constexpr UINT TCN_FIRST = 0U - 550U;
inline constexpr UINT TCN_KEYDOWN = TCN_FIRST - 0;
inline constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
inline constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

inline int TabCtrl_InsertItem(HWND tab, int index, const TCITEMW* item) {
  return static_cast<int>(
      SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}
inline BOOL TabCtrl_SetItem(HWND tab, int index, const TCITEMW* item) {
  return static_cast<BOOL>(
      SendMessageW(tab, TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}
inline BOOL TabCtrl_GetItem(HWND tab, int index, TCITEMW* item) {
  return static_cast<BOOL>(
      SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}
inline BOOL TabCtrl_DeleteItem(HWND tab, int index) {
  return static_cast<BOOL>(SendMessageW(tab, TCM_DELETEITEM, static_cast<WPARAM>(index), 0));
}
inline BOOL TabCtrl_DeleteAllItems(HWND tab) {
  return static_cast<BOOL>(SendMessageW(tab, TCM_DELETEALLITEMS, 0, 0));
}
inline int TabCtrl_GetItemCount(HWND tab) {
  return static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
}
inline int TabCtrl_GetCurSel(HWND tab) {
  return static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
}
inline int TabCtrl_SetCurSel(HWND tab, int index) {
  return static_cast<int>(SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0));
}
inline HIMAGELIST TabCtrl_SetImageList(HWND tab, HIMAGELIST images) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessageW(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
}
inline HIMAGELIST TabCtrl_GetImageList(HWND tab) {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(tab, TCM_GETIMAGELIST, 0, 0));
}
inline void TabCtrl_AdjustRect(HWND tab, BOOL larger, RECT* rect) {
  SendMessageW(tab, TCM_ADJUSTRECT, static_cast<WPARAM>(larger), reinterpret_cast<LPARAM>(rect));
}
inline BOOL TabCtrl_GetItemRect(HWND tab, int index, RECT* rect) {
  return static_cast<BOOL>(
      SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}
inline int TabCtrl_GetCurFocus(HWND tab) {
  return static_cast<int>(SendMessageW(tab, TCM_GETCURFOCUS, 0, 0));
}
inline int TabCtrl_GetRowCount(HWND tab) {
  return static_cast<int>(SendMessageW(tab, TCM_GETROWCOUNT, 0, 0));
}

// ---- Ink control ----
// A stand-in for the device's ink control: typed rich text (in its rich-ink child window), pen
// strokes, the input mode, the zoom, the view and a modified flag. Its data is the whole content in
// the control's own blob format (platform/ui/controls/InkBlob.h, docs/INK.md). The message numbers
// are this emulation's own, in the WM_USER range.

inline constexpr const char16_t* WC_INKX = u"InkX";
inline constexpr const char16_t* WC_RICHINK = u"RichInk";

// wParam: the size in bytes; lParam: the blob (may be null only for size 0). TRUE with the content
// replaced; FALSE for a blob that cannot be read, which leaves the control empty. Clears the modified
// flag.
inline constexpr UINT IM_SETDATA = WM_USER + 200;
// The size in bytes of the content's blob (0 for an empty control).
inline constexpr UINT IM_GETDATALEN = WM_USER + 201;
// wParam: the buffer's size in bytes; lParam: the buffer. TRUE with the whole blob copied, FALSE for a
// null or too small buffer.
inline constexpr UINT IM_GETDATA = WM_USER + 202;
// wParam: IM_INPUT_*. TRUE, or FALSE for an unknown mode.
inline constexpr UINT IM_SETINPUTMODE = WM_USER + 203;
inline constexpr UINT IM_GETINPUTMODE = WM_USER + 204;
// wParam: a percentage from IM_ZOOM_MIN to IM_ZOOM_MAX. TRUE, or FALSE outside.
inline constexpr UINT IM_SETZOOM = WM_USER + 205;
inline constexpr UINT IM_GETZOOM = WM_USER + 206;
// wParam: IM_VIEW_*. TRUE, or FALSE for an unknown view.
inline constexpr UINT IM_SETVIEW = WM_USER + 207;
inline constexpr UINT IM_GETVIEW = WM_USER + 208;
inline constexpr UINT IM_GETMODIFY = WM_USER + 209;
// wParam: the new flag.
inline constexpr UINT IM_SETMODIFY = WM_USER + 210;
// The rich-ink child window.
inline constexpr UINT IM_GETRICHWND = WM_USER + 211;
// Empties the text and the strokes.
inline constexpr UINT IM_CLEARALL = WM_USER + 212;
// A stroke as the pen draws it: wParam the number of points, lParam the POINTs in client
// coordinates. TRUE; FALSE outside a pen mode, for no points, or beyond the blob's bounds. Marks the
// control modified and sends EN_CHANGE to its parent.
inline constexpr UINT IM_ADDSTROKE = WM_USER + 213;
inline constexpr UINT IM_GETSTROKECOUNT = WM_USER + 214;

inline constexpr WPARAM IM_INPUT_INK = 0;  // the writing pen
inline constexpr WPARAM IM_INPUT_TYPING = 1;
inline constexpr WPARAM IM_INPUT_SELECT = 2;
inline constexpr WPARAM IM_INPUT_DRAWING = 3;  // the drawing pen
inline constexpr WPARAM IM_VIEW_WRITING = 0;
inline constexpr WPARAM IM_VIEW_DRAWING = 1;
inline constexpr WPARAM IM_ZOOM_MIN = 25;
inline constexpr WPARAM IM_ZOOM_MAX = 400;
inline constexpr WPARAM IM_ZOOM_DEFAULT = 100;

// The rich-ink window answers WM_SETTEXT, WM_GETTEXT, WM_CHAR, WM_CLEAR, EM_REPLACESEL, EM_GETSEL,
// EM_SETSEL, EM_GETMODIFY and EM_SETMODIFY as an edit control does, and keeps links and character
// formats: EM_INSERTLINK replaces the selection with the link's text (lParam a RICHINKLINKW*; TRUE, or
// FALSE for a null record or text). Every change it makes goes to its parent as EN_CHANGE; the ink
// control marks itself modified and passes the EN_CHANGE on to its own parent with its own id. The ink
// control passes the typing messages (WM_CHAR, WM_CLEAR, the selection, EM_REPLACESEL, EM_INSERTLINK
// and the format messages) on to its rich-ink window, so it takes typing as an edit does.
struct RICHINKLINKW {
  LPCWSTR pszText;
  LPCWSTR pszTarget;
};
inline constexpr UINT EM_INSERTLINK = WM_USER + 220;
inline constexpr UINT EM_GETLINKCOUNT = WM_USER + 221;

// Character formats. EM_SETCHARFORMAT (wParam SCF_SELECTION or SCF_ALL, lParam a CHARFORMATW*) sets
// the effects of the mask's bits on the characters; TRUE, or FALSE for an empty selection.
// EM_GETCHARFORMAT fills the record for the selection (an empty one: the character before the caret):
// a mask bit is set where all its characters agree, an effect where all have it. Typed text is plain.
struct CHARFORMATW {
  UINT cbSize;
  DWORD dwMask;
  DWORD dwEffects;
  LONG yHeight;
  LONG yOffset;
  COLORREF crTextColor;
  BYTE bCharSet;
  BYTE bPitchAndFamily;
  WCHAR szFaceName[32];
};
inline constexpr UINT EM_GETCHARFORMAT = WM_USER + 58;
inline constexpr UINT EM_SETCHARFORMAT = WM_USER + 68;
inline constexpr WPARAM SCF_SELECTION = 0x0001;
inline constexpr WPARAM SCF_ALL = 0x0004;
inline constexpr DWORD CFM_BOLD = 0x00000001;
inline constexpr DWORD CFM_ITALIC = 0x00000002;
inline constexpr DWORD CFM_UNDERLINE = 0x00000004;
inline constexpr DWORD CFM_STRIKEOUT = 0x00000008;
inline constexpr DWORD CFM_HIGHLIGHT = 0x00000800;
inline constexpr DWORD CFE_BOLD = 0x00000001;
inline constexpr DWORD CFE_ITALIC = 0x00000002;
inline constexpr DWORD CFE_UNDERLINE = 0x00000004;
inline constexpr DWORD CFE_STRIKEOUT = 0x00000008;
inline constexpr DWORD CFE_HIGHLIGHT = 0x00040000;

BOOL InitInkX();
BOOL InitRichInkDLL();

// ---- Rich-text view ----
// A read-only viewer of an RTF (or plain text) file. The window text is the plain text: RTF with its
// control words, groups and braces taken away, paragraphs as CR LF.

inline constexpr const char16_t* WC_RICHVIEW = u"CalyraRichView";
// lParam: the CE path of the file. TRUE, or FALSE (the view unchanged) when the file cannot be read.
inline constexpr UINT RV_LOADFILE = WM_USER + 100;
// The size in bytes of the file as loaded.
inline constexpr UINT RV_GETRAWLENGTH = WM_USER + 101;
// wParam: the buffer's size in bytes; lParam: the buffer. The number of bytes copied (cut to the buffer).
inline constexpr UINT RV_GETRAW = WM_USER + 102;

namespace platform::ui {

// Registers every class of the common controls (called once by the window system).
void RegisterCommonControls();
void RegisterTabControl();
void RegisterInkControls();
void RegisterRichView();

// The plain text of RTF: control words, destinations and braces gone, \par and \line as CR LF, \tab
// as a tab, \'hh and \uN as their characters. Text that is not RTF comes back as it is.
std::u16string RtfToPlainText(std::string_view rtf);

}  // namespace platform::ui

// What a person does, with every message and notification the device sends: for the scripted user.
namespace platform {

// TCN_SELCHANGING (a non-zero answer vetoes), the change, TCN_SELCHANGE. False when vetoed, out of
// range or already selected.
bool UserSelectTab(HWND tab, int index);
// Selects and focuses the item alone: LVN_ITEMCHANGING/LVN_ITEMCHANGED for the items that lose their
// selection or focus, then for the item, then NM_CLICK (and LVN_ITEMACTIVATE under
// LVS_EX_ONECLICKACTIVATE). False when out of range or vetoed.
bool UserClickListViewItem(HWND list, int index);
// The click, then NM_DBLCLK and LVN_ITEMACTIVATE.
bool UserDoubleClickListViewItem(HWND list, int index);
// Holds the stylus on an item: it is selected alone (as a click, without activating it), then the
// parent gets GN_CONTEXTMENU with the item and the middle of its row on the screen.
bool UserTapAndHoldListViewItem(HWND list, int index);
// Ticks or clears the item's check box (LVS_EX_CHECKBOXES): the state change, then NM_CLICK.
bool UserSetListViewCheck(HWND list, int index, bool checked);
// Taps the header of a column of a report view: LVN_COLUMNCLICK with the column. False when the list
// shows no header (another view, or LVS_NOCOLUMNHEADER) or has no such column.
bool UserClickListViewColumn(HWND list, int column);

// One text as a list view draws it: its item and subitem, its colours and its font.
struct ListViewDrawnText {
  int item = 0;
  int subItem = 0;
  std::u16string text;
  COLORREF color = 0;
  COLORREF background = 0;
  HFONT font = nullptr;
};
// Paints the list view as the device does when its window is drawn, with NM_CUSTOMDRAW to the parent
// at every stage it asks for (WM_PAINT does the same). The texts of the rows on the page in drawing
// order; a text the parent drew itself (CDRF_SKIPDEFAULT) is left out. Selection highlighting is not
// modelled: a text keeps the colours the list and its parent gave it.
std::vector<ListViewDrawnText> PaintListView(HWND list);
// Picks a date (null: clears the check box of a DTS_SHOWNONE picker). A date picker drops its calendar
// down (DTN_DROPDOWN), takes the value (DTN_DATETIMECHANGE) and closes it (DTN_CLOSEUP); an up-down or
// time picker and the none state send DTN_DATETIMECHANGE alone. False for an invalid value, one out of
// the range, or none without DTS_SHOWNONE.
bool UserPickDate(HWND picker, const SYSTEMTIME* value);
// Opens and closes the drop-down calendar of a date picker (DTN_DROPDOWN, DTN_CLOSEUP).
bool UserDropDownDatePicker(HWND picker);
bool UserCloseDatePicker(HWND picker);
// TVN_SELCHANGINGW (non-zero vetoes), the change, TVN_SELCHANGEDW, with the action TVC_BYMOUSE.
bool UserSelectTreeItem(HWND tree, HTREEITEM item);
// MCN_SELCHANGE then MCN_SELECT. False for an invalid date or one outside the calendar's range.
bool UserPickMonthCalendarDate(HWND calendar, const SYSTEMTIME& date);

// The links inserted into a rich-ink window, in the order of the text.
struct RichInkLink {
  std::u16string text;
  std::u16string target;
  size_t position = 0;  // where the text starts in the window text
};
std::vector<RichInkLink> RichInkLinks(HWND richInk);
// The pen strokes of an ink control, in drawing order; none for another window.
std::vector<InkStroke> InkStrokes(HWND ink);
// The RTF (or other text) as loaded by a rich-text view.
std::string RichViewRawText(HWND view);

}  // namespace platform
