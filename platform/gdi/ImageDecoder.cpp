// Image decoding through stb_image, limited to the formats the device decodes.
#include "platform/gdi/ImageDecoder.h"

#include <memory>
#include <vector>

#include "platform/core/LastError.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/GdiObjects.h"

#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 4096
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
// stb is not held to our warnings (it is quiet as a system header, but may be found elsewhere).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

static_assert(STBI_MAX_DIMENSIONS == platform::kMaxImageSide);

namespace {

using namespace platform::gdi;

struct StbFree {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

HBITMAP Fail(DWORD error) {
  SetLastError(error);
  return nullptr;
}

// The size an image of `width` x `height` is shown at within the maximums (0: none).
void FitWithin(int width, int height, int maxWidth, int maxHeight, int* outWidth, int* outHeight) {
  *outWidth = width;
  *outHeight = height;
  bool tooWide = maxWidth > 0 && width > maxWidth;
  bool tooHigh = maxHeight > 0 && height > maxHeight;
  if (!tooWide && !tooHigh) return;
  // Bound by the width when maxWidth / width <= maxHeight / height.
  bool byWidth = maxWidth > 0 && (maxHeight <= 0 || int64_t{maxWidth} * height <= int64_t{maxHeight} * width);
  if (byWidth) {
    *outWidth = maxWidth;
    *outHeight = static_cast<int>((int64_t{height} * maxWidth * 2 + width) / (int64_t{width} * 2));
  } else {
    *outHeight = maxHeight;
    *outWidth = static_cast<int>((int64_t{width} * maxHeight * 2 + height) / (int64_t{height} * 2));
  }
  *outWidth = std::max(1, *outWidth);
  *outHeight = std::max(1, *outHeight);
}

uint32_t Read16(const BYTE* p) {
  return p[0] | (static_cast<uint32_t>(p[1]) << 8);
}
uint32_t Read32(const BYTE* p) {
  return Read16(p) | (Read16(p + 2) << 16);
}

// stb reads zeros past the end of its input, so a cut-off BMP, GIF or JPEG would decode with a blank
// part. These checks make sure the data holds a whole image before it is decoded.
bool WholeBmp(const BYTE* data, size_t size) {
  if (size < 14 + 16) return false;
  uint32_t offset = Read32(data + 10);
  uint32_t headerSize = Read32(data + 14);
  if (headerSize < 12 || size < 14 + static_cast<size_t>(headerSize)) return false;
  int64_t width = 0;
  int64_t height = 0;
  uint32_t bits = 0;
  uint32_t compression = 0;
  if (headerSize == 12) {
    width = Read16(data + 18);
    height = static_cast<int16_t>(Read16(data + 20));
    bits = Read16(data + 24);
  } else {
    width = static_cast<int32_t>(Read32(data + 18));
    height = static_cast<int32_t>(Read32(data + 22));
    bits = Read16(data + 28);
    compression = Read32(data + 30);
  }
  if (width <= 0 || height == 0 || bits == 0 || bits > 32) return false;
  if (compression != BI_RGB && compression != BI_BITFIELDS) return true;  // left to the decoder
  uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);
  return offset <= size && stride * rows <= size - offset;
}

// Walks the blocks up to the end of the first image's data.
bool WholeGif(const BYTE* data, size_t size) {
  if (size < 13) return false;
  size_t at = 13;
  if (data[10] & 0x80) at += size_t{3} << ((data[10] & 7) + 1);
  auto skipSubBlocks = [&]() {
    while (at < size) {
      BYTE length = data[at++];
      if (length == 0) return true;
      at += length;
    }
    return false;
  };
  while (at < size) {
    BYTE kind = data[at++];
    if (kind == 0x21) {  // extension: label, then sub-blocks
      if (at >= size) return false;
      ++at;
      if (!skipSubBlocks()) return false;
    } else if (kind == 0x2C) {  // image: descriptor, local colour table, code size, sub-blocks
      if (size - at < 9) return false;
      BYTE flags = data[at + 8];
      at += 9;
      if (flags & 0x80) at += size_t{3} << ((flags & 7) + 1);
      if (at >= size) return false;
      ++at;
      return skipSubBlocks();
    } else {
      return false;
    }
  }
  return false;
}

// The end-of-image marker after the start of the scan (entropy-coded data escapes 0xFF bytes, so
// only markers hold 0xFF followed by a byte other than 0 or a restart).
bool WholeJpeg(const BYTE* data, size_t size) {
  bool scan = false;
  for (size_t i = 0; i + 1 < size; ++i) {
    if (data[i] != 0xFF) continue;
    if (data[i + 1] == 0xDA) scan = true;
    if (data[i + 1] == 0xD9 && scan) return true;
  }
  return false;
}

bool WholeImage(const BYTE* data, size_t size) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return WholeBmp(data, size);
  if (size >= 3 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F') return WholeGif(data, size);
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return WholeJpeg(data, size);
  return true;  // PNG: stb checks its chunks itself
}

}  // namespace

