// Another host process holding an item open in an editor, for the test of two hosts on one device:
//   editor_holder DEVICE OID PROCESS_KIND RELEASE_FILE [REPLACING_OID]
// Opens the task in an editor (and then, when given, the task REPLACING_OID in its place), prints
// "open" and keeps the editor open until RELEASE_FILE exists.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "CalyraEditor.h"
#include "CalyraEditorResources.h"
#include "platform/core/System.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"

namespace {

LRESULT HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) return 2;
  auto device = platform::Device::Open(argv[1]);
  if (!device) return 3;
  platform::System::Current().AttachDevice(std::move(device));
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HostProc;
  windowClass.lpszClassName = u"HolderHost";
  RegisterClassW(&windowClass);
  HWND host =
      CreateWindowExW(0, u"HolderHost", u"", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  HINSTANCE resources = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  RECT area{0, 0, 240, 320};
  if (!CalyraEditor_Initialize(host, resources, &area, static_cast<WORD>(std::atoi(argv[3])))) return 4;
  if (!CalyraEditor_EditTask(0, nullptr, static_cast<CEOID>(std::stoul(argv[2], nullptr, 0)), 0, 0, 0))
    return 5;
  platform::PumpMessages();
  if (argc == 6) {
    if (!CalyraEditor_EditTask(0, nullptr, static_cast<CEOID>(std::stoul(argv[5], nullptr, 0)), 0, 0, 0))
      return 6;
    platform::PumpMessages();
  }
  std::printf("open\n");
  std::fflush(stdout);
  for (int i = 0; i < 600 && !std::filesystem::exists(argv[4]); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  CalyraEditor_Destroy();
  platform::System::Current().DetachDevice();
  return 0;
}
