#include "hosts/calyra/NoteFile.h"

#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/ui/controls/InkBlob.h"

namespace calyra::host {

std::optional<std::u16string> NoteFileText(std::u16string_view path) {
  std::u16string name(path);
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.insert(bytes.end(), buffer, buffer + read);
  CloseHandle(file);
  if (bytes.empty()) return std::u16string();
  return platform::InkBlobPlainText(bytes.data(), bytes.size());
}

}  // namespace calyra::host
