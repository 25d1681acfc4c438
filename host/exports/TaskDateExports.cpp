// The task date exports: a task completed, given a new due date, or moved or copied to another day
// by the host without an editor. Their work is in operations/TaskDateOperations.
#include "CalyraEditor.h"
#include "host/Component.h"
#include "host/exports/ExportGuard.h"
#include "operations/TaskDateOperations.h"

CALYRA_API int CalyraEditor_MarkTaskComplete(HWND owner, CEOID task, int mode) {
  // Always 1, whether or not the task could be loaded and saved.
  return calyra::Guarded(1, [&] {
    calyra::MarkTaskComplete(calyra::Component::Process().OperationContextFor(owner), task, mode);
    return 1;
  });
}

CALYRA_API int CalyraEditor_ChangeDates(HWND owner, CEOID task, int skip, DWORD /*unused*/,
                                        const SYSTEMTIME* due) {
  // Always 1. Without a date there is nothing to set: a null date changes nothing (it is not taken
  // for the no-date value, which clears the task's dates).
  return calyra::Guarded(1, [&] {
    if (!due) return 1;
    calyra::ChangeDates(calyra::Component::Process().OperationContextFor(owner), task, skip != 0, *due);
    return 1;
  });
}

CALYRA_API int CalyraEditor_MoveTaskToDate(HWND owner, CEOID task, int copy, const SYSTEMTIME* from,
                                           const SYSTEMTIME* to) {
  // 0 only when the task was not moved because it recurs. A null day is bad input: the task is not
  // moved, and 0 tells the host so, as for a refusal (but no message is shown).
  return calyra::Guarded(0, [&] {
    if (!from || !to) return 0;
    calyra::TaskDateResult result = calyra::MoveTaskToDate(
        calyra::Component::Process().OperationContextFor(owner), task, copy != 0, *from, *to);
    return result == calyra::TaskDateResult::Refused ? 0 : 1;
  });
}
