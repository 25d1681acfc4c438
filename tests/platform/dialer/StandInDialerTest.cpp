#include <gtest/gtest.h>

#include <string>

#include "CalyraDialer.h"
#include "platform/core/LastError.h"
#include "platform/ui/ResourceLibrary.h"
#include "tests/platform/objectstore/ChildProcess.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/DialerLog.h"

namespace {

using calyra::testing::ChildProcess;
using calyra::testing::DeviceTest;
using calyra::testing::DialerCall;
using calyra::testing::DialerCalls;
using calyra::testing::HelperProgram;

template <class Handle>
std::string Decimal(Handle handle) {
  return std::to_string(reinterpret_cast<uintptr_t>(handle));
}

// The device's dialer as a program reaches it: loaded by name, its entry points found by name.
class StandInDialerTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    module_ = LoadLibraryW(CALYRA_DIALER_LIBRARY);
    ASSERT_NE(module_, nullptr) << GetLastError();
    initialize_ = Entry<CalyraDialerInitializeFunction>(u"CalyraDialer_Initialize");
    dial_ = Entry<CalyraDialerDialNumberFunction>(u"CalyraDialer_DialNumber");
    cancel_ = Entry<CalyraDialerDialNumberCancelFunction>(u"CalyraDialer_DialNumberCancel");
    areaCode_ = Entry<CalyraDialerGetAreaCodeFunction>(u"CalyraDialer_GetAreaCode");
    ASSERT_TRUE(initialize_ && dial_ && cancel_ && areaCode_);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    DeviceTest::TearDown();
  }
  template <class Function>
  Function Entry(const char16_t* name) {
    return reinterpret_cast<Function>(GetProcAddressW(module_, name));
  }

  HINSTANCE module_ = nullptr;
  CalyraDialerInitializeFunction initialize_ = nullptr;
  CalyraDialerDialNumberFunction dial_ = nullptr;
  CalyraDialerDialNumberCancelFunction cancel_ = nullptr;
  CalyraDialerGetAreaCodeFunction areaCode_ = nullptr;
};

TEST_F(StandInDialerTest, InitializeAnswersTheStateSettingAndRecordsTheResources) {
  HINSTANCE resources = reinterpret_cast<HINSTANCE>(uintptr_t{0x1234});
  EXPECT_EQ(initialize_(resources), 1) << "ready by default";
  Device().SetSetting("Dialer.State", u"4711");
  EXPECT_EQ(initialize_(nullptr), 4711);
  Device().SetSetting("Dialer.State", u"ready");
  EXPECT_EQ(initialize_(resources), 1) << "a setting that is no number is not read";

  EXPECT_EQ(DialerCalls(Device()),
            (std::vector<DialerCall>{
                {"Initialize", "4660", "1"}, {"Initialize", "0", "4711"}, {"Initialize", "4660", "1"}}));
}

TEST_F(StandInDialerTest, RecordsEveryDialWithAllItsArguments) {
  HWND owner = reinterpret_cast<HWND>(uintptr_t{0x2000});
  EXPECT_TRUE(dial_(owner, u"+49 (30) 1234-5", 1, 7, -1, 49));
  EXPECT_FALSE(dial_(owner, u"ext.", 0, 7, 0, 0)) << "nothing to dial without a digit";
  EXPECT_FALSE(dial_(nullptr, nullptr, 2, 0, 3, 4));
  EXPECT_TRUE(dial_(nullptr, u"030\t12\n34 \u260E", 0, 0, 0, 0));
  cancel_();

  EXPECT_EQ(DialerCalls(Device()),
            (std::vector<DialerCall>{{"DialNumber", "8192", "+49 (30) 1234-5", "1", "7", "-1", "49", "1"},
                                     {"DialNumber", "8192", "ext.", "0", "7", "0", "0", "0"},
                                     {"DialNumber", "0", "", "2", "0", "3", "4", "0"},
                                     {"DialNumber", "0", "030 12 34 \u260E", "0", "0", "0", "0", "1"},
                                     {"DialNumberCancel"}}))
      << "a tab or line break in a number keeps the record on its line";
}

TEST_F(StandInDialerTest, AreaCodeComesFromTheDeviceSetting) {
  WCHAR areaCode[CALYRA_DIALER_AREA_CODE_SIZE];
  areaCode[0] = u'x';
  EXPECT_EQ(areaCode_(areaCode), 0);
  EXPECT_EQ(std::u16string(areaCode), u"") << "no setting, no area code";

  Device().SetSetting("Dialer.AreaCode", u"030");
  EXPECT_EQ(areaCode_(areaCode), 3);
  EXPECT_EQ(std::u16string(areaCode), u"030");

  Device().SetSetting("Dialer.AreaCode", u"0123456789012345678");
  EXPECT_EQ(areaCode_(areaCode), CALYRA_DIALER_AREA_CODE_SIZE - 1);
  EXPECT_EQ(std::u16string(areaCode), u"012345678901234") << "cut to the buffer";
  EXPECT_EQ(areaCode_(nullptr), 0);

  EXPECT_EQ(DialerCalls(Device()),
            (std::vector<DialerCall>{
                {"GetAreaCode", ""}, {"GetAreaCode", "030"}, {"GetAreaCode", "012345678901234"}}));
}

TEST_F(StandInDialerTest, AnotherProcessReadsTheDialledNumbers) {
  ChildProcess caller(HelperProgram("dialer_caller"), {(DeviceFolder() / "device").string(), "0301234"});
  ASSERT_TRUE(caller.Started());
  EXPECT_EQ(caller.Wait(), 0);
  EXPECT_TRUE(dial_(nullptr, u"0405678", 5, 6, 7, 8));

  EXPECT_EQ(DialerCalls(Device()),
            (std::vector<DialerCall>{{"DialNumber", "0", "0301234", "1", "2", "3", "4", "1"},
                                     {"DialNumber", "0", "0405678", "5", "6", "7", "8", "1"}}));
}

TEST_F(StandInDialerTest, WithoutADeviceNothingIsRecorded) {
  platform::System::Current().DetachDevice();
  module_ = nullptr;  // its handle went with the device
  EXPECT_EQ(initialize_(nullptr), 1);
  EXPECT_TRUE(dial_(nullptr, u"030", 0, 0, 0, 0));
  WCHAR areaCode[CALYRA_DIALER_AREA_CODE_SIZE];
  EXPECT_EQ(areaCode_(areaCode), 0);
  cancel_();
  ReopenDevice();
  EXPECT_TRUE(DialerCalls(Device()).empty());
}

}  // namespace
