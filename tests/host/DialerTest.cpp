#include <gtest/gtest.h>

#include <string>

#include "CalyraEditorResources.h"
#include "host/Component.h"
#include "host/Dialer.h"
#include "host/MainWindow.h"
#include "platform/ui/ResourceLibrary.h"
#include "platform/ui/Window.h"
#include "tests/support/DialerLog.h"
#include "tests/support/editor/EditorHostTest.h"

namespace {

using namespace calyra;
using namespace calyra::testing;

template <class Handle>
std::string Decimal(Handle handle) {
  return std::to_string(reinterpret_cast<uintptr_t>(handle));
}

// The component started on a device whose dialer answers the state 4711 and knows the area code 030.
class DialerTest : public EditorHostTest {
 protected:
  void ConfigureDevice() override {
    Device().SetSetting("Dialer.State", u"4711");
    Device().SetSetting("Dialer.AreaCode", u"030");
  }
};

TEST_F(DialerTest, InitializeHandsTheDialerTheHostsResourcesAndKeepsItsState) {
  EXPECT_EQ(DialerCalls(Device()), (std::vector<DialerCall>{{"Initialize", Decimal(resources_), "4711"}}));
  EXPECT_EQ(Component::Process().dialer.State(), 4711);
}

TEST_F(DialerTest, InitializeAgainLeavesTheDialerAlone) {
  RECT area{0, 0, 240, 320};
  ASSERT_EQ(CalyraEditor_Initialize(host_, resources_, &area, 1), 1);
  EXPECT_EQ(DialerCalls(Device()).size(), 1u) << "an initialised component returns at once";

  // After Destroy the component starts afresh, and so does the dialer, with the resources given now.
  ASSERT_EQ(CalyraEditor_Destroy(), 1);
  Device().SetSetting("Dialer.State", u"12");
  HINSTANCE other = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  ASSERT_EQ(CalyraEditor_Initialize(host_, other, &area, 1), 1);
  auto calls = DialerCalls(Device());
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1], (DialerCall{"Initialize", Decimal(other), "12"}));
  EXPECT_EQ(Component::Process().dialer.State(), 12);
}

TEST_F(DialerTest, LaterCallsReachTheDialerWithItsState) {
  const Dialer& dialer = Component::Process().dialer;
  EXPECT_TRUE(dialer.DialNumber(host_, u"+49 30 1234567", 1, -1, 0));
  dialer.DialNumberCancel();
  EXPECT_EQ(dialer.AreaCode(), u"030");

  auto calls = DialerCalls(Device());
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[1],
            (DialerCall{"DialNumber", Decimal(host_), "+49 30 1234567", "1", "4711", "-1", "0", "1"}));
  EXPECT_EQ(calls[2], (DialerCall{"DialNumberCancel"}));
  EXPECT_EQ(calls[3], (DialerCall{"GetAreaCode", "030"}));
}

using DialerMissingTest = DeviceTest;

TEST_F(DialerMissingTest, ADeviceWithoutTheLibraryHasADialerThatDoesNothing) {
  Dialer dialer;
  dialer.Initialise(nullptr, u"NoSuchDialer.dll");
  EXPECT_EQ(dialer.State(), 0);
  EXPECT_FALSE(dialer.DialNumber(nullptr, u"0301234", 1, -1, 0));
  dialer.DialNumberCancel();
  EXPECT_EQ(dialer.AreaCode(), u"");
  EXPECT_TRUE(DialerCalls(Device()).empty());
}

TEST_F(DialerMissingTest, ALibraryWithoutTheEntryPointsHasADialerThatDoesNothing) {
  Dialer dialer;
  dialer.Initialise(nullptr, u"CalyraEditorResources.dll");
  EXPECT_EQ(dialer.State(), 0);
  EXPECT_FALSE(dialer.DialNumber(nullptr, u"0301234", 1, -1, 0));
  EXPECT_EQ(dialer.AreaCode(), u"");
}

// The component's start-up when its window cannot be made.
class InitializeTest : public DeviceTest {
 protected:
  void TearDown() override {
    CalyraEditor_Destroy();
    DeviceTest::TearDown();
  }
  HWND MakeHost() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"TestHost";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, u"TestHost", u"host", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                           nullptr);
  }
};

TEST_F(InitializeTest, AnswersZeroWhenItsWindowCannotBeMade) {
  HINSTANCE resources = RegisterResourceModule(platform::ResourceModuleFromTable(CalyraResources_Table()));
  HWND gone = MakeHost();
  ASSERT_TRUE(DestroyWindow(gone));
  RECT area{0, 0, 240, 320};
  EXPECT_EQ(CalyraEditor_Initialize(gone, resources, &area, 1), 0) << "the MainWindow needs a living host";
  EXPECT_FALSE(Component::Process().initialised);
  EXPECT_EQ(Component::Process().mainWindow, nullptr);
  EXPECT_EQ(CalyraEditor_Destroy(), 0) << "nothing was started";

  HWND host = MakeHost();
  EXPECT_EQ(CalyraEditor_Initialize(host, resources, &area, 1), 1) << "a later start with a window works";
  EXPECT_TRUE(Component::Process().initialised);
}

}  // namespace
