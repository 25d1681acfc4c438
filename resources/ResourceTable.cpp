#include "resources/Resources.h"

// The one export of the library. Dialog templates, menus and bitmaps are added here as the editors
// that show them are built; the component's own module carries the rest.
const CalyraResourceTable* CalyraResources_Table(void) {
  static const CalyraResourceTable table = {
      CALYRA_RESOURCES_VERSION,
      calyra::resources::kStrings,
      static_cast<uint32_t>(calyra::resources::kStringCount),
      nullptr,
      0,
      nullptr,
      0,
      nullptr,
      0,
  };
  return &table;
}
