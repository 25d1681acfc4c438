#pragma once

#include <cstdio>

#include "hosts/calyra/EditorSession.h"

namespace calyra::host {

// The category dialog as a host opens it: a person adds the category "Errands" through a script of
// steps (printed as they run), then the categories are listed. 0 when the category was added.
int RunCategoryTour(EditorSession& session, std::FILE* out);

}  // namespace calyra::host
