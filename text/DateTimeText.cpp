#include "text/DateTimeText.h"

#include "platform/text/Formatter.h"
#include "platform/text/Text.h"
#include "platform/time/Locale.h"

namespace calyra {

namespace {

constexpr int kSettingChars = 32;
constexpr int kPictureChars = 64;

std::u16string Setting(LCTYPE type, int chars = kSettingChars, LCID locale = LOCALE_USER_DEFAULT) {
  std::u16string buffer(static_cast<size_t>(chars), u'\0');
  if (GetLocaleInfoW(locale, type, buffer.data(), chars) == 0) return {};
  return std::u16string(platform::TextView(buffer.data(), buffer.size()));
}

int NumberSetting(LCTYPE type) {
  std::u16string text = Setting(type);
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    value = value * 10 + (c - u'0');
  }
  return value;
}

// Locale entries run Monday to Sunday; days of the week run Sunday to Saturday.
LCTYPE DayEntry(LCTYPE first, int dayOfWeek) {
  int day = ((dayOfWeek % 7) + 7) % 7;
  return first + static_cast<LCTYPE>(day == 0 ? 6 : day - 1);
}

std::u16string FormatDate(const SYSTEMTIME& date, const std::u16string& picture) {
  char16_t buffer[kPictureChars * 4];
  if (GetDateFormatW(LOCALE_USER_DEFAULT, 0, &date, picture.c_str(), buffer, kPictureChars * 4) == 0)
    return {};
  return buffer;
}

std::u16string FormatTime(const SYSTEMTIME& time, const std::u16string& picture) {
  char16_t buffer[kPictureChars];
  if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, picture.c_str(), buffer, kPictureChars) == 0) return {};
  return buffer;
}

std::u16string NumericDatePicture() {
  std::u16string day = NumberSetting(LOCALE_IDAYLZERO) == 1 ? u"dd" : u"d";
  std::u16string month = NumberSetting(LOCALE_IMONLZERO) == 1 ? u"MM" : u"M";
  std::u16string sep = Setting(LOCALE_SDATE);
  int order = NumberSetting(LOCALE_IDATE);
  if (order != 0 && order != 2) return platform::FormatText(u"%s%s%s%syy", {day, sep, month, sep});
  std::u16string monthDay = platform::FormatText(u"%s%s%s", {month, sep, day});
  return order == 0 ? platform::FormatText(u"%s%syy", {monthDay, sep})
                    : platform::FormatText(u"yy%s%s", {sep, monthDay});
}

std::u16string DayMonthPicture(bool leadingZeros) {
  std::u16string day = leadingZeros && NumberSetting(LOCALE_IDAYLZERO) == 1 ? u"dd" : u"d";
  std::u16string month = leadingZeros && NumberSetting(LOCALE_IMONLZERO) == 1 ? u"MM" : u"M";
  std::u16string sep = Setting(LOCALE_SDATE);
  int order = NumberSetting(LOCALE_IDATE);
  bool dayFirst = order != 0 && order != 2;
  return platform::FormatText(u"%s%s%s", {dayFirst ? day : month, sep, dayFirst ? month : day});
}

std::u16string CompactTime(const SYSTEMTIME& time, bool alwaysMinutes) {
  bool hours24 = NumberSetting(LOCALE_ITIME) != 0;
  std::u16string sep = Setting(LOCALE_STIME);
  if (hours24) return FormatTime(time, u"H" + sep + u"mm");
  std::u16string designator = Setting(time.wHour < 12 ? LOCALE_S1159 : LOCALE_S2359);
  std::u16string suffix;
  if (!designator.empty()) suffix = platform::FoldCase(designator.substr(0, 1));
  std::u16string picture = (time.wMinute == 0 && !alwaysMinutes) ? u"h" : u"h" + sep + u"mm";
  return FormatTime(time, picture) + suffix;
}

// The short date picture with its first "yy" widened to "yyyy" (unchanged when it has "yyyy").
std::u16string WidenedYear(const std::u16string& picture) {
  if (picture.find(u"yyyy") != std::u16string::npos) return picture;
  size_t at = picture.find(u"yy");
  if (at == std::u16string::npos) return {};
  return picture.substr(0, at) + u"yyyy" + picture.substr(at + 2);
}

}  // namespace

std::u16string DateTimeText::GetMonthName(int month) const {
  if (month < 1 || month > 12) return {};
  return Setting(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(month - 1));
}

