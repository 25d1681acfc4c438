#pragma once

#include "lists/ListModel.h"

namespace calyra::lists {

// Activates the current row: an e-mail row starts the mail program addressed to its text (tmail.exe
// on a Pocket PC, else pmail.exe), a web row (0x4000 without 0x2000) starts the browser with it.
// True when a program was started; an empty text starts nothing.
bool ActivateCurrent(const ListModel& model);

}  // namespace calyra::lists
