#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"

namespace calyra::testing {

// Writes a 24-bit bottom-up bitmap file of one colour into the device, making its folder.
inline void WriteBitmapFile(const std::u16string& cePath, int width, int height, uint8_t red = 0xC0) {
  int stride = (width * 3 + 3) & ~3;
  auto imageBytes = static_cast<uint32_t>(stride * height);
  std::vector<uint8_t> file(54 + imageBytes, 0);
  auto put32 = [&](size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  file[26] = 1;
  file[28] = 24;
  put32(34, imageBytes);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) file[54 + static_cast<size_t>(y * stride + x * 3 + 2)] = red;
  }
  auto path = *platform::HostPathOf(cePath);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

}  // namespace calyra::testing
