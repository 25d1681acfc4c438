#pragma once

#include <cstdio>

#include "hosts/calyra/EditorSession.h"

namespace calyra::host {

// The task saved as a template (CalyraEditor_SaveItemAsTemplate, the person naming it), then a new
// task offered the templates, the person choosing the one just written and pressing OK in the
// editor. Prints the template and the new task. 0 when both were saved.
int RunTemplateTour(EditorSession& session, CEOID task, std::FILE* out);

}  // namespace calyra::host
