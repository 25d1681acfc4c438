#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/PlatformTypes.h"
#include "projects/Project.h"

namespace calyra {

// Every top-level project with its sub-projects loaded into its children, all the way down, in the
// order of the store's parent sort order.
std::vector<std::unique_ptr<Project>> LoadProjectTree();

// The names of projects in lists and trees are cut to this many characters.
inline constexpr size_t kProjectLabelNameChars = 48;

// A project as the picker and the lists show it: the first 48 characters of its name, " (", its end
// date (without the year in `today`'s year), ")" (nothing for a project without an end date), and
// " 12%" when it is partly done. A complete project shows `completeMark` ("Complete") in the
// parentheses instead.
std::u16string ProjectDisplayLabel(const Project& project, const SYSTEMTIME& today,
                                   const std::u16string& completeMark);

}  // namespace calyra
