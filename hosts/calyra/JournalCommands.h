#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "hosts/calyra/EditorLibrary.h"
#include "hosts/calyra/EditorSession.h"
#include "hosts/calyra/ItemCommands.h"
#include "platform/ui/agent/ScriptedUserAgent.h"

namespace calyra::host {

// `calyra journal [--json]`: the entries of the session's journal file in the file's order, one line
// each ("YYYY-MM-DDTHH:MM  type  0x%08X  text", line breaks of the text written as \n) or one JSON
// array (docs/DEMO.md "The journal"). No file: nothing (an empty array); kExitFailed for a file that
// is not a journal.
int ListJournal(ListingFormat format, std::FILE* out, std::FILE* err);

// `calyra journal add TEXT`: CalyraEditor_AddJournalEntryCustom over the host window, the person
// typing TEXT into the entry dialog and pressing OK; the entry written is printed. The exit code.
int AddJournalText(const EditorLibrary& library, const std::u16string& text, std::FILE* out, std::FILE* err);

// `calyra journal export`: CalyraEditor_OpenJournal, the person pressing Export, answering the
// message that names the text file, and pressing OK; the text file's path is printed. The exit code.
int ExportJournal(const EditorLibrary& library, std::FILE* out, std::FILE* err);

}  // namespace calyra::host
