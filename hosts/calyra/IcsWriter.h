#pragma once

#include <string>
#include <vector>

#include "hosts/calyra/IcsRecords.h"
#include "hosts/calyra/ImportCategories.h"
#include "store/ItemKind.h"

namespace calyra::ics {

// Stores a record as the editors' saves do: the component's item object (CPIMAppointment, CPIMTask)
// and its Save, which writes Pocket Outlook's fields, the notes as the ink control's data holding
// their text, the category set (its counters noted in `categories` for the file's store step), the
// pattern and a task's reminder notification; then what the item objects do not carry yet through
// Pocket Outlook (a task's categories text and completion date, the attendees, the deleted and
// changed occurrences). The new item's oid, or 0 when the save failed. A changed occurrence the
// series has no occurrence for is left out with a line in `skipped`. `resources` is the component's
// resource module, whose texts the saves write as the editors' do (a task reminder's labels, the
// subject of an item without one).
ItemOid WriteAppointment(const AppointmentRecord& record, host::ImportCategories& categories,
                         HINSTANCE resources = nullptr, std::vector<std::string>* skipped = nullptr);
ItemOid WriteTask(const TaskRecord& record, host::ImportCategories& categories,
                  HINSTANCE resources = nullptr);

}  // namespace calyra::ics
