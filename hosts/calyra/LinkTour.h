#pragma once

#include <cstdio>

#include "hosts/calyra/EditorSession.h"

namespace calyra::host {

// Links between the items the tour made, as a host makes them through the component: the
// appointment with the contact and the task with the appointment (CalyraEditor_AddLinkToItem), a web
// address on the task, an icon bitmap written into the device for the contact
// (CalyraEditor_SetIconLink). Prints each item's links and what opening the web link does. 0 when
// every link was made.
int RunLinkTour(EditorSession& session, CEOID appointment, CEOID task, CEOID contact, std::FILE* out);

}  // namespace calyra::host
