#include "host/Component.h"

namespace calyra {

Component& Component::Process() {
  static Component component;
  return component;
}

const CountryTable& Component::Countries() {
  std::call_once(countriesBuilt_,
                 [this] { countries_ = std::make_unique<CountryTable>(CountryTable::FromLocaleData()); });
  return *countries_;
}

}  // namespace calyra
