#pragma once

#include <string>

#include "platform/core/PlatformTypes.h"

// The timed notification of an alarm note: at the alarm time the system starts the note launcher with
// "OpenAlarmNote <path>", and the launcher opens the note. Nothing is shown by the system itself.
namespace calyra {

inline constexpr const char16_t* kNoteLauncher = u"CalyraNotesLauncher.exe";
// The launcher's argument while a note's final name is not known yet.
inline constexpr std::u16string_view kNoNotePath = u"noinfo";

// Registers the notification that opens `path` at `time` (local), replacing the one `handle` names
// when it is not 0. The handle the system gives, 0 on failure.
DWORD SetAlarmNotification(DWORD handle, std::u16string_view path, const SYSTEMTIME& time);

// Clears the notification and tells the system the launcher's notifications are handled.
void ClearAlarmNotification(DWORD handle);

}  // namespace calyra
