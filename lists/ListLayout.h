#pragma once

#include <memory>

#include "lists/ListModel.h"

namespace calyra::lists {

// Takes the display and the provider, builds the rows from the provider's fields (at most
// kMaxRows) and lays them out. The model's inner window must exist.
void Attach(ListModel& model, std::unique_ptr<FieldProvider> provider, const ListDisplay& display);
// Builds the rows from the model's provider again.
void BuildRows(ListModel& model);
// Measures every row's height in the width the screen leaves, again narrowed by the scroll bar when
// the rows are taller than the window, and sets the scroll range.
void Layout(ListModel& model);
// Shows the scroll bar when the content is taller than the window, with the window as page; else
// none. Keeps the position within the content.
void UpdateScrollRange(ListModel& model);
// The window's client height.
int PageHeight(const ListModel& model);

}  // namespace calyra::lists
