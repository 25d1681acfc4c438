// Writing a bitmap as a BMP file of the device.
#include <cstring>
#include <vector>

#include "platform/core/LastError.h"
#include "platform/files/FileSystem.h"
#include "platform/gdi/GdiObjects.h"

namespace platform {

BOOL SaveBitmapFile(HBITMAP bitmap, LPCWSTR cePath) {
  auto object = gdi::BitmapOf(bitmap);
  if (!object) return FALSE;
  // 24 bits per pixel, rows bottom to top, each padded to four bytes.
  size_t stride = (static_cast<size_t>(object->width) * 3 + 3) / 4 * 4;
  size_t imageBytes = stride * static_cast<size_t>(object->height);
  size_t offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  std::vector<BYTE> bytes(offset + imageBytes, 0);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfSize = static_cast<DWORD>(bytes.size());
  file.bfOffBits = static_cast<DWORD>(offset);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(BITMAPINFOHEADER);
  info.biWidth = object->width;
  info.biHeight = object->height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(imageBytes);
  info.biXPelsPerMeter = MulDiv(ScreenDpiX(), 10000, 254);
  info.biYPelsPerMeter = MulDiv(ScreenDpiY(), 10000, 254);
  std::memcpy(bytes.data(), &file, sizeof(file));
  std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
  for (int y = 0; y < object->height; ++y) {
    BYTE* row = bytes.data() + offset + stride * static_cast<size_t>(object->height - 1 - y);
    for (int x = 0; x < object->width; ++x) {
      uint32_t pixel = object->Get(x, y);
      row[x * 3] = static_cast<BYTE>(pixel);
      row[x * 3 + 1] = static_cast<BYTE>(pixel >> 8);
      row[x * 3 + 2] = static_cast<BYTE>(pixel >> 16);
    }
  }
  HANDLE handle =
      CreateFileW(cePath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return FALSE;
  DWORD written = 0;
  BOOL ok = WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  DWORD error = GetLastError();
  CloseHandle(handle);
  if (!ok || written != bytes.size()) {
    SetLastError(ok ? ERROR_WRITE_FAULT : error);
    return FALSE;
  }
  return TRUE;
}

}  // namespace platform
