// PNG files of pixels, through stb's image writer.
#include <fstream>
#include <vector>

#include "platform/gdi/Gdi.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace platform {

std::vector<uint8_t> EncodePng(const Pixels& pixels) {
  std::vector<uint8_t> file;
  if (pixels.width <= 0 || pixels.height <= 0) return file;
  std::vector<uint8_t> rgb;
  rgb.reserve(pixels.values.size() * 3);
  for (uint32_t value : pixels.values) {
    rgb.push_back(static_cast<uint8_t>(value >> 16));
    rgb.push_back(static_cast<uint8_t>(value >> 8));
    rgb.push_back(static_cast<uint8_t>(value));
  }
  auto append = [](void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  };
  if (!stbi_write_png_to_func(append, &file, pixels.width, pixels.height, 3, rgb.data(), pixels.width * 3)) {
    file.clear();
  }
  return file;
}

bool WritePngFile(const Pixels& pixels, const std::string& hostPath) {
  std::vector<uint8_t> bytes = EncodePng(pixels);
  if (bytes.empty()) return false;
  std::ofstream file(hostPath, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace platform
