#include "notes/AlarmNotification.h"

#include "platform/notify/Notifications.h"

namespace calyra {

namespace {

constexpr std::u16string_view kOpenCommand = u"OpenAlarmNote ";

HANDLE HandleOf(DWORD handle) {
  return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle));
}

}  // namespace

DWORD SetAlarmNotification(DWORD handle, std::u16string_view path, const SYSTEMTIME& time) {
  std::u16string application = kNoteLauncher;
  std::u16string arguments(kOpenCommand);
  arguments += path;
  CE_NOTIFICATION_TRIGGER trigger{kDeviceTriggerSize, CNT_TIME, 0,           application.data(),
                                  arguments.data(),   time,     SYSTEMTIME{}};
  HANDLE registered = CeSetUserNotificationEx(HandleOf(handle), &trigger, nullptr);
  return static_cast<DWORD>(reinterpret_cast<uintptr_t>(registered));
}

void ClearAlarmNotification(DWORD handle) {
  if (handle) CeClearUserNotification(HandleOf(handle));
  CeHandleAppNotifications(kNoteLauncher);
}

}  // namespace calyra
