#pragma once

#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"

// The device's locale: the device setting "Locale" (a name such as "en-US", the default), with its
// values from ICU's data; each value can be overridden by the device setting "Locale.<LCTYPE in
// decimal>", as the device's regional settings would.

using LCID = DWORD;
using LCTYPE = DWORD;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

inline constexpr LCTYPE LOCALE_SLANGUAGE = 0x0002;
inline constexpr LCTYPE LOCALE_ICOUNTRY = 0x0005;  // the telephone country code
inline constexpr LCTYPE LOCALE_SNATIVELANGNAME = 0x0004;
inline constexpr LCTYPE LOCALE_SCOUNTRY = 0x0006;
inline constexpr LCTYPE LOCALE_SNATIVECTRYNAME = 0x0008;
inline constexpr LCTYPE LOCALE_SLIST = 0x000C;
inline constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
inline constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;
inline constexpr LCTYPE LOCALE_SDATE = 0x001D;
inline constexpr LCTYPE LOCALE_STIME = 0x001E;
inline constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
inline constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
inline constexpr LCTYPE LOCALE_IDATE = 0x0021;
inline constexpr LCTYPE LOCALE_ILDATE = 0x0022;
inline constexpr LCTYPE LOCALE_ITIME = 0x0023;
inline constexpr LCTYPE LOCALE_ICENTURY = 0x0024;
inline constexpr LCTYPE LOCALE_ITLZERO = 0x0025;
inline constexpr LCTYPE LOCALE_IDAYLZERO = 0x0026;
inline constexpr LCTYPE LOCALE_IMONLZERO = 0x0027;
inline constexpr LCTYPE LOCALE_S1159 = 0x0028;
inline constexpr LCTYPE LOCALE_S2359 = 0x0029;
inline constexpr LCTYPE LOCALE_SDAYNAME1 = 0x002A;          // Monday; to SDAYNAME7 (Sunday) 0x0030
inline constexpr LCTYPE LOCALE_SABBREVDAYNAME1 = 0x0031;    // to 0x0037
inline constexpr LCTYPE LOCALE_SMONTHNAME1 = 0x0038;        // to 0x0043
inline constexpr LCTYPE LOCALE_SABBREVMONTHNAME1 = 0x0044;  // to 0x004F
inline constexpr LCTYPE LOCALE_SISO639LANGNAME = 0x0059;
inline constexpr LCTYPE LOCALE_SISO3166CTRYNAME = 0x005A;
inline constexpr LCTYPE LOCALE_SENGLANGUAGE = 0x1001;
inline constexpr LCTYPE LOCALE_SENGCOUNTRY = 0x1002;
inline constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;
inline constexpr LCTYPE LOCALE_IDEFAULTANSICODEPAGE = 0x1004;
inline constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;
inline constexpr LCTYPE LOCALE_SYEARMONTH = 0x1006;

LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();
// Count mode with `chars` 0 (the size with the zero); ERROR_INSUFFICIENT_BUFFER when too small.
int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR buffer, int chars);

inline constexpr DWORD LCID_INSTALLED = 0x1;
inline constexpr DWORD LCID_SUPPORTED = 0x2;
using LOCALE_ENUMPROCW = BOOL (*)(LPWSTR lcidText);
// Calls back with each known locale's identifier as eight hexadecimal digits, until it returns FALSE.
BOOL EnumSystemLocalesW(LOCALE_ENUMPROCW callback, DWORD flags);

inline constexpr DWORD DATE_SHORTDATE = 0x1;
inline constexpr DWORD DATE_LONGDATE = 0x2;
inline constexpr DWORD TIME_NOMINUTESORSECONDS = 0x1;
inline constexpr DWORD TIME_NOSECONDS = 0x2;
inline constexpr DWORD TIME_NOTIMEMARKER = 0x4;
inline constexpr DWORD TIME_FORCE24HOURFORMAT = 0x8;

// Pictures: d dd ddd dddd M MM MMM MMMM y yy yyyy, and h hh H HH m mm s ss t tt; 'quoted' text stands as
// it is ('' is a quote). A null time is the device's local time now; a null picture the locale's format.
int GetDateFormatW(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCWSTR picture, LPWSTR buffer,
                   int chars);
int GetTimeFormatW(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR picture, LPWSTR buffer,
                   int chars);

namespace platform {

// Every country ICU knows, by English name, with its name in the country's main language.
struct CountryName {
  std::u16string englishName;
  std::u16string nativeName;
};
std::vector<CountryName> NativeCountryNames();

}  // namespace platform
