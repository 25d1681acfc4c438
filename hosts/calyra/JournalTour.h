#pragma once

#include <cstdio>

#include "hosts/calyra/EditorSession.h"

namespace calyra::host {

// The journal after the item operations: the person writes an entry of their own
// (CalyraEditor_AddJournalEntryCustom), the journal is listed as `calyra journal` lists it, and the
// journal window (CalyraEditor_OpenJournal) is shown, dumped and closed with OK. 0 when the entry
// was written and the window opened.
int RunJournalTour(EditorSession& session, std::FILE* out);

}  // namespace calyra::host
