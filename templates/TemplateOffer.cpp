#include "templates/TemplateOffer.h"

namespace calyra {

// No template store exists yet, so no kind has templates and a new item starts from its defaults.
int TemplateCount(ItemKind) {
  return 0;
}

TemplateChoice OfferTemplate(HWND, HINSTANCE, ItemKind kind, PimItem&) {
  return TemplateCount(kind) ? TemplateChoice::Cancelled : TemplateChoice::NoTemplates;
}

}  // namespace calyra
