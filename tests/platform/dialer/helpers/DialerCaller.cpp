// Another process on the device that dials, for the test that reads the dialled numbers back:
//   dialer_caller DEVICE NUMBER
// Loads the device's dialer, dials NUMBER with the options 1, 2, 3, 4 and exits 0 when dialing started.
#include "CalyraDialer.h"
#include "platform/core/System.h"
#include "platform/text/Text.h"
#include "platform/ui/ResourceLibrary.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  auto device = platform::Device::Open(argv[1]);
  if (!device) return 3;
  platform::System::Current().AttachDevice(std::move(device));
  HINSTANCE dialer = LoadLibraryW(CALYRA_DIALER_LIBRARY);
  auto dial =
      reinterpret_cast<CalyraDialerDialNumberFunction>(GetProcAddressW(dialer, u"CalyraDialer_DialNumber"));
  if (!dial) return 4;
  BOOL started = dial(nullptr, platform::FromUtf8(argv[2]).c_str(), 1, 2, 3, 4);
  FreeLibrary(dialer);
  platform::System::Current().DetachDevice();
  return started ? 0 : 1;
}
