// A second process that adds links on a shared device:
//   link_adder DEVICE OWNER COUNT
// It adds COUNT web links owned by OWNER, one store call each, and prints the ids it was given.
#include <cstdio>
#include <cstdlib>

#include "links/LinkStore.h"
#include "platform/core/System.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  auto device = platform::Device::Open(argv[1]);
  if (!device) return 3;
  platform::System::Current().AttachDevice(std::move(device));
  auto owner = static_cast<calyra::ItemOid>(std::strtoul(argv[2], nullptr, 10));
  int count = std::atoi(argv[3]);
  int failed = 0;
  for (int i = 0; i < count; ++i) {
    calyra::LinkStore store;
    WORD id = 0;
    if (store.AddLink(owner, &id, calyra::LinkType::Web, 0, u"www.example.org")) {
      std::printf("%u\n", id);
    } else {
      ++failed;
    }
  }
  std::fflush(stdout);
  platform::System::Current().DetachDevice();
  return failed == 0 ? 0 : 1;
}
