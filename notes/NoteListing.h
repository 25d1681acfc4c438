#pragma once

#include <string>
#include <vector>

#include "notes/AlarmNote.h"
#include "notes/AlarmNoteFolders.h"

namespace calyra {

// Every note file (".pwi") of `folder` (with its backslash), each taken as RecogniseNote takes it:
// alarm notes without a registered alarm are registered, passed alarms lose their handle from the name.
// In the order the folder lists them; none for a folder that is not there.
std::vector<AlarmNote> ListNotesIn(std::u16string_view folder);

// The notes of the documents folder, then those of the alarm notes folder.
std::vector<AlarmNote> ListNotes(AlarmNoteFolders& folders);

}  // namespace calyra
