#include <algorithm>
#include <vector>

#include "resources/Resources.h"

namespace {

// The dialogs of the three files in one table, sorted by number.
std::vector<CalyraResourceDialog> AllDialogs() {
  using namespace calyra::resources;
  std::vector<CalyraResourceDialog> dialogs;
  dialogs.insert(dialogs.end(), kPageDialogs, kPageDialogs + kPageDialogCount);
  dialogs.insert(dialogs.end(), kDialogs, kDialogs + kDialogCount);
  dialogs.insert(dialogs.end(), kPickerDialogs, kPickerDialogs + kPickerDialogCount);
  std::sort(dialogs.begin(), dialogs.end(),
            [](const CalyraResourceDialog& a, const CalyraResourceDialog& b) { return a.id < b.id; });
  return dialogs;
}

}  // namespace

// The one export of the library; the dialog list and the bitmaps are made on the first call and live
// as long as the library.
const CalyraResourceTable* CalyraResources_Table(void) {
  static const std::vector<CalyraResourceDialog> dialogs = AllDialogs();
  static const CalyraResourceTable table = [] {
    auto bitmaps = calyra::resources::Bitmaps();
    return CalyraResourceTable{
        CALYRA_RESOURCES_VERSION,
        calyra::resources::kStrings,
        static_cast<uint32_t>(calyra::resources::kStringCount),
        dialogs.data(),
        static_cast<uint32_t>(dialogs.size()),
        calyra::resources::kMenus,
        static_cast<uint32_t>(calyra::resources::kMenuCount),
        bitmaps.data(),
        static_cast<uint32_t>(bitmaps.size()),
    };
  }();
  return &table;
}
