#pragma once

#include <cstdio>

namespace calyra::host {

// An alarm note written for one minute ahead (as the note editor saves one: named in the alarm notes
// folder, its alarm registered), the notes listed as `calyra notes` lists them, then the clock ticked
// two minutes on as `calyra tick` does: the device starts the note launcher, which shows the note.
// 0 when the note was written and the launcher showed it.
int RunNoteTour(std::FILE* out);

}  // namespace calyra::host
