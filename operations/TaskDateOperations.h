#pragma once

#include "operations/OperationContext.h"
#include "platform/core/PlatformTypes.h"

// A task completed, given a new due date, or moved or copied to another day without an editor: each
// loads the task, changes it by the rules of TaskDateRules.h and saves it, which also moves or removes
// its reminder notification and, for a task just completed, writes its journal entry.
namespace calyra {

// What a date operation did.
enum class TaskDateResult {
  Saved,     // the task (or its copy) was saved
  NotSaved,  // nothing to do, or the task could not be loaded or saved: the store is as it was
  Refused,   // a recurring task cannot be moved; the person was told
};

// Mode 0 reopens the task, 1 completes it, any other value toggles it.
TaskDateResult MarkTaskComplete(const OperationContext& context, ItemOid task, int mode);
// Gives the task the due date `due` (the no-date value clears its dates); with `skip` the task is
// loaded and left as it is.
TaskDateResult ChangeDates(const OperationContext& context, ItemOid task, bool skip, const SYSTEMTIME& due);
// Moves the task dragged from day `from` to day `to`, or with `copy` saves a new task so moved and
// leaves the task as it is. A drop on the same day without `copy` does not even load the task.
TaskDateResult MoveTaskToDate(const OperationContext& context, ItemOid task, bool copy,
                              const SYSTEMTIME& from, const SYSTEMTIME& to);

}  // namespace calyra
