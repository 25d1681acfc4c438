#pragma once

#include "platform/core/PlatformTypes.h"
#include "platform/time/TimeConversion.h"

// How the task date operations move a task's dates, apart from the store. Task dates are days (their
// time of day is dropped); days are added on the wall clock, so a reminder keeps its time of day
// across month ends, year ends and daylight-saving changes.
namespace calyra {

// The dates of a task that the date operations change, in local time.
struct TaskDates {
  SYSTEMTIME start = platform::kNoDateSystemTime;
  SYSTEMTIME due = platform::kNoDateSystemTime;
  bool reminderSet = false;
  SYSTEMTIME reminder = platform::kNoDateSystemTime;
};

// Where the reminder of a task with both dates lies: on or before the start date, on the due date,
// or between (also after the due date).
enum class ReminderPosition { BeforeStart, OnDue, Between };

// A time of day to the minute.
struct ClockTime {
  WORD hour = 0;
  WORD minute = 0;
};

// Whole days from the date of `from` to the date of `to` (negative when `to` is earlier); the time of
// day does not count.
int DayDifference(const SYSTEMTIME& from, const SYSTEMTIME& to);
// `time` moved by `days` × 24 hours of the wall clock, its time of day kept; unchanged when the result
// would leave the range of dates.
SYSTEMTIME ShiftDays(const SYSTEMTIME& time, int days);
// `time` at the start of its day.
SYSTEMTIME StartOfDay(const SYSTEMTIME& time);
ReminderPosition PositionOf(const TaskDates& task);
// The hour and minute a moved reminder gets: the reminder's own, 08:00 when the reminder is off.
ClockTime RememberedReminderClock(const TaskDates& task);

// A new due date `due` for the task: the start and the reminder follow it. A due date that is not set
// (the no-date value 1 January 4501, or any year outside 1900 to 2999) clears both dates and the
// reminder. When the new due date lies before the start date, the task keeps its length and its
// reminder moves with the end it was counted from; otherwise a reminder before the start stays and
// any other reminder keeps its distance from the due date.
TaskDates ChangeDueDate(const TaskDates& task, const SYSTEMTIME& due);

// The task dragged in a calendar from day `from` to day `to`: dragged by its start or a day inside it,
// the whole task moves and keeps its length; dragged by its due date, only the due date moves (unless
// it would end before its start, when the task becomes one day on `to`). The reminder moves with the
// end it is counted from, at its own time of day.
TaskDates MoveToDay(const TaskDates& task, const SYSTEMTIME& from, const SYSTEMTIME& to);

}  // namespace calyra
