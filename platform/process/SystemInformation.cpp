#include "platform/process/SystemInformation.h"

#include <string>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"

namespace {

std::u16string SettingOr(const char* name, std::u16string_view fallback) {
  platform::Device* device = platform::CurrentDevice();
  if (device == nullptr) return std::u16string(fallback);
  return device->Setting(name).value_or(std::u16string(fallback));
}

DWORD NumberSetting(const char* name, DWORD fallback) {
  std::u16string text = SettingOr(name, u"");
  if (text.empty()) return fallback;
  DWORD value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return fallback;
    value = value * 10 + (c - u'0');
  }
  return value;
}

}  // namespace

BOOL GetVersionExW(OSVERSIONINFOW* info) {
  if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->dwMajorVersion = NumberSetting("Version.Major", 4);
  info->dwMinorVersion = NumberSetting("Version.Minor", 20);
  info->dwBuildNumber = NumberSetting("Version.Build", 1081);
  info->dwPlatformId = VER_PLATFORM_WIN32_CE;
  info->szCSDVersion[0] = u'\0';
  return TRUE;
}

BOOL SystemParametersInfoW(UINT action, UINT size, void* buffer, UINT) {
  std::u16string text;
  switch (action) {
    case SPI_GETPLATFORMTYPE:
      text = SettingOr("PlatformType", u"PocketPC");
      break;
    case SPI_GETOEMINFO:
      text = SettingOr("OemInfo", u"Calyra Emulated Device");
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
  if (buffer == nullptr || size < sizeof(char16_t)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  platform::BoundedCopy(static_cast<char16_t*>(buffer), size / sizeof(char16_t), text);
  return TRUE;
}
