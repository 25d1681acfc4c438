#include "notes/JournalTimeTexts.h"

#include "platform/text/Formatter.h"
#include "platform/time/Locale.h"
#include "text/DateTimeText.h"

namespace calyra {

namespace {

constexpr int kTextChars = 64;

}  // namespace

JournalTimeTexts::JournalTimeTexts() : timePicture_(DateTimeText().GetTimePictureWithoutSeconds()) {}

std::u16string JournalTimeTexts::Date(const SYSTEMTIME& time) const {
  uint32_t day = (static_cast<uint32_t>(time.wYear) << 16) | (time.wMonth << 8) | time.wDay;
  auto [known, added] = dates_.try_emplace(day);
  if (added) {
    WCHAR buffer[kTextChars];
    if (GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, kTextChars))
      known->second = buffer;
  }
  return known->second;
}

std::u16string JournalTimeTexts::Time(const SYSTEMTIME& time) const {
  uint32_t minute = (static_cast<uint32_t>(time.wHour) << 8) | time.wMinute;
  auto [known, added] = times_.try_emplace(minute);
  if (added) {
    WCHAR buffer[kTextChars];
    if (GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &time, timePicture_.c_str(), buffer, kTextChars))
      known->second = buffer;
  }
  return known->second;
}

std::u16string JournalTimeTexts::DateAndTime(const SYSTEMTIME& time) const {
  return platform::FormatText(u"%s %s", {Date(time), Time(time)});
}

}  // namespace calyra
