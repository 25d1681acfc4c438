#pragma once

#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"

// Timed user notifications. Each pending notification is a record of the object store's database
// "DB_notify_queue"; its handle is the record's oid, and its fire time (property 0x00010040, UTC
// FILETIME) may be rewritten in place by whoever holds the record.

inline constexpr DWORD CNT_EVENT = 1;
inline constexpr DWORD CNT_TIME = 2;
inline constexpr DWORD CNT_PERIOD = 3;
inline constexpr DWORD CNT_CLASSICTIME = 4;

inline constexpr DWORD PUN_LED = 1;
inline constexpr DWORD PUN_VIBRATE = 2;
inline constexpr DWORD PUN_DIALOG = 4;
inline constexpr DWORD PUN_SOUND = 8;
inline constexpr DWORD PUN_REPEAT = 16;

// The size of a trigger on the device, where pointers are 32 bits; this build's own size is accepted too.
inline constexpr DWORD kDeviceTriggerSize = 52;

struct CE_NOTIFICATION_TRIGGER {
  DWORD dwSize;
  DWORD dwType;
  DWORD dwEvent;
  WCHAR* lpszApplication;
  WCHAR* lpszArguments;
  SYSTEMTIME stStartTime;  // local time
  SYSTEMTIME stEndTime;
};

struct CE_USER_NOTIFICATION {
  DWORD ActionFlags;
  WCHAR* pwszDialogTitle;
  WCHAR* pwszDialogText;
  WCHAR* pwszSound;
  DWORD nMaxSound;
  DWORD dwReserved;
};

// Creates a notification, or replaces the one `notification` names. Returns its handle, or null.
HANDLE CeSetUserNotificationEx(HANDLE notification, CE_NOTIFICATION_TRIGGER* trigger,
                               CE_USER_NOTIFICATION* userNotification);
BOOL CeClearUserNotification(HANDLE notification);
// Tells the system that the notifications of the application have been dealt with.
BOOL CeHandleAppNotifications(const WCHAR* application);

namespace platform {

// The properties of a notification record.
inline constexpr CEPROPID kNotifyFireTime = 0x00010040;
inline constexpr CEPROPID kNotifyTriggerType = 0x00020013;
inline constexpr CEPROPID kNotifyApplication = 0x0003001F;
inline constexpr CEPROPID kNotifyArguments = 0x0004001F;
inline constexpr CEPROPID kNotifyActionFlags = 0x00050013;
inline constexpr CEPROPID kNotifyDialogTitle = 0x0006001F;
inline constexpr CEPROPID kNotifyDialogText = 0x0007001F;
inline constexpr CEPROPID kNotifySound = 0x0008001F;
inline constexpr CEPROPID kNotifyEndTime = 0x00090040;
inline constexpr CEPROPID kNotifyEvent = 0x000A0013;

struct PendingNotification {
  HANDLE handle = nullptr;
  DWORD triggerType = 0;
  int64_t fireTimeUtc = 0;  // FILETIME ticks
  std::u16string application;
  std::u16string arguments;
  DWORD actionFlags = 0;
  std::u16string dialogTitle;
  std::u16string dialogText;
  std::u16string sound;
};

// Every notification of the device that is still pending, in creation order.
std::vector<PendingNotification> ReadPendingNotifications();

// Starts the program of every timed notification whose time has come (by the device clock) and
// removes it; returns how many ran. Hosts and tests call it in place of the device's own timer.
int RunDueNotifications();

// The applications this process has called CeHandleAppNotifications for, in order.
std::vector<std::u16string> HandledNotificationApplications();

}  // namespace platform