namespace platform {

bool ImageSize(const BYTE* data, size_t size, SIZE* dimensions) {
  int width = 0;
  int height = 0;
  int channels = 0;
  if (data == nullptr || size == 0 || size > kMaxImageFileBytes ||
      !stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) || width <= 0 ||
      height <= 0 || width > kMaxImageSide || height > kMaxImageSide || !WholeImage(data, size)) {
    return false;
  }
  *dimensions = SIZE{width, height};
  return true;
}

HBITMAP DecodeImage(const BYTE* data, size_t size, int maxWidth, int maxHeight) {
  if (maxWidth < 0 || maxHeight < 0) return Fail(ERROR_INVALID_PARAMETER);
  if (data == nullptr || size == 0 || size > kMaxImageFileBytes) return Fail(ERROR_INVALID_DATA);
  int length = static_cast<int>(size);
  int width = 0;
  int height = 0;
  int channels = 0;
  if (!stbi_info_from_memory(data, length, &width, &height, &channels) || !WholeImage(data, size)) {
    return Fail(ERROR_INVALID_DATA);
  }
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
    return Fail(ERROR_INVALID_DATA);
  }
  std::unique_ptr<stbi_uc, StbFree> rgba(stbi_load_from_memory(data, length, &width, &height, &channels, 4));
  if (!rgba || width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
    return Fail(ERROR_INVALID_DATA);
  }
  int outWidth = 0;
  int outHeight = 0;
  FitWithin(width, height, maxWidth, maxHeight, &outWidth, &outHeight);
  auto bitmap = MakeBitmap(outWidth, outHeight, 32);
  if (!bitmap) return nullptr;
  const stbi_uc* pixels = rgba.get();
  for (int y = 0; y < outHeight; ++y) {
    // The source rows and columns this pixel covers (at least one of each).
    int top = static_cast<int>(int64_t{y} * height / outHeight);
    int bottom = std::max(top + 1, static_cast<int>(int64_t{y + 1} * height / outHeight));
    for (int x = 0; x < outWidth; ++x) {
      int left = static_cast<int>(int64_t{x} * width / outWidth);
      int right = std::max(left + 1, static_cast<int>(int64_t{x + 1} * width / outWidth));
      uint64_t sum[3] = {0, 0, 0};
      for (int sy = top; sy < bottom; ++sy) {
        const stbi_uc* row = pixels + (static_cast<size_t>(sy) * width) * 4;
        for (int sx = left; sx < right; ++sx) {
          for (int c = 0; c < 3; ++c) sum[c] += row[static_cast<size_t>(sx) * 4 + c];
        }
      }
      uint64_t count = static_cast<uint64_t>(bottom - top) * static_cast<uint64_t>(right - left);
      uint32_t r = static_cast<uint32_t>((sum[0] + count / 2) / count);
      uint32_t g = static_cast<uint32_t>((sum[1] + count / 2) / count);
      uint32_t b = static_cast<uint32_t>((sum[2] + count / 2) / count);
      bitmap->At(x, y) = (r << 16) | (g << 8) | b;
    }
  }
  return AddBitmap(std::move(bitmap));
}

HBITMAP DecodeImageFile(LPCWSTR cePath, int maxWidth, int maxHeight) {
  HANDLE file = CreateFileW(cePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  DWORD high = 0;
  DWORD low = GetFileSize(file, &high);
  if (high != 0 || low > kMaxImageFileBytes) {
    CloseHandle(file);
    return Fail(ERROR_INVALID_DATA);
  }
  std::vector<BYTE> bytes(low);
  DWORD total = 0;
  while (total < low) {
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + total, low - total, &read, nullptr)) {
      DWORD error = GetLastError();
      CloseHandle(file);
      return Fail(error);
    }
    if (read == 0) break;
    total += read;
  }
  CloseHandle(file);
  return DecodeImage(bytes.data(), total, maxWidth, maxHeight);
}

}  // namespace platform
