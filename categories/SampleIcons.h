#pragma once

#include <string>

#include "platform/ui/WindowTypes.h"

namespace calyra {

// Writes the sample icons of the resource module into `folder` as "<name>.bmp"; the number written.
int WriteSampleIcons(HINSTANCE resources, const std::u16string& folder);

}  // namespace calyra
