#pragma once

#include <span>

#include "platform/ui/WindowTypes.h"

namespace calyra {

// The number of images in the toolbar strip of the editors' menu bars.
inline constexpr int kToolbarImages = 26;

// A menu bar of a menu resource over `parent`, carrying the toolbar strip at the screen's resolution
// (the small strip when the large one cannot be had); null when the bar could not be made.
HWND CreateImageMenuBar(HWND parent, HINSTANCE resources, int menu);

// A menu bar button and its image in the toolbar strip.
struct MenuBarImage {
  int command;
  int image;
};
void SetMenuBarImages(HWND bar, std::span<const MenuBarImage> images);

}  // namespace calyra
