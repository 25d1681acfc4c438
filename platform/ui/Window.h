#pragma once

#include "platform/ui/WindowTypes.h"

// Windows: classes, creation and destruction, state, geometry and the window tree. The window system
// is headless: nothing is drawn, but every window keeps the state and geometry the device would, and
// every message the device would send is sent. A window has no non-client area: its client rectangle
// is its whole rectangle.

ATOM RegisterClassW(const WNDCLASSW* windowClass);
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, WNDCLASSW* windowClass);
int GetClassNameW(HWND window, LPWSTR name, int chars);

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance, void* param);
inline HWND CreateWindowW(LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                          int height, HWND parent, HMENU menuOrId, HINSTANCE instance, void* param) {
  return CreateWindowExW(0, className, windowName, style, x, y, width, height, parent, menuOrId, instance,
                         param);
}
// Destroys the window's owned windows, then the window: WM_DESTROY goes to it and then down its
// children, WM_NCDESTROY to the children first.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LONG GetWindowLongW(HWND window, int index);
LONG SetWindowLongW(HWND window, int index, LONG value);
LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
int GetDlgCtrlID(HWND window);

BOOL SetWindowTextW(HWND window, LPCWSTR text);
int GetWindowTextW(HWND window, LPWSTR text, int chars);
int GetWindowTextLengthW(HWND window);

BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
HWND SetFocus(HWND window);
HWND GetFocus();
// The stylus capture: the window that gets the stylus messages until it is released. The emulation
// delivers no stylus input itself, so capture is only recorded.
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetActiveWindow(HWND window);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
BOOL BringWindowToTop(HWND window);
BOOL UpdateWindow(HWND window);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// In screen coordinates.
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);

HWND GetParent(HWND window);
HWND SetParent(HWND child, HWND parent);
HWND GetWindow(HWND window, UINT command);
BOOL IsChild(HWND parent, HWND window);
HWND GetDesktopWindow();
// Top-level windows of the process by class and/or title (either may be null).
HWND FindWindowW(LPCWSTR className, LPCWSTR windowName);
HWND GetDlgItem(HWND dialog, int id);

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL PtInRect(const RECT* rect, POINT point);
