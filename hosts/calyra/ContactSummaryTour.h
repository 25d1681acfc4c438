#pragma once

#include <cstdio>

#include "platform/ui/WindowTypes.h"

namespace calyra::host {

// Before the tour shows the contact as a summary: a photo for Ada in the contact photo folder (under
// her file-as name) and a call with her in the phone's call log, so that the summary has both to show.
void PrepareContactSummary(std::FILE* out);

// With the contact's summary up: says whether it shows the photo, then mails and dials Ada as a person
// does, by double-tapping the e-mail row and the first phone row, and prints what was started (the
// launch log) and what the dialer was asked (its log). False when a row is missing.
bool UseContactSummary(HWND summary, std::FILE* out);

}  // namespace calyra::host
