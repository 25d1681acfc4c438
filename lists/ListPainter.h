#pragma once

#include <string>
#include <vector>

#include "lists/ListModel.h"

namespace calyra::lists {

// One text the list drew: which row, where (client coordinates), in which font and colour.
struct DrawnText {
  int row = 0;
  RECT rect{};
  HFONT font = nullptr;
  COLORREF colour = 0;
  std::u16string text;
};

// Fills the client area with the background colour and draws every visible row: the selected row
// on the selection colour, labels and headings in the label colour, values in the text colour and
// wrapped as laid out, a label beside its value in bold, a heading's rules, icons on the right.
// Returns what it drew.
std::vector<DrawnText> Paint(const ListModel& model, HDC dc);

}  // namespace calyra::lists
