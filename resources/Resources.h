#pragma once

#include <cstddef>

#include "CalyraEditorResources.h"

// The tables of the default English resource library, one file each.
namespace calyra::resources {

// Every string the component shows, sorted by number (Strings.cpp).
extern const CalyraResourceString kStrings[];
extern const size_t kStringCount;

}  // namespace calyra::resources
