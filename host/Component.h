#pragma once

#include <memory>
#include <mutex>

#include "host/OptionStore.h"
#include "text/CountryTable.h"
#include "text/DateTimeText.h"

namespace calyra {

// All the component's per-process state: the one object behind the exports. Each part is made on
// first use.
class Component {
 public:
  static Component& Process();

  const CountryTable& Countries();
  DateTimeText& DateTimeTexts() { return dateTimeText_; }
  OptionStore& Options() { return options_; }
  // The resource module the host passed in; null until it does.
  HINSTANCE Resources() const { return resources_; }
  void SetResources(HINSTANCE resources) { resources_ = resources; }

 private:
  Component() = default;

  std::once_flag countriesBuilt_;
  std::unique_ptr<CountryTable> countries_;
  DateTimeText dateTimeText_;
  OptionStore options_;
  HINSTANCE resources_ = nullptr;
};

}  // namespace calyra
