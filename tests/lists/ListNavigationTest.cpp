#include <gtest/gtest.h>

#include "lists/ListLayout.h"
#include "lists/ListNavigation.h"
#include "platform/ui/Message.h"
#include "platform/ui/ScrollBar.h"
#include "tests/lists/ListTestSupport.h"

namespace {

using namespace calyra::lists;
using calyra::testing::ListTest;

TEST(ListScrollTarget, ClampsEveryRequest) {
  // line 16, page 100, content 500: the end is 400.
  struct Case {
    const char* what;
    WORD request;
    int thumb;
    int position;
    int expected;
  };
  const Case cases[] = {
      {"line up", SB_LINEUP, 0, 50, 34},
      {"line up near the top", SB_LINEUP, 0, 10, 0},
      {"line down", SB_LINEDOWN, 0, 50, 66},
      {"line down near the end", SB_LINEDOWN, 0, 390, 400},
      {"page up keeps a line", SB_PAGEUP, 0, 300, 216},
      {"page up near the top", SB_PAGEUP, 0, 50, 0},
      {"page down keeps a line", SB_PAGEDOWN, 0, 100, 184},
      {"page down near the end", SB_PAGEDOWN, 0, 390, 400},
      {"thumb position", SB_THUMBPOSITION, 123, 0, 123},
      {"thumb track beyond the end", SB_THUMBTRACK, 450, 0, 400},
      {"top", SB_TOP, 0, 250, 0},
      {"bottom", SB_BOTTOM, 0, 10, 400},
      {"end of scrolling keeps the position", SB_ENDSCROLL, 0, 77, 77},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScrollTarget(c.request, c.thumb, c.position, 16, 100, 500), c.expected) << c.what;
}

TEST(ListScrollTarget, ContentShorterThanThePageStaysAtTheTop) {
  for (WORD request : {SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM, SB_THUMBTRACK}) {
    EXPECT_EQ(ScrollTarget(request, 40, 0, 16, 100, 60), 0) << request;
  }
}

class ListNavigationTest : public ListTest {
 protected:
  // A list whose rows have these flags, each 10 pixels high, in a window `height` high.
  void Rows(const std::vector<DWORD>& flags, int current, int height = 200) {
    ASSERT_NE(MakeList({Value(u"", u"placeholder", 0, kFieldNoLabel)}, height), nullptr);
    ListModel& model = Model();
    model.ClearRows();
    for (DWORD f : flags) model.AddRow({0, 10, f});
    model.contentHeight = 10 * static_cast<int>(flags.size());
    model.current = current;
    UpdateScrollRange(model);
  }
  int ScrollPosition() {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(Inner(), SB_VERT, &info);
    return info.nPos;
  }
};

TEST_F(ListNavigationTest, SelectionMovesSkipLabelRows) {
  constexpr DWORD L = kLabelRowFlags;
  constexpr DWORD V = 0;
  enum class Move { Next, Previous, First };
  struct Case {
    const char* what;
    std::vector<DWORD> rows;
    int from;
    Move move;
    int to;
  };
  const Case cases[] = {
      {"next skips a label", {V, L, V}, 0, Move::Next, 2},
      {"next past only labels selects the last row", {V, L, L}, 0, Move::Next, 2},
      {"next on the last row stays", {V, V}, 1, Move::Next, 1},
      {"previous from row 0 stays at 0", {V, L, V}, 0, Move::Previous, 0},
      {"previous skips labels to a value row", {V, V, L, L, V}, 4, Move::Previous, 1},
      {"previous past only labels stops at row 0", {L, L, V}, 2, Move::Previous, 0},
      {"first skips leading labels", {L, L, V, V}, 3, Move::First, 2},
      {"first of only labels is the last row", {L, L}, 0, Move::First, 1},
  };
  for (const Case& c : cases) {
    Rows(c.rows, c.from);
    switch (c.move) {
      case Move::Next:
        VirtualList::SelectNext(list_);
        break;
      case Move::Previous:
        VirtualList::SelectPrevious(list_);
        break;
      case Move::First:
        VirtualList::SelectFirst(list_);
        break;
    }
    EXPECT_EQ(VirtualList::CurrentRow(list_), c.to) << c.what;
    DestroyWindow(list_);
  }
}

TEST_F(ListNavigationTest, TheSelectedRowIsScrolledIntoView) {
  std::vector<DWORD> rows(20, 0);
  Rows(rows, 0, 35);  // 200 pixels of rows in a window 35 high
  for (int i = 0; i < 5; ++i) VirtualList::SelectNext(list_);
  EXPECT_EQ(Model().current, 5);
  EXPECT_EQ(Model().position, 60 - 35) << "the row's bottom at the window's bottom";
  EXPECT_EQ(ScrollPosition(), Model().position);
  Model().position = 150;
  VirtualList::SelectPrevious(list_);
  EXPECT_EQ(Model().position, 40) << "the row's top at the window's top";
}

TEST_F(ListNavigationTest, AVerticalScrollMessageMovesTheListAndItsBar) {
  std::vector<DWORD> rows(50, 0);
  Rows(rows, 0, 100);
  int line = Model().lineUnit;
  SendMessageW(Inner(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Model().position, line);
  EXPECT_EQ(ScrollPosition(), line);
  SendMessageW(Inner(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(Model().position, 100);
  SendMessageW(Inner(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1000), 0);
  EXPECT_EQ(Model().position, 400) << "content height - page";
  SendMessageW(Inner(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(Model().position, 400) << "a page down near the end stops at the end";
  SendMessageW(Inner(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(ScrollPosition(), 0);
}

}  // namespace
