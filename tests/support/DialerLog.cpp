#include "tests/support/DialerLog.h"

#include <fstream>
#include <sstream>

namespace calyra::testing {

std::vector<DialerCall> DialerCalls(const platform::Device& device) {
  std::vector<DialerCall> calls;
  std::ifstream log(device.FileSystemRoot() / "CalyraDialer.log");
  for (std::string line; std::getline(log, line);) {
    DialerCall call;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) call.push_back(field);
    if (!line.empty() && line.back() == '\t') call.emplace_back();  // an empty last value
    calls.push_back(std::move(call));
  }
  return calls;
}

}  // namespace calyra::testing
