#include "host/Component.h"

#include "host/MainWindow.h"
#include "host/OwnResources.h"
#include "platform/ui/ResourceLibrary.h"

namespace calyra {

Component& Component::Process() {
  return platform::System::Current().State<Component>();
}

Component::Component() = default;
Component::~Component() = default;

const CountryTable& Component::Countries() {
  std::call_once(countriesBuilt_,
                 [this] { countries_ = std::make_unique<CountryTable>(CountryTable::FromLocaleData()); });
  return *countries_;
}

HINSTANCE Component::OwnModule() {
  if (!ownModule_) ownModule_ = RegisterResourceModule(platform::ResourceModuleFromTable(OwnResourceTable()));
  return ownModule_;
}

}  // namespace calyra
