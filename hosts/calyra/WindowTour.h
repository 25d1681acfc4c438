#pragma once

#include <cstdio>

namespace calyra::host {

// A dialog of the window system, filled in by a scripted person, step by step, with the window
// dump before OK is pressed; returns 0 when the dialog ended as scripted.
int RunWindowTour(std::FILE* out);
// A task with a reminder and a weekly appointment saved through the item objects, what the store
// then holds, and both removed again; returns 0 when every step worked.
int RunItemTour(std::FILE* out);

}  // namespace calyra::host
