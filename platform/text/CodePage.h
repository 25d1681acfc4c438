#pragma once

#include <string>
#include <string_view>

#include "platform/core/PlatformTypes.h"

// Conversions between UTF-16 and the device's byte code pages: its ANSI code page (1252) and UTF-8.
inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;

// The platform's shapes: a byte count of -1 means zero-terminated (the count then includes the zero);
// an output size of 0 asks for the size needed; a small output fails with ERROR_INSUFFICIENT_BUFFER.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* bytes, int byteCount, WCHAR* wide,
                        int wideCount);
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* wide, int wideCount, char* bytes,
                        int byteCount, const char* defaultChar, BOOL* usedDefaultChar);

namespace platform {

// Characters that code page 1252 lacks become "?".
std::string ToCodePage1252(std::u16string_view text);
std::u16string FromCodePage1252(std::string_view bytes);

}  // namespace platform
