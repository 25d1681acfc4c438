#include "platform/ui/controls/CommonControls.h"

namespace platform::ui {

void RegisterCommonControls() {}

}  // namespace platform::ui
