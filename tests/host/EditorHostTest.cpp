#include "tests/host/EditorHostTest.h"

#include "CalyraEditorResources.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "store/CPIMTask.h"

namespace calyra::testing {

namespace {

constexpr const char16_t* kHostClass = u"TestHost";

constexpr CalyraResourceDialogItem kTestPageItems[] = {
    {u"EDIT", TestPage::kField, u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 4, 4, 150, 12},
};
constexpr CalyraResourceDialog kTestDialogs[] = {
    {TestPage::kTemplate, u"", WS_CHILD, 0, 0, 0, 160, 200, kTestPageItems, std::size(kTestPageItems)},
};
constexpr CalyraResourceTable kTestTable = {
    CALYRA_RESOURCES_VERSION, nullptr, 0, kTestDialogs, 1, nullptr, 0, nullptr, 0};

LRESULT HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HINSTANCE TestPage::TemplateModule() const {
  static thread_local HINSTANCE module = nullptr;
  static thread_local platform::Device* device = nullptr;
  // A module belongs to the device's process state, so each test's device gets its own.
  if (!module || device != platform::CurrentDevice()) {
    module = RegisterResourceModule(platform::ResourceModuleFromTable(&kTestTable));
    device = platform::CurrentDevice();
  }
  return module;
}

void EditorHostTest::SetUp() {
  DeviceTest::SetUp();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HostProc;
  windowClass.lpszClassName = kHostClass;
  RegisterClassW(&windowClass);
  host_ =
      CreateWindowExW(0, kHostClass, u"host", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  ConfigureDevice();
  resources_ = MakeResources();
  recorder_.emplace();
  recorder_->Watch(host_);
  user_.emplace();
  user_->SetResourceModule(resources_);
  RECT area{0, 0, 240, 320};
  ASSERT_EQ(CalyraEditor_Initialize(host_, resources_, &area, 1), 1);
}

HINSTANCE EditorHostTest::MakeResources() {
  return RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
}

void EditorHostTest::TearDown() {
  CalyraEditor_Destroy();
  user_.reset();
  recorder_.reset();
  DeviceTest::TearDown();
}

void EditorHostTest::UseTestPage(PageNumber number, PageKind kind) {
  PageLog& log = Log(number);
  Component::Process().mainWindow->Frame().Pages().SetMaker(
      number, [kind, &log] { return std::make_unique<TestPage>(kind, log); });
}

void EditorHostTest::Pump() {
  platform::PumpMessages();
}

HWND EditorHostTest::MainWindow() const {
  return Component::Process().mainWindow->Window();
}

EditorFrame& EditorHostTest::Frame() const {
  return Component::Process().mainWindow->Frame();
}

HWND EditorHostTest::Tabs() const {
  return Component::Process().mainWindow->Tabs();
}

std::vector<platform::RecordedMessage> EditorHostTest::HostMessages() {
  std::vector<platform::RecordedMessage> messages;
  for (const auto& message : recorder_->MessagesTo(host_)) {
    if (message.message >= 6383 && message.message <= 6387) messages.push_back(message);
    if (message.message == kHostMessage) messages.push_back(message);
  }
  recorder_->Clear();
  return messages;
}

std::string EditorHostTest::HostMessagesAre(const std::vector<platform::ExpectedMessage>& expected) {
  return platform::CompareMessages(HostMessages(), expected);
}

ItemOid EditorHostTest::SaveTask(const std::u16string& subject) {
  CPIMTask task;
  task.subject = subject;
  ItemContext context;
  EXPECT_EQ(task.Save(context), S_OK);
  return task.oid;
}

ItemOid EditorHostTest::SaveWeeklyAppointment(const std::u16string& subject) {
  CPIMAppointment series;
  series.subject = subject;
  series.start = SYSTEMTIME{2024, 3, 0, 18, 9, 0, 0, 0};
  series.end = SYSTEMTIME{2024, 3, 0, 18, 10, 0, 0, 0};
  series.recurring = true;
  series.recurrence.type = olRecursDaily;
  series.recurrence.interval = 7;
  series.recurrence.patternStart = SYSTEMTIME{2024, 3, 0, 18, 0, 0, 0, 0};
  ItemContext context;
  EXPECT_EQ(series.Save(context), S_OK);
  return series.oid;
}

}  // namespace calyra::testing
