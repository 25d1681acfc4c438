#pragma once

#include <memory>
#include <optional>

#include "CalyraEditor.h"
#include "editors/EditorPage.h"
#include "editors/PageFactory.h"
#include "platform/ui/MessageRecorder.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedUser.h"

namespace calyra {
class EditorFrame;
}

namespace calyra::testing {

// The host's notification that an editor or summary closed.
inline constexpr platform::ExpectedMessage kClosed{
    6383, platform::kPosted | platform::kWParam | platform::kLParam, 0, 0};

// What a test page saw.
struct PageLog {
  int loads = 0;
  int stores = 0;
  int resets = 0;
  int afterSave = 0;
  bool refuseStore = false;
};

// A small page for the framework tests: one edit field (control 100) in a dialog of the test module.
class TestPage : public EditorPage {
 public:
  static constexpr int kTemplate = 9001;
  static constexpr int kField = 100;

  TestPage(PageKind kind, PageLog& log) : EditorPage(kind, kTemplate), log_(log) {}
  void Load() override { ++log_.loads; }
  bool Store(int) override {
    ++log_.stores;
    return !log_.refuseStore;
  }
  void Reset(int) override { ++log_.resets; }
  bool WriteAfterSave(ItemOid) override {
    ++log_.afterSave;
    return true;
  }

 protected:
  HINSTANCE TemplateModule() const override;

 private:
  PageLog& log_;
};

// A device with a host window, the component started on it with the default resources, a scripted
// person and a recorder of what the host window receives.
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
  void UseTestPage(PageNumber number, PageKind kind);
  PageLog& Log(PageNumber number) { return logs_[static_cast<size_t>(number)]; }
  void Pump();
  HWND MainWindow() const;
  EditorFrame& Frame() const;
  HWND Tabs() const;
  // The host notifications since the last call, in order.
  std::vector<platform::RecordedMessage> HostMessages();
  std::string HostMessagesAre(const std::vector<platform::ExpectedMessage>& expected);
  ItemOid SaveTask(const std::u16string& subject);
  ItemOid SaveWeeklyAppointment(const std::u16string& subject);

  HWND host_ = nullptr;
  HINSTANCE resources_ = nullptr;
  std::optional<platform::MessageRecorder> recorder_;
  std::optional<ScriptedUser> user_;
  std::array<PageLog, kLastPageNumber + 1> logs_{};
};

}  // namespace calyra::testing
