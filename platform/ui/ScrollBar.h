#pragma once

#include "platform/ui/WindowTypes.h"

// A window's standard scroll bars. Headless as the rest: a bar keeps its range, page and position,
// and shows (the window gains WS_VSCROLL / WS_HSCROLL) while its range is larger than its page. The
// bar takes no room from the client area; a window that lays out beside it subtracts
// GetSystemMetrics(SM_CXVSCROLL) itself.

inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;

inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;

// Scroll requests (LOWORD of WM_VSCROLL's wParam; HIWORD the thumb position for the two thumb codes).
inline constexpr WORD SB_LINEUP = 0;
inline constexpr WORD SB_LINEDOWN = 1;
inline constexpr WORD SB_PAGEUP = 2;
inline constexpr WORD SB_PAGEDOWN = 3;
inline constexpr WORD SB_THUMBPOSITION = 4;
inline constexpr WORD SB_THUMBTRACK = 5;
inline constexpr WORD SB_TOP = 6;
inline constexpr WORD SB_BOTTOM = 7;
inline constexpr WORD SB_ENDSCROLL = 8;

inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
};

// Sets what fMask names; the position is kept within min..max - page + 1. Returns the position.
int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info);
