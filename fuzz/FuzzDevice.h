#pragma once

#include <stdlib.h>

#include "platform/core/System.h"

// Attaches a scratch device once per fuzzing process; false when none could be made.
inline bool AttachFuzzDevice() {
  static const bool attached = [] {
    char folder[] = "/tmp/calyra-fuzz-XXXXXX";
    if (mkdtemp(folder) == nullptr) return false;
    platform::System::Current().AttachDevice(platform::Device::Open(folder));
    return platform::CurrentDevice() != nullptr;
  }();
  return attached;
}
