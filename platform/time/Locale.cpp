#include "platform/time/Locale.h"

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/core/LastError.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"
#include "platform/time/LocaleText.h"
#include "platform/time/TimeConversion.h"

namespace {

struct KnownLocale {
  LCID id;
  const char* name;
  DWORD ansiCodePage;
  DWORD countryCode;
};

constexpr KnownLocale kLocales[] = {
    {0x0404, "zh-TW", 950, 886},  {0x0405, "cs-CZ", 1250, 420}, {0x0406, "da-DK", 1252, 45},
    {0x0407, "de-DE", 1252, 49},  {0x0408, "el-GR", 1253, 30},  {0x0409, "en-US", 1252, 1},
    {0x040A, "es-ES", 1252, 34},  {0x040B, "fi-FI", 1252, 358}, {0x040C, "fr-FR", 1252, 33},
    {0x040D, "he-IL", 1255, 972}, {0x040E, "hu-HU", 1250, 36},  {0x0410, "it-IT", 1252, 39},
    {0x0411, "ja-JP", 932, 81},   {0x0412, "ko-KR", 949, 82},   {0x0413, "nl-NL", 1252, 31},
    {0x0414, "nb-NO", 1252, 47},  {0x0415, "pl-PL", 1250, 48},  {0x0416, "pt-BR", 1252, 55},
    {0x0419, "ru-RU", 1251, 7},   {0x041D, "sv-SE", 1252, 46},  {0x041F, "tr-TR", 1254, 90},
    {0x0804, "zh-CN", 936, 86},   {0x0807, "de-CH", 1252, 41},  {0x0809, "en-GB", 1252, 44},
    {0x080C, "fr-BE", 1252, 32},  {0x0816, "pt-PT", 1252, 351}, {0x0C07, "de-AT", 1252, 43},
    {0x0C09, "en-AU", 1252, 61},  {0x0C0A, "es-ES", 1252, 34},  {0x0C0C, "fr-CA", 1252, 2},
    {0x1009, "en-CA", 1252, 2},
};

const KnownLocale* LocaleNamed(const std::u16string& name) {
  for (const KnownLocale& known : kLocales) {
    if (platform::EqualsNoCase(platform::FromUtf8(known.name), name)) return &known;
  }
  return &kLocales[5];  // en-US
}

// The locale of the last name asked for, so that the setting is matched against the table once.
struct DeviceLocaleCache : platform::ProcessState {
  std::mutex lock;
  std::u16string name;
  const KnownLocale* locale = nullptr;
};

const KnownLocale* DeviceLocale() {
  std::u16string name = u"en-US";
  if (platform::Device* device = platform::CurrentDevice()) {
    if (auto chosen = device->Setting("Locale")) name = *chosen;
  }
  auto& cache = platform::System::Current().State<DeviceLocaleCache>();
  std::lock_guard guard(cache.lock);
  if (!cache.locale || cache.name != name) {
    cache.locale = LocaleNamed(name);
    cache.name = name;
  }
  return cache.locale;
}

const KnownLocale* Find(LCID id) {
  if (id == LOCALE_USER_DEFAULT || id == LOCALE_SYSTEM_DEFAULT || id == 0) return DeviceLocale();
  for (const KnownLocale& known : kLocales) {
    if (known.id == id) return &known;
  }
  return nullptr;
}

std::u16string FromIcu(const icu::UnicodeString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.getBuffer()),
                        static_cast<size_t>(text.length()));
}

// An ICU date pattern in the platform's picture syntax: the letters both share are kept, E becomes d,
// a becomes tt, L becomes M, a lone y becomes yyyy, and letters the pictures lack are dropped.
std::u16string PictureOf(const icu::UnicodeString& pattern) {
  std::u16string icu = FromIcu(pattern), out;
  for (size_t i = 0; i < icu.size();) {
    char16_t c = icu[i];
    if (c == u'\'') {
      size_t end = icu.find(u'\'', i + 1);
      if (end == std::u16string::npos) end = icu.size() - 1;
      out += icu.substr(i, end - i + 1);
      i = end + 1;
      continue;
    }
    size_t run = 1;
    while (i + run < icu.size() && icu[i + run] == c) ++run;
    i += run;
    switch (c) {
      case u'd':
      case u'M':
      case u'h':
      case u'H':
      case u'm':
      case u's':
        out.append(std::min<size_t>(run, c == u'M' ? 4 : 2), c);
        break;
      case u'L':
        out.append(std::min<size_t>(run, 4), u'M');
        break;
      case u'y':
        out += run == 2 ? u"yy" : u"yyyy";
        break;
      case u'E':
      case u'c':
        out += run >= 4 ? u"dddd" : u"ddd";
        break;
      case u'a':
        out += u"tt";
        break;
      case u'\u00a0':
      case u'\u202f':
        out.append(run, u' ');  // the device's pictures use plain blanks
        break;
      default:
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) break;  // era, zone, week...
        out += std::u16string(run, c);
    }
  }
  // Dropping a letter can leave blanks or commas at the ends.
  while (!out.empty() && (out.back() == u' ' || out.back() == u',')) out.pop_back();
  while (!out.empty() && out.front() == u' ') out.erase(0, 1);
  return out;
}

