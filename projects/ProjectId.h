#pragma once

#include "platform/core/PlatformTypes.h"

namespace calyra {

// The identifier of a project entry, made from the local time at its creation: bits 0-5 the second,
// bits 6-16 the minute of the day, bits 17-25 day of month times month (low 9 bits), bits 26-31 the
// tick count modulo 63. Entries refer to their project by it; 0 is none (a top-level project's
// parent), which the layout never produces because day times month is never a multiple of 512.
using ProjectId = DWORD;

ProjectId MakeProjectId(const SYSTEMTIME& local, DWORD tickCount);
// A ProjectId for now, from the device clock.
ProjectId NewProjectId();

}  // namespace calyra
