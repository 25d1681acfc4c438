#include "platform/notify/Notifications.h"

#include <mutex>

#include "platform/core/LastError.h"
#include "platform/core/LocalMemory.h"
#include "platform/core/System.h"
#include "platform/objectstore/ObjectStore.h"
#include "platform/process/Processes.h"
#include "platform/text/Text.h"
#include "platform/time/TimeConversion.h"

namespace {

using platform::PendingNotification;

constexpr const char16_t* kQueueName = u"DB_notify_queue";

struct HandledApplications : platform::ProcessState {
  std::mutex lock;
  std::vector<std::u16string> names;
};

// Opens the queue, creating it the first time the device needs it.
HANDLE OpenQueue() {
  CEOID oid = 0;
  HANDLE queue = CeOpenDatabaseEx(nullptr, &oid, kQueueName, 0, 0, nullptr);
  if (queue != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_NOT_FOUND) return queue;
  CEDBASEINFO info{};
  info.dwFlags = CEDB_VALIDNAME;
  platform::BoundedCopy(info.szDbaseName, CEDB_MAXDBASENAMELEN, kQueueName);
  CeCreateDatabaseEx(nullptr, &info);  // another process may have made it meanwhile
  oid = 0;
  return CeOpenDatabaseEx(nullptr, &oid, kQueueName, 0, 0, nullptr);
}

CEOID OidOf(HANDLE notification) {
  return static_cast<CEOID>(reinterpret_cast<uintptr_t>(notification));
}
HANDLE HandleOf(CEOID oid) {
  return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(oid));
}

bool IsTimed(DWORD type) {
  return type == CNT_TIME || type == CNT_PERIOD || type == CNT_CLASSICTIME;
}

bool ToUtcFileTime(const SYSTEMTIME& local, FILETIME* utc) {
  FILETIME localTime{};
  return SystemTimeToFileTime(&local, &localTime) && LocalFileTimeToFileTime(&localTime, utc);
}

CEPROPVAL TextValue(CEPROPID tag, WCHAR* text) {
  CEPROPVAL value{};
  value.propid = tag;
  if (text == nullptr) {
    value.wFlags = CEDB_PROPDELETE;
  } else {
    value.val.lpwstr = text;
  }
  return value;
}

CEPROPVAL NumberValue(CEPROPID tag, DWORD number) {
  CEPROPVAL value{};
  value.propid = tag;
  value.val.ulVal = number;
  return value;
}

CEPROPVAL TimeValue(CEPROPID tag, FILETIME time) {
  CEPROPVAL value{};
  value.propid = tag;
  value.val.filetime = time;
  return value;
}

PendingNotification ToPending(CEOID oid, const CEPROPVAL* values, WORD count) {
  PendingNotification pending;
  pending.handle = HandleOf(oid);
  for (WORD i = 0; i < count; ++i) {
    const CEPROPVAL& v = values[i];
    auto text = [&] { return std::u16string(v.val.lpwstr ? v.val.lpwstr : u""); };
    switch (v.propid) {
      case platform::kNotifyFireTime:
        pending.fireTimeUtc = static_cast<int64_t>(
            (static_cast<uint64_t>(v.val.filetime.dwHighDateTime) << 32) | v.val.filetime.dwLowDateTime);
        break;
      case platform::kNotifyTriggerType:
        pending.triggerType = v.val.ulVal;
        break;
      case platform::kNotifyApplication:
        pending.application = text();
        break;
      case platform::kNotifyArguments:
        pending.arguments = text();
        break;
      case platform::kNotifyActionFlags:
        pending.actionFlags = v.val.ulVal;
        break;
      case platform::kNotifyDialogTitle:
        pending.dialogTitle = text();
        break;
      case platform::kNotifyDialogText:
        pending.dialogText = text();
        break;
      case platform::kNotifySound:
        pending.sound = text();
        break;
      default:
        break;
    }
  }
  return pending;
}

}  // namespace

