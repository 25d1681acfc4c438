#include "operations/TaskDateRules.h"

#include <cstdlib>

namespace calyra {

namespace {

constexpr ClockTime kEightInTheMorning{8, 0};
constexpr int64_t kMinutesPerDay = 24 * 60;

// Days since 1601 of the date of `time`; 0 for a value the calendar cannot hold.
int64_t DayNumber(const SYSTEMTIME& time) {
  FILETIME file{};
  if (!SystemTimeToFileTime(&time, &file)) return 0;
  return platform::TicksOf(file) / platform::kTicksPerDay;
}

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return DayDifference(a, b) == 0;
}

SYSTEMTIME At(SYSTEMTIME time, ClockTime clock) {
  time.wHour = clock.hour;
  time.wMinute = clock.minute;
  time.wSecond = time.wMilliseconds = 0;
  return time;
}

// The task as the store keeps it: without a due date it has no start date and no reminder.
TaskDates Normalised(TaskDates task) {
  if (!platform::IsDateSet(task.due)) {
    task.start = platform::kNoDateSystemTime;
    task.reminderSet = false;
  }
  return task;
}

// The reminder moved to `days` after `base`, at the remembered time of day; only a reminder that is on.
void MoveReminder(TaskDates& result, const TaskDates& task, const SYSTEMTIME& base, int days) {
  if (task.reminderSet) result.reminder = At(ShiftDays(base, days), RememberedReminderClock(task));
}

}  // namespace

int DayDifference(const SYSTEMTIME& from, const SYSTEMTIME& to) {
  return static_cast<int>(DayNumber(to) - DayNumber(from));
}

SYSTEMTIME ShiftDays(const SYSTEMTIME& time, int days) {
  SYSTEMTIME moved = time;
  return platform::AddMinutes(&moved, days * kMinutesPerDay) ? moved : time;
}

SYSTEMTIME StartOfDay(const SYSTEMTIME& time) {
  return At(time, ClockTime{});
}

ReminderPosition PositionOf(const TaskDates& task) {
  if (platform::IsDateSet(task.start) && DayDifference(task.start, task.reminder) <= 0)
    return ReminderPosition::BeforeStart;
  return SameDay(task.reminder, task.due) || !platform::IsDateSet(task.start) ? ReminderPosition::OnDue
                                                                              : ReminderPosition::Between;
}

ClockTime RememberedReminderClock(const TaskDates& task) {
  return task.reminderSet ? ClockTime{task.reminder.wHour, task.reminder.wMinute} : kEightInTheMorning;
}

TaskDates ChangeDueDate(const TaskDates& original, const SYSTEMTIME& due) {
  TaskDates task = Normalised(original);
  TaskDates result = task;
  if (!platform::IsDateSet(due)) {
    result.start = result.due = platform::kNoDateSystemTime;
    if (task.reminderSet) {
      result.reminderSet = false;
      result.reminder = platform::kNoDateSystemTime;
    }
    return result;
  }
  SYSTEMTIME newDue = StartOfDay(due);
  bool hasStart = platform::IsDateSet(task.start);
  if (hasStart && DayDifference(task.start, newDue) < 0) {
    // Before the start: the task keeps its length, the reminder its distance from its end.
    int span = DayDifference(task.due, task.start);
    result.start = ShiftDays(newDue, span);
    result.due = newDue;
    bool fromStart = PositionOf(task) == ReminderPosition::BeforeStart;
    int offset = DayDifference(fromStart ? task.start : task.due, task.reminder);
    MoveReminder(result, task, fromStart ? result.start : result.due, offset);
    return result;
  }
  if (!hasStart || PositionOf(task) != ReminderPosition::BeforeStart)
    MoveReminder(result, task, newDue, DayDifference(task.due, task.reminder));
  result.due = newDue;
  return result;
}

TaskDates MoveToDay(const TaskDates& original, const SYSTEMTIME& from, const SYSTEMTIME& to) {
  TaskDates task = Normalised(original);
  TaskDates result = task;
  SYSTEMTIME day = StartOfDay(to);
  if (!platform::IsDateSet(task.due)) {
    result.start = result.due = day;
    return result;
  }
  if (!platform::IsDateSet(task.start)) {
    result.due = day;
    MoveReminder(result, task, day, DayDifference(task.due, task.reminder));
    return result;
  }
  int span = DayDifference(task.due, task.start);
  ReminderPosition position = PositionOf(task);
  bool onDue = position == ReminderPosition::OnDue;
  int offset = DayDifference(onDue ? task.due : task.start, task.reminder);
  if (SameDay(task.start, task.due)) {
    result.start = result.due = day;
    MoveReminder(result, task, result.start, offset);
    return result;
  }
  if (SameDay(from, task.start)) {
    result.start = day;
    result.due = ShiftDays(day, std::abs(span));
  } else if (!SameDay(from, task.due)) {
    // A day inside the task: both ends move by the same number of days.
    result.due = ShiftDays(task.due, DayDifference(from, to));
    result.start = ShiftDays(result.due, span);
  } else if (DayDifference(task.start, day) >= 0) {
    // The due date alone moves; only a reminder counted from it follows.
    result.due = day;
    if (onDue) MoveReminder(result, task, result.due, DayDifference(task.due, task.reminder));
    return result;
  } else {
    result.start = result.due = day;
  }
  MoveReminder(result, task, onDue ? result.due : result.start, offset);
  return result;
}

}  // namespace calyra
