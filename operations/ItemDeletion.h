#pragma once

#include "operations/OperationContext.h"

namespace calyra {

// Deleting appointments, tasks and contacts as a host or an editor asks for it: first the questions
// (the plain confirmation only when `confirm` is set), then, for every deletion that goes ahead and in
// this order, the journal entry, the Pocket Outlook delete and, when that worked, the removal of every
// link of the item. An item that cannot be found shows nothing and answers 0.

// 1 when deleted, or once the occurrence question of a recurring appointment was answered (`occurrence`:
// the day of the occurrence shown, or null); 0 when refused or failed. A meeting asks whether to send
// its cancellation. A companion appointment goes with the appointment when its record says so, else
// only its links go.
int DeleteAppointment(const OperationContext& context, ItemOid item, const SYSTEMTIME* occurrence,
                      bool confirm);
// `mayBeOccurrence`: a recurring task asks whether to delete it whole or skip only this occurrence.
// 1 when deleted, skipped, or declined at the plain confirmation; 0 when cancelled or failed.
int DeleteTask(const OperationContext& context, ItemOid item, bool mayBeOccurrence, bool confirm);
// Asks only when `ask` and `confirm` are both set. `wentAhead` (may be null) is 1 when the deletion
// went ahead and 0 when the person said No. 1 when deleted; 0 when declined or failed.
int DeleteContact(const OperationContext& context, ItemOid item, bool ask, DWORD* wentAhead, bool confirm);

}  // namespace calyra
