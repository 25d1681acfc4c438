#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hosts/calyra/IcsRecords.h"

namespace calyra::ics {

// One component of the file as its lines show it: its name, where BEGIN stands, and the line of
// each of its own properties, in order.
struct ComponentLines {
  std::string name;
  int line = 0;
  std::vector<std::pair<std::string, int>> properties;  // upper-case name, line

  // The line of the first property of that name, else the component's own line.
  int LineOf(std::string_view property) const;
};

// Checks what libical passes over silently: the text is UTF-8, every content line (after
// unfolding) has a name and a colon, components are the ones iCalendar knows and BEGIN and END
// nest, and the file is one or more VCALENDARs. On success `components` lists the components in
// file order (the order libical's tree gives when walked depth first).
bool CheckCalendarLines(std::string_view text, std::vector<ComponentLines>* components, ReadError* error);

}  // namespace calyra::ics
