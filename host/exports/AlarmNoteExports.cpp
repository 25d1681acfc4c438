// The alarm notes' exports that are built: the alarm-time dialog over the host's window.
#include "CalyraEditor.h"
#include "editors/AlarmTimeDialog.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"

int CalyraEditor_EditAlarmNoteTime(HWND owner, SYSTEMTIME* time) {
  return calyra::Guarded<int>(0, [&]() -> int {
    if (!time) return 0;
    return calyra::EditAlarmTime(owner, calyra::Component::Process().Resources(), time) ? 1 : 0;
  });
}
