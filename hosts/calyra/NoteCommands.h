#pragma once

#include <cstdio>
#include <string>

#include "hosts/calyra/CallCommand.h"
#include "hosts/calyra/ItemCommands.h"

namespace calyra::host {

// `calyra notes [--json]`: every note file of the documents folder and of the alarm notes folder, as
// the component takes them when it lists them (an alarm note without a registered alarm is
// registered, one whose time has passed loses its handle from its name): one line each, or one JSON
// array (docs/DEMO.md "Notes"). The exit code.
int ListNoteFiles(ListingFormat format, std::FILE* out);

// `calyra note edit PATH`: the note file at PATH (a path on the device), taken as a listing takes it,
// handed to CalyraEditor_EditAlarmNote as the host's record; the editor is worked by the script or
// the person, and the record as the export left it is printed. The exit code.
int EditNoteFile(const EditorLibrary& library, const std::u16string& path, const ScriptInput& script,
                 std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace calyra::host
