#pragma once

#include <cstdio>

namespace calyra::host {

// Walks through what the device can do and prints each step; returns the process exit code.
int RunDeviceTour(std::FILE* out);

}  // namespace calyra::host
