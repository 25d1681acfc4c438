#pragma once

#include "store/PimItem.h"
#include "templates/TemplateWalk.h"

namespace calyra {

enum class TemplateChoice { NoTemplates, Cancelled, Applied };

// Offers the templates of the item's kind in the template picker and fills `item` from the one
// chosen (an appointment on the date of `day`, see FillFromTemplate). The blank-item button, and a
// template that can no longer be read, leave the item as it is (NoTemplates); Cancel is Cancelled.
// The caller asks TemplateCount first: with none stored there is nothing to offer.
TemplateChoice OfferTemplate(const ItemContext& context, PimItem& item, const SYSTEMTIME& day);

}  // namespace calyra
