#pragma once

#include "lists/ListModel.h"

namespace calyra::lists {

// The position a scroll request leads to: line steps of `line`, page steps of `page` less one line,
// the thumb's position, top and bottom; never below 0 nor beyond content - page.
int ScrollTarget(WORD request, int thumb, int position, int line, int page, int content);
// Handles WM_VSCROLL: moves to the target, sets the bar and repaints when the position changed.
void Scroll(ListModel& model, WORD request, int thumb);

// Selection moves; each ends by scrolling the selected row into view. Label rows are skipped.
void SelectNext(ListModel& model);
void SelectPrevious(ListModel& model);
void SelectFirst(ListModel& model);
// Scrolls so that the current row is wholly visible where it can be, and repaints.
void EnsureVisible(ListModel& model);

}  // namespace calyra::lists
