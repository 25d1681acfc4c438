#pragma once

#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/ui/WindowTypes.h"

// Painting: WM_ERASEBKGND and WM_PAINT are sent only when a picture is asked for, by UpdateWindow
// (the window and its children onto the screen surface) or by DrawScreen (the whole screen into a
// new bitmap). A window procedure paints between BeginPaint and EndPaint, in client coordinates;
// what it draws lands at the window's place and is clipped to its visible part.

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};

// The DC a window paints with while the window system asks it to; null for an unknown window.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);

namespace platform {

// The screen as a person would see it: the desktop, then each visible top-level window from the
// bottom of the z-order up, each with its visible children clipped to their parents. The size is the
// device's screen size (Screen.Width x Screen.Height).
Pixels DrawScreen();
// Paints a window and its visible children onto the screen surface (what UpdateWindow does).
void PaintWindowTree(HWND window);

}  // namespace platform
