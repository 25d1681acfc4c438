#pragma once

#include <string>

#include "platform/core/PlatformTypes.h"
#include "store/ItemKind.h"
#include "store/Record.h"
#include "store/UpdateAlarmLock.h"

// Task reminders as timed notifications that the component keeps itself: the task record holds the
// notification's handle (0x00020003), the reference (0x00030002: 1 = from the due date, 0 = from the
// start date) and the lead in minutes before it (0x45010003). Every write to or deletion from
// "DB_notify_queue" happens under the update mutex, so that the component in several processes
// never rewrites the store at the same time. Every step is best effort: a missing database, record
// or platform failure ends the operation silently.
namespace calyra {

inline constexpr CEPROPID kTaskNotificationHandle = 0x00020003;
inline constexpr CEPROPID kTaskReminderReference = 0x00030002;
inline constexpr CEPROPID kTaskReminderLead = 0x45010003;

// What the reminder of a task being saved needs of it (dates in local time).
struct TaskReminderRequest {
  ItemOid task = 0;
  SYSTEMTIME start{};
  SYSTEMTIME due{};
  SYSTEMTIME reminder{};
  std::u16string subject;
  int priority = 2;  // 1 high, 2 normal, 3 low
};

// The reminder time a stored task's record gives, as an automation date; the no-date value when
// the record or its lead is missing.
DATE StoredTaskReminderTime(ItemOid task, const SYSTEMTIME& start, const SYSTEMTIME& due);
// The same worked out from the reference and lead of a task record already read.
DATE ReminderTimeOfRecord(const Record& record, const SYSTEMTIME& start, const SYSTEMTIME& due);
// Writes reference and lead into the task's record; creates the notification when it has none and
// `create` is set, or moves the existing one to the reminder time when `move` is set.
void ScheduleTaskReminder(const TaskReminderRequest& request, bool create, bool move, HINSTANCE resources);
// Makes the task's notification agree with its reminder after a save: when `on` and the reminder is
// later than now, exactly one pending notification of the task at the reminder time (moved in place,
// or made anew when the one named has fired or was removed); otherwise none and handle 0. Reference
// and lead are written whenever `on`.
void UpdateTaskReminder(const TaskReminderRequest& request, bool on, HINSTANCE resources);
// The handle of the task's pending notification kept in its record; 0 for none.
DWORD TaskNotificationHandle(ItemOid task);
// Deletes the task's notification (if any is pending) and writes 0 into its handle property.
void RemoveTaskReminder(ItemOid task);
// The text the reminder dialog shows: the subject (cut to 64 characters), the due date and the
// priority, with the resource strings of the due label and the priority marks.
std::u16string TaskReminderText(const TaskReminderRequest& request, HINSTANCE resources);

}  // namespace calyra
