#pragma once

// The exit codes docs/DEMO.md publishes for calyra. The tests hold the program to these numbers
// rather than to its own constants, so that a changed code shows as a broken promise.
namespace calyra::testing::exits {

inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;
inline constexpr int kDevice = 3;
inline constexpr int kScript = 4;
inline constexpr int kBadOid = 5;
inline constexpr int kNoComponent = 6;

}  // namespace calyra::testing::exits
