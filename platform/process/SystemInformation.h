#pragma once

#include "platform/core/PlatformTypes.h"

// What the device says about itself. The version and platform type come from the device settings
// "Version.Major", "Version.Minor", "Version.Build" and "PlatformType" (4.20, "PocketPC" by default).

inline constexpr DWORD VER_PLATFORM_WIN32_CE = 3;

struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
};

BOOL GetVersionExW(OSVERSIONINFOW* info);

inline constexpr UINT SPI_GETPLATFORMTYPE = 257;
inline constexpr UINT SPI_GETOEMINFO = 258;

// For the two text queries, `size` is the buffer's size in bytes; the text is cut to fit.
BOOL SystemParametersInfoW(UINT action, UINT size, void* buffer, UINT winIni);
