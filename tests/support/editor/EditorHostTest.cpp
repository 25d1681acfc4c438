#include "tests/support/editor/EditorHostTest.h"

#include <algorithm>

#include "CalyraEditorResources.h"
#include "editors/EditorMessages.h"
#include "host/Component.h"
#include "host/EditorFrame.h"
#include "host/MainWindow.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "projects/Project.h"
#include "resources/ResourceIds.h"
#include "store/CPIMTask.h"

namespace calyra::testing {

namespace {

using namespace calyra::resources;

constexpr const char16_t* kHostClass = u"TestHost";

constexpr CalyraResourceDialogItem kTestPageItems[] = {
    {u"EDIT", TestPage::kField, u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 4, 4, 150, 12},
    {u"EDIT", TestPage::kSecondField, u"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 4, 20, 150, 12},
};

constexpr CalyraResourceDialog TestDialog(int id) {
  return {id, u"", WS_CHILD, 0, 0, 0, 160, 200, kTestPageItems, std::size(kTestPageItems)};
}

// One small dialog under each page template id.
constexpr CalyraResourceDialog kTestDialogs[] = {
    TestDialog(kDialogAppointmentPage), TestDialog(kDialogTaskPage),
    TestDialog(kDialogNotesPage),       TestDialog(kDialogCategoriesPage),
    TestDialog(kDialogLinksPage),       TestDialog(kDialogAttendeesPage),
    TestDialog(kDialogContactPage),     TestDialog(kDialogRecurrencePage),
    TestDialog(kDialogProjectPage),     TestDialog(kDialogProjectContentsPage),
    TestDialog(kDialogProjectTimePage), TestDialog(kDialogProjectReportPage),
};
constexpr CalyraResourceTable kTestTable = {
    CALYRA_RESOURCES_VERSION, nullptr, 0, kTestDialogs, std::size(kTestDialogs), nullptr, 0, nullptr, 0};

LRESULT HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

bool IsHostNotification(UINT message) {
  return message >= kNotifyEditorClosed && message <= kNotifyItemSaved;
}

}  // namespace

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
  pageTemplates_ = RegisterResourceModule(platform::ResourceModuleFromTable(&kTestTable));
  recorder_.emplace();
  recorder_->Watch(host_);
  user_.emplace();
  user_->SetResourceModule(resources_);
  RECT area{0, 0, 240, 320};
  ASSERT_EQ(CalyraEditor_Initialize(host_, resources_, &area, 1), 1);
  recorder_->Watch(MainWindow());
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

void EditorHostTest::UseTestPage(PageNumber number) {
  PageLog& log = Log(number);
  HINSTANCE module = pageTemplates_;
  Component::Process().mainWindow->Frame().Pages().SetMaker(
      number, [number, &log, module] { return std::make_unique<TestPage>(number, log, module); });
}

void EditorHostTest::UseTestPages() {
  for (const PageTraits& page : AllPageTraits()) UseTestPage(page.number);
}

void EditorHostTest::UseOnlyTestPages(std::initializer_list<PageNumber> numbers) {
  for (const PageTraits& page : AllPageTraits()) {
    if (std::find(numbers.begin(), numbers.end(), page.number) != numbers.end()) {
      UseTestPage(page.number);
    } else {
      Component::Process().mainWindow->Frame().Pages().SetMaker(page.number, nullptr);
    }
  }
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
    if (IsHostNotification(message.message) || message.message == kHostMessage) messages.push_back(message);
  }
  recorder_->Clear();
  return messages;
}

std::string EditorHostTest::HostMessagesAre(const std::vector<platform::ExpectedMessage>& expected) {
  return platform::CompareMessages(HostMessages(), expected);
}

std::vector<platform::RecordedMessage> EditorHostTest::FlowMessages() {
  std::vector<platform::RecordedMessage> messages;
  for (const auto& message : recorder_->Messages()) {
    bool toHost =
        message.window == host_ && (IsHostNotification(message.message) || message.message == kHostMessage);
    bool toMain = message.window == MainWindow() && IsFlowMessage(message.message);
    if (toHost || toMain) messages.push_back(message);
  }
  recorder_->Clear();
  return messages;
}

std::string EditorHostTest::FlowIs(const std::vector<platform::ExpectedMessage>& expected) {
  return platform::CompareMessages(FlowMessages(), expected);
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

ItemOid EditorHostTest::SaveProject(const std::u16string& name, DWORD* projectId) {
  Project project;
  project.InitNew();
  project.name = name;
  ItemOid record = project.Save();
  EXPECT_NE(record, 0u);
  if (projectId) *projectId = project.projectId;
  return record;
}

}  // namespace calyra::testing
