#include "platform/ui/controls/CommonControls.h"

#include "platform/ui/SystemClasses.h"

namespace platform::ui {

void RegisterCommonControls() {
  RegisterListView();
  RegisterTabControl();
  RegisterTreeView();
  RegisterMonthCalendar();
  RegisterDateTimePicker();
  RegisterInkControls();
  RegisterRichView();
}

}  // namespace platform::ui

void InitCommonControls() {
  platform::ui::RegisterSystemClasses();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  platform::ui::RegisterSystemClasses();
  return TRUE;
}
