#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageDecoder.h"

namespace calyra::testing {

// The pixels of a PNG file on the host; width 0 when it cannot be read.
inline platform::Pixels ReadPng(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<BYTE> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  HBITMAP bitmap = bytes.empty() ? nullptr : platform::DecodeImage(bytes.data(), bytes.size());
  platform::Pixels pixels = platform::BitmapPixels(bitmap);
  if (bitmap) DeleteObject(bitmap);
  return pixels;
}

}  // namespace calyra::testing
