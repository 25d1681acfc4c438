#pragma once

#include "platform/ui/WindowTypes.h"
#include "store/CPIMAppointment.h"

namespace calyra {

// The second reminder of an appointment: an appointment of its own at the reminder's time, linked
// to the main one, whose marks (CPIMAppointment::reminderMarks) say what the main editor did to it.

// The time the second-reminder dialog starts at: the stored second reminder's start, else (preparing
// the second appointment the first time) one day before the main start at the default time of day.
SYSTEMTIME PrepareSecondReminder(CPIMAppointment& second, const CPIMAppointment& main);

// The second-reminder dialog over `owner`: true when the person confirmed; `time` is then the chosen
// time, or the second reminder is marked to be deleted.
bool EditSecondReminderTime(HWND owner, HINSTANCE resources, const SYSTEMTIME& mainStart, SYSTEMTIME* time,
                            CPIMAppointment& second);

// Gives the second appointment the main one's categories, a subject and notes naming it, and no
// location, ready to be saved.
void RebuildSecondReminder(CPIMAppointment& second, const CPIMAppointment& main, HINSTANCE resources);

// The default time of day of a new second reminder, kept as an automation date in the component's
// settings; false when none is stored.
bool ReadSecondReminderDefault(WORD* hour, WORD* minute);
void WriteSecondReminderDefault(const SYSTEMTIME& time);

}  // namespace calyra
