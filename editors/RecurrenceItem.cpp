#include "editors/RecurrenceItem.h"

#include "editors/AppointmentTimes.h"
#include "editors/RecurrenceDates.h"
#include "platform/time/TimeConversion.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMTask.h"

namespace calyra {

namespace {

constexpr int64_t kMinutesPerDay = 24 * 60;

// Moves a date by whole days, keeping its time of day.
SYSTEMTIME Shifted(const SYSTEMTIME& time, int days) {
  return PlusMinutes(time, days * kMinutesPerDay);
}

int DaysBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
  return static_cast<int>(MinutesBetween(DayOnly(from), DayOnly(to)) / kMinutesPerDay);
}

void MoveTask(CPIMTask& task, const SYSTEMTIME& day) {
  if (!platform::IsDateSet(task.start) && !platform::IsDateSet(task.due)) task.start = task.due = day;
  if (!platform::IsDateSet(task.due)) task.due = task.start;  // a recurring task needs a due date
  int shift = DaysBetween(platform::IsDateSet(task.start) ? task.start : task.due, day);
  if (platform::IsDateSet(task.start)) task.start = Shifted(task.start, shift);
  task.due = Shifted(task.due, shift);
}

}  // namespace

std::optional<SYSTEMTIME> ItemStartDay(const PimItem& item) {
  SYSTEMTIME start = platform::kNoDateSystemTime;
  if (auto* appointment = dynamic_cast<const CPIMAppointment*>(&item)) start = appointment->start;
  if (auto* task = dynamic_cast<const CPIMTask*>(&item))
    start = platform::IsDateSet(task->start) ? task->start : task->due;
  if (!platform::IsDateSet(start)) return std::nullopt;
  return DayOnly(start);
}

SYSTEMTIME ItemPatternStart(const PimItem& item) {
  SYSTEMTIME occurrence = platform::kNoDateSystemTime;
  if (auto* appointment = dynamic_cast<const CPIMAppointment*>(&item))
    occurrence = appointment->occurrenceDate;
  if (auto* task = dynamic_cast<const CPIMTask*>(&item)) occurrence = task->occurrenceDates[0];
  if (platform::IsDateSet(occurrence)) return DayOnly(occurrence);
  if (std::optional<SYSTEMTIME> start = ItemStartDay(item)) return *start;
  SYSTEMTIME today{};
  GetLocalTime(&today);
  return DayOnly(today);
}

void SetItemOccurrenceDay(PimItem& item, const SYSTEMTIME& day) {
  if (auto* appointment = dynamic_cast<CPIMAppointment*>(&item)) appointment->occurrenceDate = day;
  if (auto* task = dynamic_cast<CPIMTask*>(&item)) task->occurrenceDates[0] = day;
}

const RecurrencePattern* ItemRecurrence(const PimItem& item) {
  if (auto* appointment = dynamic_cast<const CPIMAppointment*>(&item))
    return appointment->recurring ? &appointment->recurrence : nullptr;
  if (auto* task = dynamic_cast<const CPIMTask*>(&item)) return task->recurring ? &task->recurrence : nullptr;
  return nullptr;
}

void SetItemRecurrence(PimItem& item, const RecurrencePattern* pattern) {
  if (auto* appointment = dynamic_cast<CPIMAppointment*>(&item)) {
    appointment->recurring = pattern != nullptr;
    if (!pattern) return;
    appointment->recurrence = *pattern;
    int shift = DaysBetween(appointment->start, pattern->patternStart);
    appointment->start = Shifted(appointment->start, shift);
    appointment->end = Shifted(appointment->end, shift);
  }
  if (auto* task = dynamic_cast<CPIMTask*>(&item)) {
    task->recurring = pattern != nullptr;
    if (!pattern) return;
    task->recurrence = *pattern;
    MoveTask(*task, pattern->patternStart);
  }
}

}  // namespace calyra
