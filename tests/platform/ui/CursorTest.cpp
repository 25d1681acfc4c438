#include <gtest/gtest.h>

#include <vector>

#include "platform/core/LastError.h"
#include "platform/ui/Cursor.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

class CursorTest : public DeviceTest {};

TEST_F(CursorTest, OnlyTheSystemCursorsLoad) {
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  ASSERT_NE(arrow, nullptr);
  ASSERT_NE(wait, nullptr);
  EXPECT_NE(arrow, wait);
  EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), wait) << "the same cursor each time";
  EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(32513)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(CursorTest, SetCursorAnswersTheOneBeforeAndKeepsEveryChange) {
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  EXPECT_EQ(GetCursor(), arrow) << "a process starts with the arrow";
  EXPECT_TRUE(platform::CursorHistory().empty());

  HCURSOR before = SetCursor(wait);
  EXPECT_EQ(before, arrow);
  EXPECT_EQ(GetCursor(), wait);
  EXPECT_EQ(SetCursor(before), wait);
  EXPECT_EQ(SetCursor(nullptr), arrow);
  EXPECT_EQ(GetCursor(), nullptr);
  EXPECT_EQ(platform::CursorHistory(), (std::vector<HCURSOR>{wait, arrow, nullptr}));
}

}  // namespace
