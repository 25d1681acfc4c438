#include "store/TaskReminder.h"

#include <optional>

#include "platform/notify/Notifications.h"
#include "platform/outlook/OutlookDates.h"
#include "platform/registry/RegistryKey.h"
#include "platform/time/Locale.h"
#include "platform/time/TimeConversion.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "store/Database.h"
#include "store/DatabaseNames.h"
#include "store/PimItem.h"
#include "store/UpdateAlarmLock.h"

namespace calyra {

namespace {

constexpr int64_t kMinutesPerDay = 1440;
constexpr int64_t kEightInTheMorning = 480;
constexpr size_t kSubjectInText = 64;
constexpr size_t kMaxSound = MAX_PATH;

int64_t MinutesOf(const SYSTEMTIME& local) {
  FILETIME time{};
  SystemTimeToFileTime(&local, &time);
  return static_cast<int64_t>(platform::MinuteCountOf(time));
}

DATE DateOfMinutes(int64_t minutes) {
  FILETIME time = platform::FileTimeOfMinutes(static_cast<DWORD>(minutes));
  SYSTEMTIME local{};
  DATE date = platform::kNoDate;
  if (FileTimeToSystemTime(&time, &local)) SystemTimeToVariantTime(&local, &date);
  return date;
}

// The task's record in an opened "Tasks Database"; false when the database is empty or has no
// such record.
bool OpenTask(Database& tasks, ItemOid task) {
  if (!tasks.OpenByName(TasksDatabaseName())) return false;
  DatabaseInformation information;
  if (!tasks.GetInformation(&information) || information.records == 0) return false;
  return tasks.SeekToOid(task);
}

DWORD NotificationHandleOf(Database& tasks) {
  Record record;
  record.Request(kTaskNotificationHandle);
  if (!tasks.ReadRecord(record)) return 0;
  const PropertyValue* handle = record.Find(kTaskNotificationHandle);
  return handle ? static_cast<DWORD>(handle->AsInteger()) : 0;
}

// Opens "DB_notify_queue" when it holds records.
bool OpenNotifications(Database& queue) {
  if (!queue.OpenByName(NotifyQueueDatabaseName())) return false;
  DatabaseInformation information;
  return queue.GetInformation(&information) && information.records > 0;
}

std::u16string ReminderSound() {
  auto reminders = platform::RegistryKey::Open(HKEY_CURRENT_USER, u"ControlPanel\\Notifications\\Reminders");
  auto wave = reminders.Chars(u"Wave", kMaxSound * sizeof(WCHAR));
  if (!wave) return {};
  std::u16string sound = wave->substr(0, wave->find(u'\0'));
  return sound.empty() ? sound : sound + u".wav";
}

HANDLE CreateNotification(const TaskReminderRequest& request, HINSTANCE resources) {
  std::u16string application = u"TASKS.EXE";
  std::u16string arguments = u"Task Reminder";
  std::u16string title = u" ";
  std::u16string text = TaskReminderText(request, resources);
  std::u16string sound = ReminderSound();
  CE_NOTIFICATION_TRIGGER trigger{kDeviceTriggerSize, CNT_TIME,         0,           application.data(),
                                  arguments.data(),   request.reminder, SYSTEMTIME{}};
  CE_USER_NOTIFICATION user{PUN_LED | PUN_SOUND | PUN_DIALOG,
                            title.data(),
                            text.data(),
                            sound.empty() ? nullptr : sound.data(),
                            static_cast<DWORD>(kMaxSound),
                            0};
  return CeSetUserNotificationEx(nullptr, &trigger, &user);
}

// The fire time (UTC ticks) of the notification `handle` names, when it is still pending.
std::optional<int64_t> PendingFireTime(DWORD handle) {
  Database queue;
  if (!handle || !OpenNotifications(queue) || !queue.SeekToOid(handle)) return std::nullopt;
  Record record;
  record.Request(platform::kNotifyFireTime);
  if (!queue.ReadRecord(record)) return std::nullopt;
  const PropertyValue* time = record.Find(platform::kNotifyFireTime);
  return time ? std::optional<int64_t>(time->AsInteger()) : std::optional<int64_t>(0);
}

int64_t TicksOf(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

void MoveNotification(DWORD handle, const SYSTEMTIME& reminder) {
  Database queue;
  if (!OpenNotifications(queue)) return;
  FILETIME utc{};
  if (!platform::LocalSystemTimeToUtc(reminder, &utc)) return;
  UpdateAlarmLock lock;
  if (!lock.Held() || !queue.SeekToOid(handle)) return;
  Record record(handle);
  record.Set(PropertyValue::Time(platform::kNotifyFireTime, utc));
  queue.WriteRecord(record);
}

void WriteHandle(Database& tasks, ItemOid task, DWORD handle) {
  Record record(task);
  record.Set(PropertyValue::Integer(kTaskNotificationHandle, handle));
  tasks.WriteRecord(record);
}

// Writes the reference and the lead of the reminder into the task's record.
void WriteReminderBookkeeping(Database& tasks, const TaskReminderRequest& request) {
  SYSTEMTIME reminderDay = request.reminder;
  reminderDay.wHour = reminderDay.wMinute = reminderDay.wSecond = reminderDay.wMilliseconds = 0;
  bool fromStart = platform::IsDateSet(request.start) && MinutesOf(request.start) > MinutesOf(reminderDay);
  Record record(request.task);
  record.Set(PropertyValue::Integer(
      kTaskReminderLead, MinutesOf(fromStart ? request.start : request.due) - MinutesOf(request.reminder)));
  record.Set(PropertyValue::Integer(kTaskReminderReference, fromStart ? 0 : 1));
  tasks.WriteRecord(record);
}

}  // namespace

DATE StoredTaskReminderTime(ItemOid task, const SYSTEMTIME& start, const SYSTEMTIME& due) {
  Database tasks;
  if (!OpenTask(tasks, task)) return platform::kNoDate;
  Record record;
  record.Request(kTaskReminderReference);
  record.Request(kTaskReminderLead);
  if (!tasks.ReadRecord(record)) return platform::kNoDate;
  return ReminderTimeOfRecord(record, start, due);
}

DATE ReminderTimeOfRecord(const Record& record, const SYSTEMTIME& start, const SYSTEMTIME& due) {
  const PropertyValue* lead = record.Find(kTaskReminderLead);
  if (!lead) return platform::kNoDate;
  const PropertyValue* reference = record.Find(kTaskReminderReference);
  bool fromStart = (!reference || reference->AsInteger() != 1) && platform::IsDateSet(start);
  int64_t base = MinutesOf(fromStart ? start : due);
  int64_t minutes = lead->AsInteger();
  if (minutes == 0) return DateOfMinutes(base + kEightInTheMorning);
  if (minutes % kMinutesPerDay == 0) return DateOfMinutes(base - (minutes - kEightInTheMorning));
  return DateOfMinutes(base - minutes);
}

void ScheduleTaskReminder(const TaskReminderRequest& request, bool create, bool move, HINSTANCE resources) {
  Database tasks;
  if (!OpenTask(tasks, request.task)) return;
  DWORD handle = NotificationHandleOf(tasks);
  WriteReminderBookkeeping(tasks, request);
  if (!handle) {
    if (!create) return;
    if (HANDLE created = CreateNotification(request, resources))
      WriteHandle(tasks, request.task, static_cast<DWORD>(reinterpret_cast<uintptr_t>(created)));
    return;
  }
  if (move) MoveNotification(handle, request.reminder);
}

void UpdateTaskReminder(const TaskReminderRequest& request, bool on, HINSTANCE resources) {
  Database tasks;
  if (!OpenTask(tasks, request.task)) return;
  DWORD handle = NotificationHandleOf(tasks);
  if (on) WriteReminderBookkeeping(tasks, request);
  DATE wanted = platform::kNoDate;
  SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&request.reminder), &wanted);
  if (!on || wanted <= platform::outlook::NowLocal()) {
    if (handle) RemoveTaskReminder(request.task);
    return;
  }
  FILETIME utc{};
  std::optional<int64_t> fires = PendingFireTime(handle);
  if (!fires) {
    // None yet, or the one named has fired or was removed by someone else: a new one.
    HANDLE created = CreateNotification(request, resources);
    WriteHandle(tasks, request.task, static_cast<DWORD>(reinterpret_cast<uintptr_t>(created)));
  } else if (!platform::LocalSystemTimeToUtc(request.reminder, &utc) || *fires != TicksOf(utc)) {
    MoveNotification(handle, request.reminder);
  }
}

