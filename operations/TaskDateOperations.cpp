#include "operations/TaskDateOperations.h"

#include "operations/TaskDateRules.h"
#include "platform/ui/UserAgent.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"

namespace calyra {

namespace {

TaskDates DatesOf(const CPIMTask& task) {
  return TaskDates{task.start, task.due, task.reminderSet, task.reminderTime};
}

void SetDates(CPIMTask& task, const TaskDates& dates) {
  task.start = dates.start;
  task.due = dates.due;
  task.reminderSet = dates.reminderSet;
  task.reminderTime = dates.reminder;
}

TaskDateResult Save(CPIMTask& task, const ItemContext& context) {
  return SUCCEEDED(task.Save(context)) ? TaskDateResult::Saved : TaskDateResult::NotSaved;
}

// Loads the task; a task that cannot be loaded is not saved, so that nothing changes in the store.
bool LoadTask(CPIMTask& task, ItemOid oid, const ItemContext& context) {
  task.oid = oid;
  return oid != 0 && task.Load(context);
}

void TellRecurringCannotMove(const OperationContext& context) {
  MessageBoxW(context.owner, ResourceText(context.resources, resources::kStringRecurringTaskNotMoved).c_str(),
              ResourceText(context.resources, resources::kStringCaption).c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace

TaskDateResult MarkTaskComplete(const OperationContext& context, ItemOid oid, int mode) {
  ItemContext itemContext = context.ItemContextFor();
  CPIMTask task;
  if (!LoadTask(task, oid, itemContext)) return TaskDateResult::NotSaved;
  // A recurring task is completed the same way; Pocket Outlook takes care of its series.
  bool toggle = mode != 0 && mode != 1;
  task.complete = toggle ? !task.complete : mode == 1;
  // A completed task reminds no more: its reminder is switched off, and the save removes its
  // notification. A series moves on to its next occurrence, which keeps the reminder.
  if (task.complete && !task.recurring) task.reminderSet = false;
  return Save(task, itemContext);
}

TaskDateResult ChangeDates(const OperationContext& context, ItemOid oid, bool skip, const SYSTEMTIME& due) {
  ItemContext itemContext = context.ItemContextFor();
  CPIMTask task;
  if (!LoadTask(task, oid, itemContext) || skip) return TaskDateResult::NotSaved;
  SetDates(task, ChangeDueDate(DatesOf(task), due));
  return Save(task, itemContext);
}

TaskDateResult MoveTaskToDate(const OperationContext& context, ItemOid oid, bool copy, const SYSTEMTIME& from,
                              const SYSTEMTIME& to) {
  if (!copy && DayDifference(from, to) == 0) return TaskDateResult::NotSaved;
  ItemContext itemContext = context.ItemContextFor();
  CPIMTask task;
  task.oid = oid;
  bool loaded = oid != 0 && (copy ? task.LoadAsCopy(itemContext) : task.Load(itemContext));
  if (!loaded) return TaskDateResult::NotSaved;
  if (task.recurring) {
    TellRecurringCannotMove(context);
    return TaskDateResult::Refused;
  }
  SetDates(task, MoveToDay(DatesOf(task), from, to));
  // A copy of a completed task is new, not just completed: it writes no journal entry.
  if (copy) itemContext.taskCompleted = nullptr;
  return Save(task, itemContext);
}

}  // namespace calyra
