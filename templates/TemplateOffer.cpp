#include "templates/TemplateOffer.h"

#include "templates/TemplateFill.h"
#include "templates/TemplatePicker.h"

namespace calyra {

TemplateChoice OfferTemplate(const ItemContext& context, PimItem& item, const SYSTEMTIME& day) {
  std::optional<ItemOid> chosen = TemplatePicker(item.Kind()).Show(context.owner, context.resources);
  if (!chosen) return TemplateChoice::Cancelled;
  if (!*chosen || !FillFromTemplate(*chosen, item, context, day)) return TemplateChoice::NoTemplates;
  return TemplateChoice::Applied;
}

}  // namespace calyra
