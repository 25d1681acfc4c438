#pragma once

#include <cstdio>
#include <string>

#include "hosts/calyra/EditorSession.h"

namespace calyra::host {

// Projects as a host and a person make them: "Kitchen" with the sub-project "Tiles", the task and a
// file added to Kitchen through CalyraEditor_AddItemToProject2, an hour and a half booked on Tiles,
// and the projects listed as `calyra projects` lists them. Kitchen's record, or 0 when a step failed.
CEOID RunProjectTour(EditorSession& session, CEOID task, std::FILE* out);

// What the person does in Kitchen's editor before each page is shown: 40 % done, and on the third
// page (tab 3) three quarters of an hour of measuring up booked through the time record dialog.
std::string KitchenEditorScript();

// The project's report written as `calyra report` writes it, and its text printed. 0 when written.
int RunReportTour(EditorSession& session, CEOID project, std::FILE* out);

}  // namespace calyra::host
