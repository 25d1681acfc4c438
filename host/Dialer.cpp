#include "host/Dialer.h"

#include "platform/ui/ResourceLibrary.h"

namespace calyra {

namespace {

template <class Function>
Function EntryPoint(HINSTANCE module, LPCWSTR name) {
  return reinterpret_cast<Function>(GetProcAddressW(module, name));
}

}  // namespace

void Dialer::Load(LPCWSTR library) {
  module_ = LoadLibraryW(library);
  if (!module_) return;
  initialize_ = EntryPoint<CalyraDialerInitializeFunction>(module_, u"CalyraDialer_Initialize");
  dialNumber_ = EntryPoint<CalyraDialerDialNumberFunction>(module_, u"CalyraDialer_DialNumber");
  dialNumberCancel_ =
      EntryPoint<CalyraDialerDialNumberCancelFunction>(module_, u"CalyraDialer_DialNumberCancel");
  getAreaCode_ = EntryPoint<CalyraDialerGetAreaCodeFunction>(module_, u"CalyraDialer_GetAreaCode");
}

void Dialer::Initialise(HINSTANCE resources, LPCWSTR library) {
  if (!module_) Load(library);
  state_ = initialize_ ? initialize_(resources) : 0;
}

bool Dialer::DialNumber(HWND owner, const WCHAR* number, int dialOptions, int prefixOptions,
                        int countryOptions) const {
  return dialNumber_ && dialNumber_(owner, number, dialOptions, state_, prefixOptions, countryOptions);
}

void Dialer::DialNumberCancel() const {
  if (dialNumberCancel_) dialNumberCancel_();
}

std::u16string Dialer::AreaCode() const {
  WCHAR areaCode[CALYRA_DIALER_AREA_CODE_SIZE] = {};
  if (!getAreaCode_) return {};
  getAreaCode_(areaCode);
  areaCode[CALYRA_DIALER_AREA_CODE_SIZE - 1] = 0;  // whatever the library wrote, the text ends in the buffer
  return areaCode;
}

}  // namespace calyra
