#pragma once

#include <string>

#include "platform/core/PlatformTypes.h"

// The scripts the tour's person follows to make items through their pages, in the step language of
// `--script` (docs/DEMO.md), built from the resource ids so that they follow the templates.
namespace calyra::host {

// "Choir rehearsal": the location from the history, 7 PM, 45 minutes more, weekly on Tuesday and
// Thursday ending after 10 times.
std::string RehearsalScript();
// "Dentist check-up" with a second reminder the day before.
std::string CheckUpScript();
// "B1: File the tax return", due on `due`, reminded the day before at 7 PM, high importance, in the
// categories "Errands" (which must exist) and "Taxes" (added on the way), with a typed note and a pen
// stroke.
std::string TaxReturnScript(const SYSTEMTIME& due);
// "Ada Lovelace" of a company, with two phone numbers, an e-mail address and a work address in Berlin.
std::string AdaLovelaceScript();

}  // namespace calyra::host
