// A second process saving tasks with reminders on a device, for the test of two processes saving at
// once:   task_saver DEVICE COUNT PREFIX
// Each task is saved with a reminder, then saved again with the reminder moved.
#include <cstdlib>
#include <string>

#include "platform/core/System.h"
#include "platform/text/Text.h"
#include "store/CPIMTask.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  auto device = platform::Device::Open(argv[1]);
  if (!device) return 3;
  platform::System::Current().AttachDevice(std::move(device));
  int count = std::atoi(argv[2]);
  std::u16string prefix = platform::FromUtf8(argv[3]);
  calyra::ItemContext context;
  for (int i = 0; i < count; ++i) {
    calyra::CPIMTask task;
    task.subject = prefix + platform::FromUtf8(std::to_string(i));
    task.due = SYSTEMTIME{2024, 4, 0, static_cast<WORD>(2 + i % 20), 0, 0, 0, 0};
    task.reminderSet = true;
    task.reminderTime = SYSTEMTIME{2024, 4, 0, static_cast<WORD>(1 + i % 20), 8, 0, 0, 0};
    if (FAILED(task.Save(context))) return 4;
    task.reminderTime.wHour = 18;
    if (FAILED(task.Save(context))) return 5;
  }
  platform::System::Current().DetachDevice();
  return 0;
}
