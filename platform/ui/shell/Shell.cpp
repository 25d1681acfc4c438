#include "platform/ui/shell/Shell.h"

namespace platform::ui {

void RegisterShellClasses() {}

}  // namespace platform::ui
