#pragma once

#include "store/PimItem.h"

namespace calyra {

enum class TemplateChoice { NoTemplates, Cancelled, Applied };

// The number of stored templates of an item kind.
int TemplateCount(ItemKind kind);
// Offers the templates of the kind for a new item and applies the one chosen to `item`.
TemplateChoice OfferTemplate(HWND owner, HINSTANCE resources, ItemKind kind, PimItem& item);

}  // namespace calyra