HANDLE CeSetUserNotificationEx(HANDLE notification, CE_NOTIFICATION_TRIGGER* trigger,
                               CE_USER_NOTIFICATION* userNotification) {
  if (trigger == nullptr || (trigger->dwSize != kDeviceTriggerSize && trigger->dwSize != sizeof(*trigger)) ||
      trigger->dwType < CNT_EVENT || trigger->dwType > CNT_CLASSICTIME ||
      platform::TextView(trigger->lpszApplication).empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  FILETIME fire{};
  FILETIME end{};
  if (IsTimed(trigger->dwType) && !ToUtcFileTime(trigger->stStartTime, &fire)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (trigger->dwType == CNT_PERIOD && !ToUtcFileTime(trigger->stEndTime, &end)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HANDLE queue = OpenQueue();
  if (queue == INVALID_HANDLE_VALUE) return nullptr;
  CEOID existing = OidOf(notification);
  if (existing != 0 && CeSeekDatabase(queue, CEDB_SEEK_CEOID, existing, nullptr) != existing) {
    CloseHandle(queue);
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  CE_USER_NOTIFICATION none{};
  const CE_USER_NOTIFICATION& user = userNotification ? *userNotification : none;
  std::vector<CEPROPVAL> values{
      TimeValue(platform::kNotifyFireTime, fire),
      NumberValue(platform::kNotifyTriggerType, trigger->dwType),
      TextValue(platform::kNotifyApplication, trigger->lpszApplication),
      TextValue(platform::kNotifyArguments, trigger->lpszArguments),
      NumberValue(platform::kNotifyActionFlags, user.ActionFlags),
      TextValue(platform::kNotifyDialogTitle, user.pwszDialogTitle),
      TextValue(platform::kNotifyDialogText, user.pwszDialogText),
      TextValue(platform::kNotifySound, user.pwszSound),
      TimeValue(platform::kNotifyEndTime, end),
      NumberValue(platform::kNotifyEvent, trigger->dwEvent),
  };
  CEOID written = CeWriteRecordProps(queue, existing, static_cast<WORD>(values.size()), values.data());
  CloseHandle(queue);
  return written ? HandleOf(written) : nullptr;
}

BOOL CeClearUserNotification(HANDLE notification) {
  CEOID oid = OidOf(notification);
  HANDLE queue = OpenQueue();
  if (queue == INVALID_HANDLE_VALUE) return FALSE;
  BOOL cleared = oid != 0 && CeDeleteRecord(queue, oid);
  if (!cleared) SetLastError(ERROR_INVALID_HANDLE);
  CloseHandle(queue);
  return cleared;
}

BOOL CeHandleAppNotifications(const WCHAR* application) {
  std::u16string_view name = platform::TextView(application, MAX_PATH);
  if (name.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& handled = platform::System::Current().State<HandledApplications>();
  std::lock_guard guard(handled.lock);
  handled.names.emplace_back(name);
  return TRUE;
}

namespace platform {

std::vector<PendingNotification> ReadPendingNotifications() {
  std::vector<PendingNotification> pending;
  HANDLE queue = OpenQueue();
  if (queue == INVALID_HANDLE_VALUE) return pending;
  LPBYTE buffer = nullptr;
  DWORD size = 0;
  if (CeSeekDatabase(queue, CEDB_SEEK_BEGINNING, 0, nullptr)) {
    do {
      WORD count = 0;
      CEOID oid = CeReadRecordProps(queue, CEDB_ALLOWREALLOC, &count, nullptr, &buffer, &size);
      if (oid) pending.push_back(ToPending(oid, reinterpret_cast<CEPROPVAL*>(buffer), count));
    } while (CeSeekDatabase(queue, CEDB_SEEK_CURRENT, 1, nullptr));
  }
  LocalFree(buffer);
  CloseHandle(queue);
  return pending;
}

int RunDueNotifications() {
  int64_t now = System::Current().DeviceClock().NowUtc();
  int ran = 0;
  for (const PendingNotification& pending : ReadPendingNotifications()) {
    if (!IsTimed(pending.triggerType) || pending.fireTimeUtc > now) continue;
    // Removed first, so that a program that sets a new notification is not run twice.
    if (!CeClearUserNotification(pending.handle)) continue;
    std::u16string commandLine = pending.arguments;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(pending.application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, nullptr, &process)) {
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
    ++ran;
  }
  return ran;
}

std::vector<std::u16string> HandledNotificationApplications() {
  auto& handled = System::Current().State<HandledApplications>();
  std::lock_guard guard(handled.lock);
  return handled.names;
}

}  // namespace platform
