#pragma once

#include <cstdio>

namespace calyra::host {

// A dialog of the window system, filled in by a scripted person, step by step, with the window
// dump before OK is pressed; returns 0 when the dialog ended as scripted.
int RunWindowTour(std::FILE* out);

}  // namespace calyra::host
