#include "hosts/calyra/TourScripts.h"

#include <cstdio>

#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "resources/ResourceIds.h"

namespace calyra::host {

namespace {

using namespace calyra::resources;

// One step line of the script language.
std::string Step(const char* step, int id, const std::string& rest = "") {
  return std::string(step) + " " + std::to_string(id) + (rest.empty() ? "" : " " + rest) + "\n";
}

// The time picker's steps for 7 PM on this device's clock: a 12-hour picker takes the hour and PM,
// a 24-hour one its evening page and the eighth hour of it.
std::string SevenInTheEvening() {
  char16_t clock[4] = {};
  bool hours24 = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ITIME, clock, 4) > 0 && clock[0] == u'1';
  if (hours24) {
    return Step("dialog", kDialogTimePicker24) + Step("click", kTimeEveningHours) +
           Step("click", kTimeHour0 + 7) + "ok\nend\n";
  }
  return Step("dialog", kDialogTimePicker12) + Step("click", kTimeHour0 + 6) + Step("click", kTimePm) +
         "ok\nend\n";
}

// On the recurrence tab: a custom weekly pattern on Tuesday and Thursday that ends after 10 times.
std::string WeeklyOnTuesdayAndThursday() {
  constexpr int kCustomPattern = 4;  // the ready-made list's last entry opens the full editor
  constexpr int kWeekly = 1;
  constexpr int kEndAfter = 2;
  constexpr int kTuesday = 2, kThursday = 4;  // days from Sunday
  std::string script = "tab 1\n" + Step("choose", kRecurrenceQuick, std::to_string(kCustomPattern)) +
                       Step("choose", kRecurrenceKind, std::to_string(kWeekly));
  for (int day = 0; day < 7; ++day) {
    bool on = day == kTuesday || day == kThursday;
    script += Step("check", kRecurrenceWeeklySunday + day, on ? "on" : "off");
  }
  return script + Step("choose", kRecurrenceEnd, std::to_string(kEndAfter)) +
         Step("type", kRecurrenceOccurrences, "10") + "tab 0\n";
}

// "YYYY-MM-DD" as the date step takes it.
std::string DayText(const SYSTEMTIME& day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
  return text;
}

// On the categories tab: "Taxes" added through the category dialog, then it and the category that
// was there first ticked. The list is in name order: "Errands", "Taxes".
std::string TwoCategories() {
  constexpr int kCategoriesTab = 3;  // after the task, recurrence and notes pages
  return "tab " + std::to_string(kCategoriesTab) + "\n" + Step("dialog", kDialogCategories) +
         Step("type", kCategoryName, "Taxes") + Step("click", kCategoryAdd) + "ok\nend\n" +
         Step("click", kCategoriesEdit) + Step("check-row", kCategoriesList, "0 on") +
         Step("check-row", kCategoriesList, "1 on") + "tab 0\n";
}

// On the notes tab: a typed line ending in the sample phrases' time stamp, then a stroke with the
// writing pen.
std::string NoteWithAStroke() {
  constexpr int kNotesTab = 2;
  constexpr int kTimeStampRow = 1;  // of the sample phrases a task's notes are offered
  return "tab " + std::to_string(kNotesTab) + "\n" + Step("menu", kCommandTypingMode) +
         Step("type", kNotesInk, "Receipts are in the blue folder\\n") +
         Step("dialog", kDialogPhraseSelection) + "dump\n" +
         Step("choose", kPhraseList, std::to_string(kTimeStampRow)) + "end\n" +
         Step("menu", kCommandInsertPhrase) + Step("menu", kCommandPenMode) +
         Step("draw", kNotesInk, "10,120 60,140 110,125") + "tab 0\n";
}

}  // namespace

// Subject, the location from the history, the start from the time picker, a longer duration, and a
// weekly pattern.
std::string RehearsalScript() {
  return Step("expect-page", kDialogAppointmentPage) + Step("type", kAppointmentSubject, "Choir rehearsal") +
         Step("choose-text", kAppointmentLocation, "Main Street surgery") + SevenInTheEvening() +
         Step("click", kAppointmentStartTime) + Step("dialog", kDialogDurationPicker) +
         Step("click", kDurationPlus15) + Step("click", kDurationPlus30) + "ok\nend\n" +
         Step("click", kAppointmentDuration) + WeeklyOnTuesdayAndThursday();
}

// A second reminder the day before (a recurring appointment keeps none, so this one does not recur).
std::string CheckUpScript() {
  return Step("expect-page", kDialogAppointmentPage) + Step("type", kAppointmentSubject, "Dentist check-up") +
         Step("dialog", kDialogSecondReminder) + "ok\nend\n" + Step("click", kAppointmentSecondReminder);
}

std::string TaxReturnScript(const SYSTEMTIME& due) {
  constexpr int kLetterB = 2;
  constexpr int kDigit1 = 1;
  SYSTEMTIME before = due;
  platform::AddMinutes(&before, -24 * 60);
  std::string day = DayText(due);
  std::string reminder = DayText(before);
  return Step("expect-page", kDialogTaskPage) +
         Step("choose", kTaskPriorityLetter, std::to_string(kLetterB)) +
         Step("choose", kTaskPriorityDigit, std::to_string(kDigit1)) +
         Step("type", kTaskSubject, "File the tax return") + Step("date", kTaskDueDate, day) +
         Step("date", kTaskReminderDate, reminder) + SevenInTheEvening() + Step("click", kTaskReminderTime) +
         Step("click", kTaskImportanceHigh) + NoteWithAStroke() + TwoCategories();
}

// The name, company, numbers and address as a person types them into the contact page's rows.
std::string AdaLovelaceScript() {
  return Step("expect-page", kDialogContactPage) + Step("type", kContactFirstName, "Ada") +
         Step("type", kContactLastName, "Lovelace") + Step("type", kContactCompany, "Analytical Engines") +
         Step("type", kContactWorkPhone, "+49 30 2093 0") +
         Step("type", kContactMobilePhone, "+49 171 555 0199") +
         Step("type", kContactEmail, "ada@example.org") +
         Step("type", kContactWorkStreet, "Unter den Linden 6") + Step("type", kContactWorkCity, "Berlin") +
         Step("type", kContactWorkPostalCode, "10117") + Step("type", kContactWorkCountry, "Germany");
}

}  // namespace calyra::host
