#pragma once

#include "platform/ui/WindowTypes.h"

namespace calyra {

// A new image list (the caller's) of `count` images from a strip of 16-pixel images whose pure green
// is transparent: `largeBitmap` (the same at 32 pixels) on a high-resolution screen, else
// `smallBitmap`. Empty when the bitmap is missing.
HIMAGELIST LoadImageStrip(HINSTANCE resources, int smallBitmap, int largeBitmap, int count);

}  // namespace calyra
