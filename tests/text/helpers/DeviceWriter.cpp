// Another process on a device, for the tests of values kept between expansions:
//   device_writer DEVICE setting NAME VALUE       sets the device setting NAME
//   device_writer DEVICE registry KEY NAME TEXT   sets the string NAME under HKEY_CURRENT_USER\KEY
#include <string>

#include "platform/core/System.h"
#include "platform/registry/Registry.h"
#include "platform/text/Text.h"

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  auto device = platform::Device::Open(argv[1]);
  if (!device) return 3;
  platform::System::Current().AttachDevice(std::move(device));
  std::string command = argv[2];
  if (command == "setting" && argc == 5) {
    platform::CurrentDevice()->SetSetting(argv[3], platform::FromUtf8(argv[4]));
    return 0;
  }
  if (command == "registry" && argc == 6) {
    std::u16string path = platform::FromUtf8(argv[3]), name = platform::FromUtf8(argv[4]);
    std::u16string text = platform::FromUtf8(argv[5]);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return 4;
    LONG result = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * 2));
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 0 : 5;
  }
  return 2;
}
