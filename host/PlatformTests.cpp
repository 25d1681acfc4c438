#include "host/PlatformTests.h"

#include <string>

#include "platform/core/System.h"
#include "platform/process/SystemInformation.h"
#include "platform/text/Text.h"

namespace calyra {

namespace {

DWORD MajorVersion() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  return GetVersionExW(&version) ? version.dwMajorVersion : 0;
}

std::u16string PlatformType() {
  WCHAR type[256] = {};
  if (!SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(type), type, 0)) return {};
  return type;
}

bool IsPocketPc() {
  return platform::EqualsNoCase(PlatformType(), u"PocketPC");
}

}  // namespace

bool IsPalmSizePc3() {
  return MajorVersion() == 3 && PlatformType().find(u"Palm PC") != std::u16string::npos;
}
bool IsPocketPc3OrLater() {
  return MajorVersion() >= 3 && IsPocketPc();
}
bool IsPocketPc4() {
  return MajorVersion() == 4 && IsPocketPc();
}
bool IsPocketPc4OrLater() {
  return MajorVersion() >= 4 && IsPocketPc();
}

bool IsPhoneCapable() {
  platform::Device* device = platform::CurrentDevice();
  return IsPocketPc3OrLater() && device && device->Setting("Phone") == std::u16string(u"1");
}

}  // namespace calyra
