#pragma once

#include <string>

#include "CalyraDialer.h"
#include "platform/core/PlatformTypes.h"

namespace calyra {

// The device's dialer library, which lies outside the component, reached through its entry points. A
// device without the library, or a library without an entry point, leaves a dialer that does nothing:
// state 0, no dialing, no area code.
class Dialer {
 public:
  // Loads `library` (once) and calls its initialise with the resource module, keeping the result.
  void Initialise(HINSTANCE resources, LPCWSTR library = CALYRA_DIALER_LIBRARY);
  // What the library's initialise answered; 0 without the library.
  int State() const { return state_; }
  // Starts dialing `number` with the kept state; true when dialing started.
  bool DialNumber(HWND owner, const WCHAR* number, int dialOptions, int prefixOptions,
                  int countryOptions) const;
  void DialNumberCancel() const;
  // The user's area code; empty when the dialer knows none.
  std::u16string AreaCode() const;

 private:
  void Load(LPCWSTR library);

  HINSTANCE module_ = nullptr;
  int state_ = 0;
  CalyraDialerInitializeFunction initialize_ = nullptr;
  CalyraDialerDialNumberFunction dialNumber_ = nullptr;
  CalyraDialerDialNumberCancelFunction dialNumberCancel_ = nullptr;
  CalyraDialerGetAreaCodeFunction getAreaCode_ = nullptr;
};

}  // namespace calyra
