#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/files/FileSystem.h"

namespace calyra::testing {

// Writes `bytes` as a file on the device, replacing one that is there.
inline void WriteDeviceFile(const std::u16string& path, const std::string& bytes) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// The phrase file of the documents folder, where the phrase selection finds it.
inline void WritePhraseFile(const std::string& xml) {
  CreateDirectoryW(u"\\My Documents", nullptr);
  WriteDeviceFile(u"\\My Documents\\quillon.xml", xml);
}

}  // namespace calyra::testing