std::u16string DatePattern(const icu::Locale& locale, icu::DateFormat::EStyle style, bool time) {
  std::unique_ptr<icu::DateFormat> format(time ? icu::DateFormat::createTimeInstance(style, locale)
                                               : icu::DateFormat::createDateInstance(style, locale));
  auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get());
  if (simple == nullptr) return time ? u"h:mm:ss tt" : u"M/d/yy";
  icu::UnicodeString pattern;
  simple->toPattern(pattern);
  return PictureOf(pattern);
}

std::u16string FirstSeparator(const std::u16string& picture) {
  for (char16_t c : picture) {
    if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) return std::u16string(1, c);
  }
  return u"/";
}

// 0 month-day-year, 1 day-month-year, 2 year-month-day.
std::u16string OrderOf(const std::u16string& picture) {
  size_t d = picture.find(u'd'), m = picture.find(u'M'), y = picture.find(u'y');
  if (y < m && y < d) return u"2";
  return d < m ? u"1" : u"0";
}

std::u16string Number(int64_t value) {
  return platform::FromUtf8(std::to_string(value));
}

std::u16string LocaleValue(const KnownLocale& known, LCTYPE type) {
  UErrorCode status = U_ZERO_ERROR;
  icu::Locale locale = icu::Locale::forLanguageTag(known.name, status);
  status = U_ZERO_ERROR;
  icu::DateFormatSymbols symbols(locale, status);
  int32_t count = 0;
  std::u16string shortDate = DatePattern(locale, icu::DateFormat::kShort, false);
  std::u16string timeFormat = DatePattern(locale, icu::DateFormat::kMedium, true);
  bool hours24 = timeFormat.find(u'H') != std::u16string::npos;
  icu::UnicodeString text;
  if (type >= LOCALE_SDAYNAME1 && type <= LOCALE_SABBREVDAYNAME1 + 6) {
    bool abbreviated = type >= LOCALE_SABBREVDAYNAME1;
    int monday0 = static_cast<int>(type - (abbreviated ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1));
    const icu::UnicodeString* days =
        abbreviated ? symbols.getShortWeekdays(count) : symbols.getWeekdays(count);
    int index = monday0 == 6 ? UCAL_SUNDAY : UCAL_MONDAY + monday0;  // ICU counts from Sunday = 1
    return index < count ? FromIcu(days[index]) : u"";
  }
  if (type >= LOCALE_SMONTHNAME1 && type <= LOCALE_SABBREVMONTHNAME1 + 11) {
    bool abbreviated = type >= LOCALE_SABBREVMONTHNAME1;
    int month = static_cast<int>(type - (abbreviated ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1));
    const icu::UnicodeString* months = abbreviated ? symbols.getShortMonths(count) : symbols.getMonths(count);
    return month < count ? FromIcu(months[month]) : u"";
  }
  icu::DecimalFormatSymbols numbers(locale, status);
  switch (type) {
    case LOCALE_SSHORTDATE:
      return shortDate;
    case LOCALE_SLONGDATE:
      return DatePattern(locale, icu::DateFormat::kFull, false);
    case LOCALE_STIMEFORMAT:
      return timeFormat;
    case LOCALE_SYEARMONTH: {
      std::unique_ptr<icu::DateTimePatternGenerator> generator(
          icu::DateTimePatternGenerator::createInstance(locale, status));
      if (U_FAILURE(status) || !generator) return u"MMMM yyyy";
      return PictureOf(generator->getBestPattern(icu::UnicodeString("yMMMM"), status));
    }
    case LOCALE_SDATE:
      return FirstSeparator(shortDate);
    case LOCALE_STIME:
      return FirstSeparator(timeFormat);
    case LOCALE_IDATE:
      return OrderOf(shortDate);
    case LOCALE_ILDATE:
      return OrderOf(DatePattern(locale, icu::DateFormat::kFull, false));
    case LOCALE_ITIME:
      return hours24 ? u"1" : u"0";
    case LOCALE_ITLZERO:
      return timeFormat.find(u"hh") != std::u16string::npos || timeFormat.find(u"HH") != std::u16string::npos
                 ? u"1"
                 : u"0";
    case LOCALE_ICENTURY:
      return shortDate.find(u"yyyy") != std::u16string::npos ? u"1" : u"0";
    case LOCALE_IDAYLZERO:
      return shortDate.find(u"dd") != std::u16string::npos ? u"1" : u"0";
    case LOCALE_IMONLZERO:
      return shortDate.find(u"MM") != std::u16string::npos ? u"1" : u"0";
    case LOCALE_S1159:
    case LOCALE_S2359: {
      if (hours24) return u"";
      const icu::UnicodeString* markers = symbols.getAmPmStrings(count);
      int index = type == LOCALE_S1159 ? 0 : 1;
      return index < count ? FromIcu(markers[index]) : u"";
    }
    case LOCALE_IFIRSTDAYOFWEEK: {
      std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(locale, status));
      int first = calendar ? calendar->getFirstDayOfWeek(status) : UCAL_MONDAY;
      return Number((first + 5) % 7);  // the platform counts from Monday = 0
    }
    case LOCALE_SENGCOUNTRY:
      return FromIcu(locale.getDisplayCountry(icu::Locale::getEnglish(), text));
    case LOCALE_SCOUNTRY:
    case LOCALE_SNATIVECTRYNAME:
      return FromIcu(locale.getDisplayCountry(locale, text));
    case LOCALE_SENGLANGUAGE:
      return FromIcu(locale.getDisplayLanguage(icu::Locale::getEnglish(), text));
    case LOCALE_SLANGUAGE:
    case LOCALE_SNATIVELANGNAME:
      return FromIcu(locale.getDisplayLanguage(locale, text));
    case LOCALE_SISO639LANGNAME:
      return platform::FromUtf8(locale.getLanguage());
    case LOCALE_SISO3166CTRYNAME:
      return platform::FromUtf8(locale.getCountry());
    case LOCALE_IDEFAULTANSICODEPAGE:
      return Number(known.ansiCodePage);
    case LOCALE_ICOUNTRY:
      return Number(known.countryCode);
    case LOCALE_SDECIMAL:
      return FromIcu(numbers.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
    case LOCALE_STHOUSAND:
      return FromIcu(numbers.getSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol));
    case LOCALE_SLIST:
      return FromIcu(numbers.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol)) == u"," ? u";"
                                                                                                    : u",";
    default:
      return u"\x01";  // no such value
  }
}

