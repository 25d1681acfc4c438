#pragma once

#include <cstdio>

#include "hosts/calyra/EditorSession.h"

namespace calyra::host {

// The floating link window as a host uses it: opened over an appointment, the task dropped on it
// where the point test says it lands, its window dump printed, then closed. 0 when every step did
// what a host expects.
int RunFloatingLinkTour(EditorSession& session, CEOID appointment, CEOID task, std::FILE* out);

}  // namespace calyra::host
