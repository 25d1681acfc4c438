#pragma once

#include "store/PimItem.h"

namespace calyra {

// Fills `item`, new or open in an editor, from the stored template `templateOid` of its kind: the
// template's descriptive fields, categories and notes. An appointment takes the template's times of
// day and length on the date of `day`; a task keeps its own dates and reminder; a contact takes the
// template's filled fields and keeps the others (its name). The item keeps its identity. False when
// the template cannot be read as an item of the item's kind.
bool FillFromTemplate(ItemOid templateOid, PimItem& item, const ItemContext& context, const SYSTEMTIME& day);

}  // namespace calyra