DWORD TaskNotificationHandle(ItemOid task) {
  Database tasks;
  return OpenTask(tasks, task) ? NotificationHandleOf(tasks) : 0;
}

void RemoveTaskReminder(ItemOid task) {
  Database tasks;
  if (!OpenTask(tasks, task)) return;
  DWORD handle = NotificationHandleOf(tasks);
  Database queue;
  if (handle && OpenNotifications(queue)) {
    UpdateAlarmLock lock;
    if (lock.Held() && queue.SeekToOid(handle)) queue.DeleteRecord();
  }
  // Written even when the queue holds nothing: a handle of a notification that fired is stale.
  WriteHandle(tasks, task, 0);
}

std::u16string TaskReminderText(const TaskReminderRequest& request, HINSTANCE resources) {
  std::u16string text = request.subject.substr(0, kSubjectInText);
  if (platform::IsDateSet(request.due)) {
    WCHAR date[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &request.due, nullptr, date, 64);
    text += u"\n\n" + ResourceText(resources, resources::kStringTaskReminderDue) + u" " + date;
  }
  if (request.priority == 1 || request.priority == 3) {
    text +=
        u"  " + ResourceText(resources, request.priority == 1 ? resources::kStringTaskReminderHighPriority
                                                              : resources::kStringTaskReminderLowPriority);
  }
  return text;
}

}  // namespace calyra
