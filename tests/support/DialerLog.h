#pragma once

#include <string>
#include <vector>

#include "platform/core/Device.h"

namespace calyra::testing {

// One call the device's stand-in dialer recorded: the entry point's name, then its values as text.
using DialerCall = std::vector<std::string>;

// Every call recorded on `device` so far, by any process, oldest first.
std::vector<DialerCall> DialerCalls(const platform::Device& device);

}  // namespace calyra::testing
