#include <gtest/gtest.h>

#include "platform/core/LastError.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/Window.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

class ScrollBarTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"Test:Scrolled";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, u"Test:Scrolled", u"", WS_VISIBLE, 0, 0, 240, 100, nullptr, nullptr, nullptr,
                              nullptr);
  }
  bool Shown() { return (GetWindowLongW(window_, GWL_STYLE) & WS_VSCROLL) != 0; }
  int Set(int max, UINT page, int pos) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, max, page, pos, 0};
    return SetScrollInfo(window_, SB_VERT, &info, TRUE);
  }
  HWND window_ = nullptr;
};

TEST_F(ScrollBarTest, ShowsWhileTheRangeIsLargerThanThePageAndKeepsThePositionInIt) {
  struct Case {
    const char* what;
    int max;
    UINT page;
    int pos;
    int kept;
    bool shown;
  };
  const Case cases[] = {
      {"range beyond the page", 499, 100, 50, 50, true},
      {"position past the last page", 499, 100, 450, 400, true},
      {"negative position", 499, 100, -5, 0, true},
      {"range within the page", 80, 100, 30, 0, false},
      {"no range", 0, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Set(c.max, c.page, c.pos), c.kept) << c.what;
    EXPECT_EQ(Shown(), c.shown) << c.what;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, -1, -1, 0, -1, -1};
    ASSERT_TRUE(GetScrollInfo(window_, SB_VERT, &info));
    EXPECT_EQ(info.nMax, c.max) << c.what;
    EXPECT_EQ(info.nPage, c.page) << c.what;
    EXPECT_EQ(info.nPos, c.kept) << c.what;
  }
}

TEST_F(ScrollBarTest, APositionAloneKeepsTheRange) {
  Set(499, 100, 0);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 120, 0};
  EXPECT_EQ(SetScrollInfo(window_, SB_VERT, &info, TRUE), 120);
  info.fMask = SIF_RANGE;
  GetScrollInfo(window_, SB_VERT, &info);
  EXPECT_EQ(info.nMax, 499);
}

TEST_F(ScrollBarTest, RefusesAnUnknownBarOrWindow) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 10, 1, 0, 0};
  EXPECT_EQ(SetScrollInfo(window_, 7, &info, TRUE), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(GetScrollInfo(nullptr, SB_VERT, &info));
  EXPECT_FALSE(GetScrollInfo(window_, SB_VERT, nullptr));
}

}  // namespace
