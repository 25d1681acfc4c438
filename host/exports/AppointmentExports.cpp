// The second reminder of an appointment, for hosts that keep their own appointment editor.
#include "CalyraEditor.h"
#include "editors/SecondReminder.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"

int CalyraEditor_EditDualReminderTime(HWND owner, CEOID, const SYSTEMTIME* start, SYSTEMTIME* reminder,
                                      calyra::CPIMAppointment* second) {
  return calyra::Guarded<int>(0, [&]() -> int {
    if (!second || !start || !reminder) return 0;
    HINSTANCE resources = calyra::Component::Process().Resources();
    return calyra::EditSecondReminderTime(owner, resources, *start, reminder, *second) ? 1 : 0;
  });
}
