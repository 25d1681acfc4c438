#pragma once

#include <cstddef>

#include "platform/gdi/Gdi.h"

// The device's image decompression library: BMP, JPEG, GIF (the first frame) and PNG files become
// 32-bit bitmaps (alpha is dropped). Input that is empty, truncated, corrupt, of another format or
// larger than kMaxImageSide on a side gives null and ERROR_INVALID_DATA; nothing in the input can
// crash the decoder.

namespace platform {

inline constexpr int kMaxImageSide = 4096;
// Files larger than this are not read.
inline constexpr size_t kMaxImageFileBytes = size_t{64} << 20;

// The width and height of an image held in memory, read from its header without decoding it; false
// for anything DecodeImage would refuse on its face.
bool ImageSize(const BYTE* data, size_t size, SIZE* dimensions);
// Decodes an image held in memory. With a maximum width and/or height (0: none), a larger image is
// scaled down, keeping its proportions, to fit (averaging the pixels it covers); it is never scaled
// up. Null for a negative maximum (ERROR_INVALID_PARAMETER).
HBITMAP DecodeImage(const BYTE* data, size_t size, int maxWidth = 0, int maxHeight = 0);
// The same for a file of the device, read through CreateFileW and ReadFile; null with the file
// system's error when it cannot be read.
HBITMAP DecodeImageFile(LPCWSTR cePath, int maxWidth = 0, int maxHeight = 0);

}  // namespace platform
