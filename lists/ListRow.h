#pragma once

#include "platform/core/PlatformTypes.h"

namespace calyra::lists {

// One row of the list: the provider's field it shows, its height as laid out, its flags (kRow*).
struct ListRow {
  int field = 0;
  int height = 0;
  DWORD flags = 0;
};

}  // namespace calyra::lists
