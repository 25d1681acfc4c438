#pragma once

#include <cstdio>

#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/SnapshotCommand.h"

namespace calyra::host {

// The component's editors as the host uses them: a new appointment, task and contact through the
// New exports, each shown, dumped and closed with OK, the notifications the host got, the task
// opened again through the Edit export, and what the device's stores then hold. Returns the
// process exit code: 0 when every editor opened and saved.
// With an active camera, each page shown is also written as a picture.
int RunEditorTour(EditorSession& session, std::FILE* out, PageCamera& camera);

}  // namespace calyra::host
