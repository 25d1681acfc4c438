#pragma once

#include <gtest/gtest.h>

#include "platform/ui/agent/ScriptedUserAgent.h"

namespace calyra::testing {

// A scripted person for one test: set as the process's user agent while it lives, each failure is
// a test failure, and steps left over fail the test at its end. Make it once the device is attached
// (in the test, or in SetUp after DeviceTest::SetUp): the person belongs to that device's windows.
class ScriptedUser : public platform::ScriptedUserAgent {
 public:
  ScriptedUser() {
    OnFailure([](const std::string& message) { ADD_FAILURE() << "scripted user: " << message; });
    platform::SetUserAgent(this);
  }
  ~ScriptedUser() override {
    Finish();
    platform::SetUserAgent(nullptr);
  }
};

}  // namespace calyra::testing
