#include "host/NewItemDefaults.h"

#include <cmath>

#include "platform/time/TimeConversion.h"
#include "store/CPIMTask.h"

namespace calyra {

namespace {

constexpr WORD kDefaultStartHour = 12;
constexpr WORD kDefaultEndHour = 13;
constexpr double kMinutesPerDay = 24 * 60;

LONG MinutesBetween(const SYSTEMTIME& start, const SYSTEMTIME& end) {
  DATE from = 0, to = 0;
  SystemTimeToVariantTime(&start, &from);
  SystemTimeToVariantTime(&end, &to);
  return static_cast<LONG>(std::lround((to - from) * kMinutesPerDay));
}

SYSTEMTIME AtHour(SYSTEMTIME time, WORD hour) {
  time.wHour = hour;
  return time;
}

// A start date alone ends the same day at 13 o'clock; no date at all is today from 12 to 13.
void ApplyAppointmentTimes(const EditRequest& request, CPIMAppointment& appointment) {
  if (request.hasFirstDate) {
    appointment.start = request.firstDate;
    appointment.end = request.hasSecondDate ? request.secondDate : AtHour(request.firstDate, kDefaultEndHour);
  } else {
    SYSTEMTIME today{};
    GetLocalTime(&today);
    today.wMinute = today.wSecond = today.wMilliseconds = 0;
    appointment.start = AtHour(today, kDefaultStartHour);
    appointment.end = AtHour(today, kDefaultEndHour);
  }
  appointment.duration = MinutesBetween(appointment.start, appointment.end);
}

void ApplyTaskDates(const EditRequest& request, CPIMTask& task) {
  if (request.hasFirstDate) task.start = request.firstDate;
  if (request.hasFirstDate && request.hasSecondDate) task.due = request.secondDate;
}

}  // namespace

void ApplyNewItemDefaults(const EditRequest& request, bool templateApplied, const OptionStore& options,
                          PimItem& item) {
  auto* appointment = dynamic_cast<CPIMAppointment*>(&item);
  auto* task = dynamic_cast<CPIMTask*>(&item);
  if (!request.subject.empty()) {
    if (appointment) appointment->subject = request.subject;
    if (task) task->subject = request.subject;
  }
  if (templateApplied) {
    if (task) {
      for (SYSTEMTIME* date : {&task->occurrenceDates[0], &task->occurrenceDates[1], &task->start, &task->due,
                               &task->reminderTime, &task->dateCompleted}) {
        *date = platform::kNoDateSystemTime;
      }
      ApplyTaskDates(request, *task);
    }
    if (appointment && request.hasFirstDate) ApplyAppointmentTimes(request, *appointment);
  } else {
    if (appointment) {
      ApplyAppointmentTimes(request, *appointment);
      DWORD reminder = options.NewAppointmentReminder();
      appointment->reminderSet = reminder != OptionStore::kNoReminder;
      if (appointment->reminderSet) appointment->reminderMinutes = static_cast<LONG>(reminder);
    }
    if (task) {
      ApplyTaskDates(request, *task);
      // The new-task reminder option: the reminder on, at the due date's default time of day.
      if (options.NewTaskReminder() && platform::IsDateSet(task->due)) {
        task->reminderSet = true;
        task->reminderTime = task->due;
        task->reminderTime.wHour = static_cast<WORD>(options.ReminderHour());
        task->reminderTime.wMinute = static_cast<WORD>(options.ReminderMinute());
        task->reminderTime.wSecond = task->reminderTime.wMilliseconds = 0;
      }
    }
  }
  if (request.categoryCount) {
    std::vector<int> numbers(request.categories.begin(), request.categories.begin() + request.categoryCount);
    item.categories = CategorySet::FromNumbers(numbers);
  }
}

}  // namespace calyra
