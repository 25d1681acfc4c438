// Feeds arbitrary bytes to the image decoder, whole and scaled down, on a scratch device.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzDevice.h"
#include "platform/gdi/ImageDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!AttachFuzzDevice()) return 0;
  HBITMAP bitmap = platform::DecodeImage(data, size);
  if (bitmap) {
    platform::Pixels pixels = platform::BitmapPixels(bitmap);
    if (pixels.width <= 0 || pixels.width > platform::kMaxImageSide || pixels.height <= 0 ||
        pixels.height > platform::kMaxImageSide) {
      __builtin_trap();
    }
    if (!DeleteObject(bitmap)) __builtin_trap();
  }
  // The same input fitted into a small box must never come out larger than the box.
  if (HBITMAP small = platform::DecodeImage(data, size, 7, 5)) {
    platform::Pixels pixels = platform::BitmapPixels(small);
    if (pixels.width > 7 || pixels.height > 5) __builtin_trap();
    DeleteObject(small);
  }
  return 0;
}
