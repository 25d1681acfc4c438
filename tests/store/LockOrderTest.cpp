// Two processes on one device: the notification queue is written only under the update mutex, and no
// save holds the store's write lock while a question waits for the person.
#include <gtest/gtest.h>

#include "platform/notify/Notifications.h"
#include "platform/ui/ResourceModule.h"
#include "resources/ResourceIds.h"
#include "store/CPIMAppointment.h"
#include "store/CPIMTask.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

class LockOrderTest : public DeviceTest {
 protected:
  std::string DevicePath() const { return (DeviceFolder() / "device").string(); }
  ItemContext context_;
};

TEST_F(LockOrderTest, ANotificationWriteWaitsForTheProcessHoldingTheUpdateMutex) {
  CPIMTask task;
  task.subject = u"Call Anna";
  task.due = SYSTEMTIME{2024, 3, 0, 20, 0, 0, 0, 0};
  task.reminderSet = true;
  task.reminderTime = SYSTEMTIME{2024, 3, 0, 19, 8, 0, 0, 0};
  ASSERT_EQ(task.Save(context_), S_OK);

  ChildProcess holder(HelperProgram("mutex_holder"), {DevicePath(), "300"});
  std::string line;
  ASSERT_TRUE(holder.ReadLine(&line));
  ASSERT_EQ(line, "held");
  task.reminderTime.wHour = 17;  // moves the notification: a write to the queue
  ASSERT_EQ(task.Save(context_), S_OK);
  EXPECT_TRUE(Device().Setting("Probe.Released").has_value())
      << "the save went on while the other process held the update mutex";
  EXPECT_EQ(holder.Wait(), 0);
  EXPECT_EQ(platform::ReadPendingNotifications().size(), 1u);
}

// Answers the meeting question only after another process has saved a task on the same device.
class AnotherProcessSavesMeanwhile : public ScriptedUser {
 public:
  explicit AnotherProcessSavesMeanwhile(std::string device) : device_(std::move(device)) {}
  int AnswerMessageBox(HWND owner, std::u16string_view text, std::u16string_view caption,
                       UINT flags) override {
    ChildProcess saver(HelperProgram("task_saver"), {device_, "1", "meanwhile"});
    // The other process must finish while the question waits; a write lock held here would stall it.
    finished_ = saver.WaitFor(20000);
    return ScriptedUser::AnswerMessageBox(owner, text, caption, flags);
  }
  bool finished_ = false;

 private:
  std::string device_;
};

TEST_F(LockOrderTest, AQuestionDuringASaveHoldsNoWriteLock) {
  auto module = std::make_shared<platform::ResourceModule>();
  module->AddString(resources::kStringMeetingUpdate, u"Send the update?");
  context_.resources = platform::RegisterResourceModule(module);
  CPIMAppointment meeting;
  meeting.subject = u"Review";
  meeting.start = SYSTEMTIME{2024, 3, 0, 21, 9, 0, 0, 0};
  meeting.end = SYSTEMTIME{2024, 3, 0, 21, 10, 0, 0, 0};
  meeting.meeting = true;
  ASSERT_EQ(meeting.Save(context_), S_OK);

  AnotherProcessSavesMeanwhile user(DevicePath());
  user.SetResourceModule(context_.resources);
  user.ExpectMessageBoxString(resources::kStringMeetingUpdate, IDNO);
  meeting.start.wHour = 11;
  meeting.end.wHour = 12;
  EXPECT_EQ(meeting.Save(context_), S_OK);
  EXPECT_TRUE(user.finished_) << "the other process could not save while the question was open";
}

}  // namespace
