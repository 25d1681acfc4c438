#pragma once

#include <cstdio>

#include "hosts/calyra/EditorSession.h"

namespace calyra::host {

// What a host does to stored items without an editor, through the component's exports: the task
// completed (CalyraEditor_MarkTaskComplete) and dragged two days on from its start
// (CalyraEditor_MoveTaskToDate), then the appointment deleted (CalyraEditor_DeleteAppointment) with
// the question it asks printed and answered Yes. Prints the task's dates and the links the task is
// left with. 0 when every export answered 1.
int RunOperationTour(EditorSession& session, CEOID appointment, CEOID task, std::FILE* out);

}  // namespace calyra::host
