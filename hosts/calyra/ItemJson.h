#pragma once

#include "hosts/calyra/JsonWriter.h"
#include "platform/outlook/PocketOutlook.h"

namespace calyra::host {

// One item of Pocket Outlook's object model as the JSON object of `calyra list|show --json`; the
// members are those of docs/DEMO.md "JSON listings". False, with nothing written, when the item is no
// appointment, task or contact.
bool WriteItemJson(JsonWriter* json, IDispatch* item);

}  // namespace calyra::host
