#include "tests/support/DeviceTest.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace calyra::testing {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "calyra-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void DeviceTest::SetUp() {
  std::string error;
  auto device = platform::Device::Open(folder_.Path() / "device", &error);
  ASSERT_NE(device, nullptr) << error;
  device->SetSetting("Clock.Fixed", std::u16string(u"133549686000000000"));
  device->SetSetting("TimeZone", kTimeZone);
  platform::System::Current().AttachDevice(std::move(device));
}

void DeviceTest::TearDown() {
  platform::System::Current().DetachDevice();
}

void DeviceTest::ReopenDevice() {
  platform::System::Current().DetachDevice();
  auto device = platform::Device::Open(folder_.Path() / "device");
  ASSERT_NE(device, nullptr);
  platform::System::Current().AttachDevice(std::move(device));
}

std::filesystem::path HelperProgram(const std::string& name) {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

}  // namespace calyra::testing
