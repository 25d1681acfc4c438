#include "templates/TemplateMarkers.h"

#include <cmath>

#include "platform/time/TimeConversion.h"

namespace calyra {

namespace {

bool DateOf(const SYSTEMTIME& time, DATE* date) {
  return SystemTimeToVariantTime(&time, date) != 0;
}

}  // namespace

bool IsAppointmentTemplateStart(const FILETIME& utcStart) {
  SYSTEMTIME local{};
  DATE date = 0;
  return platform::UtcToLocalSystemTime(utcStart, &local) && DateOf(local, &date) &&
         date >= kAppointmentTemplateFrom;
}

bool IsTaskTemplateDate(const FILETIME& localDate) {
  SYSTEMTIME day{};
  DATE date = 0;
  return FileTimeToSystemTime(&localDate, &day) && DateOf(day, &date) && std::floor(date) == kTaskTemplateDay;
}

bool IsContactTemplate(std::u16string_view company, std::u16string_view firstName,
                       std::u16string_view lastName) {
  return !company.empty() && firstName.empty() && lastName.empty();
}

}  // namespace calyra
