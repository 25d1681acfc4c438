#pragma once

#include <string>
#include <unordered_map>

#include "platform/core/PlatformTypes.h"

namespace calyra {

// The journal's date and time texts: the system locale's short date and its time format without
// seconds, as the journal window shows them and the text export writes them. The time picture is
// read once, and each day's and minute's text is made once, so that a long journal is not formatted
// through the locale entry by entry.
class JournalTimeTexts {
 public:
  JournalTimeTexts();

  std::u16string Date(const SYSTEMTIME& time) const;
  std::u16string Time(const SYSTEMTIME& time) const;
  // "%s %s": the date, a blank and the time.
  std::u16string DateAndTime(const SYSTEMTIME& time) const;

 private:
  std::u16string timePicture_;
  // By day (year, month, day) and by minute of the day.
  mutable std::unordered_map<uint32_t, std::u16string> dates_;
  mutable std::unordered_map<uint32_t, std::u16string> times_;
};

}  // namespace calyra
