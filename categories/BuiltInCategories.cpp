#include "categories/BuiltInCategories.h"

#include <array>
#include <string_view>

#include "platform/text/Text.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "store/PimItem.h"

namespace calyra {

namespace {

struct Language {
  std::u16string_view tag;
  std::array<const char16_t*, 3> names;  // anniversary, birthday, no categories
};

// The first row is the fallback.
constexpr Language kLanguages[] = {
    {u"EN", {u"*Contact Anniversary", u"*Contact Birthday", u"**No Categories"}},
    {u"DE", {u"*Kontakt Jahrestag", u"*Kontakt Geburtstag", u"**Keine Kategorien"}},
    {u"NL", {u"*Jubilieum contactpersoon", u"*Verjaardag contactpersoon", u"**Geen categorieën"}},
    {u"FR", {u"*Contact Fête", u"*Contact Anniversaire", u"**Pas de Catégories"}},
    {u"ES", {u"*Aniversarios Contactos", u"*Cumpleaños Contactos", u"**Sin Categorias"}},
    {u"IT", {u"*Anniversario Contatto", u"*Compleanno Contatto", u"**Nessuna Categoria"}},
};

constexpr const char16_t* kKeys[] = {u"cyanniversary", u"cybirthday", u"cynone"};
constexpr int kChangeIndexes[] = {-3, -2, -1};

const Language& LanguageOf(const std::u16string& tag) {
  for (const Language& language : kLanguages) {
    if (language.tag == tag) return language;
  }
  return kLanguages[0];
}

}  // namespace

std::vector<BuiltInCategory> BuiltInCategories(HINSTANCE resources) {
  const Language& language = LanguageOf(ResourceText(resources, resources::kStringLanguageTag));
  std::vector<BuiltInCategory> specials;
  for (size_t i = 0; i < std::size(kKeys); ++i)
    specials.push_back({kKeys[i], kChangeIndexes[i], language.names[i]});
  return specials;
}

}  // namespace calyra
