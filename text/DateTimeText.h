#pragma once

#include <string>

#include "platform/core/PlatformTypes.h"

// The compact date and time texts of lists and editors, built from the user's locale settings and
// formatted by the platform's date and time formatting. The three operations that answer in a
// buffer of their own keep it here, one buffer each, overwritten by every call.
namespace calyra {

class DateTimeText {
 public:
  static constexpr size_t kBufferChars = 32;

  // Day of week 0 is Sunday.
  std::u16string GetMonthName(int month) const;
  std::u16string GetDayName(int dayOfWeek) const;
  char16_t GetDayLetter(int dayOfWeek) const;
  std::u16string GetShortDayName(int dayOfWeek) const;

  std::u16string FormatShortDateFourDigitYear(const SYSTEMTIME& date) const;
  // Into `buffer` of 32 characters.
  void FormatShortDateWithCentury(const SYSTEMTIME& date, char16_t* buffer) const;

  const char16_t* FormatNumericDate(const SYSTEMTIME& date);
  const char16_t* FormatDayMonth(const SYSTEMTIME& date, bool leadingZeros);
  const char16_t* FormatCompactTime(const SYSTEMTIME& time, bool alwaysMinutes);
  // The copying variants write the same texts into a caller buffer of `capacity` characters.
  void CopyNumericDate(const SYSTEMTIME& date, char16_t* buffer, size_t capacity);
  void CopyDayMonth(const SYSTEMTIME& date, bool leadingZeros, char16_t* buffer, size_t capacity);
  void CopyCompactTime(const SYSTEMTIME& time, bool alwaysMinutes, char16_t* buffer, size_t capacity);

  std::u16string BuildDatePickerFormat() const;
  std::u16string GetTimePictureWithoutSeconds() const;

  // The system locale's country code is 86.
  static bool IsChineseSystemLocale();

 private:
  char16_t numericDate_[kBufferChars] = {};
  char16_t dayMonth_[kBufferChars] = {};
  char16_t compactTime_[kBufferChars] = {};
};

}  // namespace calyra
