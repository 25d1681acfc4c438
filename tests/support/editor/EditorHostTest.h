#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CalyraEditor.h"
#include "editors/EditorPage.h"
#include "editors/PageFactory.h"
#include "platform/ui/MessageRecorder.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/editor/EditorFlows.h"

namespace calyra {
class EditorFrame;
}

namespace calyra::testing {

// The host's notification that an editor or summary closed.
inline constexpr platform::ExpectedMessage kClosed = flows::kEditorClosed;

// What a test page saw.
struct PageLog {
  int loads = 0;
  int stores = 0;
  int resets = 0;
  int afterSave = 0;
  bool refuseStore = false;
};

// A small page for the framework tests: one edit field (kField) in a dialog of the test's own module
// that carries every page template id, so the page keeps its number's traits.
class TestPage : public EditorPage {
 public:
  static constexpr int kField = 100;
  static constexpr int kSecondField = 101;

  TestPage(PageNumber number, PageLog& log, HINSTANCE module)
      : EditorPage(number), log_(log), module_(module) {}
  void Load() override { ++log_.loads; }
  bool Store(CloseAction) override {
    ++log_.stores;
    return !log_.refuseStore;
  }
  void Reset(CloseAction) override { ++log_.resets; }
  bool WriteAfterSave(ItemOid) override {
    ++log_.afterSave;
    return true;
  }

 protected:
  HINSTANCE TemplateModule() const override { return module_; }

 private:
  PageLog& log_;
  HINSTANCE module_;
};

// A device with a host window, the component started on it with the default resources, a scripted
// person and a recorder of what the host and the MainWindow receive.
class EditorHostTest : public DeviceTest {
 protected:
  static constexpr UINT kHostMessage = 0x9999;

  void SetUp() override;
  void TearDown() override;
  // Called before the component starts: device settings such as the screen's resolution.
  virtual void ConfigureDevice() {}
  // The resource module the host passes; the default English one unless a test changes it.
  virtual HINSTANCE MakeResources();

  // Gives the editors test pages of these numbers, each logging into its own log.
  void UseTestPage(PageNumber number);
  // Test pages for every page of the editors.
  void UseTestPages();
  // Test pages of these numbers and no page for any other, so that a test of the framework counts
  // the same tabs whichever real pages the editors have.
  void UseOnlyTestPages(std::initializer_list<PageNumber> numbers);
  PageLog& Log(PageNumber number) { return logs_[static_cast<size_t>(number)]; }
  void Pump();
  HWND MainWindow() const;
  EditorFrame& Frame() const;
  HWND Tabs() const;
  // The host notifications since the last call, in order.
  std::vector<platform::RecordedMessage> HostMessages();
  std::string HostMessagesAre(const std::vector<platform::ExpectedMessage>& expected);
  // The component's private messages to the MainWindow and the host notifications since the last
  // call, in order (see EditorFlows.h).
  std::vector<platform::RecordedMessage> FlowMessages();
  std::string FlowIs(const std::vector<platform::ExpectedMessage>& expected);
  ItemOid SaveTask(const std::u16string& subject);
  ItemOid SaveWeeklyAppointment(const std::u16string& subject);
  // A stored project of that name: its record, and its identifier in `projectId` when asked.
  ItemOid SaveProject(const std::u16string& name, DWORD* projectId = nullptr);

  HWND host_ = nullptr;
  HINSTANCE resources_ = nullptr;
  HINSTANCE pageTemplates_ = nullptr;  // the test pages' own module
  std::optional<platform::MessageRecorder> recorder_;
  std::optional<ScriptedUser> user_;
  std::array<PageLog, kLastPageNumber + 1> logs_{};
};

}  // namespace calyra::testing