std::u16string DateTimeText::GetDayName(int dayOfWeek) const {
  return Setting(DayEntry(LOCALE_SDAYNAME1, dayOfWeek));
}

char16_t DateTimeText::GetDayLetter(int dayOfWeek) const {
  std::u16string name = Setting(DayEntry(LOCALE_SABBREVDAYNAME1, dayOfWeek));
  size_t index = IsChineseSystemLocale() ? 2 : 0;
  return index < name.size() ? name[index] : u'\0';
}

std::u16string DateTimeText::GetShortDayName(int dayOfWeek) const {
  std::u16string name = Setting(DayEntry(LOCALE_SABBREVDAYNAME1, dayOfWeek));
  if (name.size() >= 4) return name.substr(0, 3);
  if (IsChineseSystemLocale()) return name.size() >= 3 ? name.substr(2, 1) : std::u16string();
  return name;
}

std::u16string DateTimeText::FormatShortDateFourDigitYear(const SYSTEMTIME& date) const {
  std::u16string picture;
  bool wroteYear = false;
  for (char16_t c : Setting(LOCALE_SSHORTDATE)) {
    if (c != u'y') {
      picture += c;
    } else if (!wroteYear) {
      picture += u"yyyy";
      wroteYear = true;
    }
  }
  return FormatDate(date, picture);
}

void DateTimeText::FormatShortDateWithCentury(const SYSTEMTIME& date, char16_t* buffer) const {
  if (buffer == nullptr) return;
  std::u16string picture = Setting(LOCALE_SSHORTDATE, kPictureChars);
  std::u16string widened = WidenedYear(picture);
  platform::BoundedCopy(buffer, kBufferChars, FormatDate(date, widened.empty() ? picture : widened));
}

const char16_t* DateTimeText::FormatNumericDate(const SYSTEMTIME& date) {
  platform::BoundedCopy(numericDate_, kBufferChars, FormatDate(date, NumericDatePicture()));
  return numericDate_;
}

const char16_t* DateTimeText::FormatDayMonth(const SYSTEMTIME& date, bool leadingZeros) {
  platform::BoundedCopy(dayMonth_, kBufferChars, FormatDate(date, DayMonthPicture(leadingZeros)));
  return dayMonth_;
}

const char16_t* DateTimeText::FormatCompactTime(const SYSTEMTIME& time, bool alwaysMinutes) {
  platform::BoundedCopy(compactTime_, kBufferChars, CompactTime(time, alwaysMinutes));
  return compactTime_;
}

void DateTimeText::CopyNumericDate(const SYSTEMTIME& date, char16_t* buffer, size_t capacity) {
  platform::BoundedCopy(buffer, capacity, FormatNumericDate(date));
}

void DateTimeText::CopyDayMonth(const SYSTEMTIME& date, bool leadingZeros, char16_t* buffer,
                                size_t capacity) {
  platform::BoundedCopy(buffer, capacity, FormatDayMonth(date, leadingZeros));
}

void DateTimeText::CopyCompactTime(const SYSTEMTIME& time, bool alwaysMinutes, char16_t* buffer,
                                   size_t capacity) {
  platform::BoundedCopy(buffer, capacity, FormatCompactTime(time, alwaysMinutes));
}

std::u16string DateTimeText::BuildDatePickerFormat() const {
  std::u16string picture = WidenedYear(Setting(LOCALE_SSHORTDATE, kPictureChars));
  std::u16string out;
  for (char16_t c : picture) {
    if (c == u'd' || c == u'h' || c == u'H' || c == u'm' || c == u'M' || c == u'y') {
      out += c;
    } else {
      out += u'\'';
      out += c;
      out += u'\'';
    }
  }
  return out;
}

std::u16string DateTimeText::GetTimePictureWithoutSeconds() const {
  std::u16string picture = Setting(LOCALE_STIMEFORMAT, kPictureChars);
  std::u16string sep = Setting(LOCALE_STIME);
  for (const std::u16string& seconds : {sep + u"ss", sep + u"s"}) {
    size_t at = picture.find(seconds);
    if (at != std::u16string::npos) return picture.erase(at, seconds.size());
  }
  return picture;
}

bool DateTimeText::IsChineseSystemLocale() {
  return Setting(LOCALE_ICOUNTRY, 6, LOCALE_SYSTEM_DEFAULT) == u"86";
}

}  // namespace calyra