// ICU's data does not change while the process runs: each value is worked out once.
struct LocaleCache : platform::ProcessState {
  std::mutex lock;
  std::map<std::pair<LCID, LCTYPE>, std::u16string> values;
};

std::u16string CachedLocaleValue(const KnownLocale& known, LCTYPE type) {
  auto& cache = platform::System::Current().State<LocaleCache>();
  std::lock_guard guard(cache.lock);
  auto key = std::make_pair(known.id, type);
  auto found = cache.values.find(key);
  if (found != cache.values.end()) return found->second;
  return cache.values[key] = LocaleValue(known, type);
}

}  // namespace

namespace platform {

bool LocaleText(LCID id, LCTYPE type, std::u16string* value) {
  const KnownLocale* known = Find(id);
  if (known == nullptr) return false;
  if (Device* device = CurrentDevice()) {
    if (auto overridden = device->Setting("Locale." + std::to_string(type))) {
      *value = *overridden;
      return true;
    }
  }
  *value = CachedLocaleValue(*known, type);
  return *value != u"\x01";
}

int DeliverLocaleText(const std::u16string& value, LPWSTR buffer, int chars) {
  int needed = static_cast<int>(value.size()) + 1;
  if (chars == 0) return needed;
  if (buffer == nullptr || chars < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (chars < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  BoundedCopy(buffer, static_cast<size_t>(chars), value);
  return needed;
}

}  // namespace platform

LCID GetUserDefaultLCID() {
  return DeviceLocale()->id;
}
LCID GetSystemDefaultLCID() {
  return DeviceLocale()->id;
}

int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR buffer, int chars) {
  std::u16string value;
  if (!platform::LocaleText(locale, type, &value)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return platform::DeliverLocaleText(value, buffer, chars);
}

BOOL EnumSystemLocalesW(LOCALE_ENUMPROCW callback, DWORD) {
  if (callback == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  for (const KnownLocale& known : kLocales) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", known.id);
    std::u16string wide = platform::FromUtf8(text);
    if (!callback(wide.data())) break;
  }
  return TRUE;
}

namespace platform {

std::vector<CountryName> NativeCountryNames() {
  std::vector<CountryName> names;
  std::map<std::string, bool> seen;
  int32_t count = 0;
  const icu::Locale* available = icu::Locale::getAvailableLocales(count);
  for (int32_t i = 0; i < count; ++i) {
    std::string country = available[i].getCountry();
    if (country.empty() || seen[country]) continue;
    seen[country] = true;
    // The country's main language, as ICU's likely subtags give it for "und" in that country.
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale likely(("und_" + country).c_str());
    likely.addLikelySubtags(status);
    icu::Locale main(likely.getLanguage(), country.c_str());
    icu::UnicodeString english, native;
    main.getDisplayCountry(icu::Locale::getEnglish(), english);
    main.getDisplayCountry(main, native);
    names.push_back({FromIcu(english), FromIcu(native)});
  }
  return names;
}

}  // namespace platform
