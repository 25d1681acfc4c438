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
  WCHAR buffer[kTextChars];
  return GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, kTextChars) ? buffer
                                                                                                   : u"";
}

std::u16string JournalTimeTexts::Time(const SYSTEMTIME& time) const {
  WCHAR buffer[kTextChars];
  return GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &time, timePicture_.c_str(), buffer, kTextChars) ? buffer
                                                                                                   : u"";
}

std::u16string JournalTimeTexts::DateAndTime(const SYSTEMTIME& time) const {
  return platform::FormatText(u"%s %s", {Date(time), Time(time)});
}

}  // namespace calyra
