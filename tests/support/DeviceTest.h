#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/core/System.h"

namespace calyra::testing {

// A folder under the system temp folder, removed with everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Every test runs on a fresh device with a fixed clock and time zone.
class DeviceTest : public ::testing::Test {
 protected:
  // 2024-03-15 09:30:00 UTC, a Friday.
  static constexpr int64_t kFixedNowUtc = 133'549'686'000'000'000;
  static constexpr const char16_t* kTimeZone = u"Europe/Berlin";

  void SetUp() override;
  void TearDown() override;

  platform::Device& Device() { return *platform::CurrentDevice(); }
  const std::filesystem::path& DeviceFolder() const { return folder_.Path(); }
  // Detaches and reopens the same device folder, as a new process would find it.
  void ReopenDevice();

 private:
  TempFolder folder_;
};

// The path of a helper program built beside the running test binary.
std::filesystem::path HelperProgram(const std::string& name);

}  // namespace calyra::testing
