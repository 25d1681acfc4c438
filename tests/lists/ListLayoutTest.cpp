#include <gtest/gtest.h>

#include "lists/ListLayout.h"
#include "platform/text/Formatter.h"
#include "platform/ui/Message.h"
#include "platform/ui/ScrollBar.h"
#include "tests/lists/ListTestSupport.h"

namespace {

using namespace calyra::lists;
using calyra::testing::ListTest;

class ListLayoutTest : public ListTest {
 protected:
  bool HasScrollBar() { return (GetWindowLongW(Inner(), GWL_STYLE) & WS_VSCROLL) != 0; }
  std::vector<DWORD> Flags() {
    std::vector<DWORD> flags;
    for (int row = 0; row < Model().RowCount(); ++row) flags.push_back(Model().Row(row).flags);
    return flags;
  }
  static constexpr const char16_t* kLong =
      u"a value long enough to wrap over several lines of the list when the screen is narrow, and then "
      u"some more words so that it does at every width the list may have";
};

TEST_F(ListLayoutTest, MoreThan150FieldsShowTheFirst150Rows) {
  std::vector<ListField> fields;
  for (int i = 0; i < 200; ++i) {
    fields.push_back(Value(u"", platform::FormatText(u"value %d", {i}), 0, kFieldNoLabel));
  }
  ASSERT_NE(MakeList(fields), nullptr);
  ASSERT_EQ(Model().RowCount(), kMaxRows);
  EXPECT_EQ(Model().Row(149).field, 149);
  EXPECT_EQ(VirtualList::RowText(list_, 149), u"value 149");
  EXPECT_EQ(VirtualList::RowText(list_, 150), u"") << "past the rows";
}

TEST_F(ListLayoutTest, LabelledFieldsFillTheTableInPairsAndTheLastLabelMayStandAlone) {
  std::vector<ListField> fields{Heading(u"Contact")};
  for (int i = 0; i < 80; ++i) fields.push_back(Value(u"Label", platform::FormatText(u"value %d", {i})));
  ASSERT_NE(MakeList(fields), nullptr);
  ASSERT_EQ(Model().RowCount(), kMaxRows);
  EXPECT_EQ(Model().Row(149).flags, kLabelRowFlags) << "the 150th row is the 75th field's label";
  EXPECT_EQ(Model().Row(149).field, 75);
}

TEST_F(ListLayoutTest, RowsByFieldKind) {
  struct Case {
    const char* what;
    ListField field;
    std::vector<DWORD> rows;
  };
  ListField fixed = Value(u"Fixed", u"", kRowBold, kFieldFixedText);
  ListField heading = Heading(u"Phones");
  heading.rowFlags = kRowLineBelow | kRowHeadingStyle | kRowEmail;
  const Case cases[] = {
      {"labelled value", Value(u"Home", u"555 0100"), {kLabelRowFlags, 0}},
      {"value without label", Value(u"Home", u"555 0100", 0, kFieldNoLabel), {0}},
      {"one-character value skipped", Value(u"Home", u"5"), {}},
      {"empty value skipped", Value(u"Home", u""), {}},
      {"heading: line and style bits, no value attributes",
       heading,
       {kRowHeading | kRowLineBelow | kRowHeadingStyle}},
      {"fixed text, even empty", fixed, {kRowFixedText | kRowBold}},
      {"e-mail value", Value(u"E-mail", u"ann@example.org", kRowEmail), {kLabelRowFlags, kRowEmail}},
      {"label beside",
       Value(u"Mobile", u"555 0199", kRowIconFirst, kFieldLabelBeside),
       {kRowBesideLabel | kRowIconFirst}},
  };
  for (const Case& c : cases) {
    ASSERT_NE(MakeList({c.field}), nullptr);
    EXPECT_EQ(Flags(), c.rows) << c.what;
    DestroyWindow(list_);
  }
}

TEST_F(ListLayoutTest, ALabelBesideItsValueWidensEveryOffsetRow) {
  ASSERT_NE(MakeList({Value(u"Tel", u"555 0100", 0, kFieldLabelBeside),
                      Value(u"Mobile phone", u"555 0199", 0, kFieldLabelBeside), Value(u"Note", u"plain")}),
            nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bold_);
  SIZE widest{};
  GetTextExtentPoint32W(dc, u"Mobile phone: ", 14, &widest);
  SIZE normal{};
  SelectObject(dc, normal_);
  GetTextExtentPoint32W(dc, u"Mobile phone: ", 14, &normal);
  DeleteDC(dc);
  EXPECT_EQ(Model().widestLabel, widest.cx) << "measured in bold";
  EXPECT_GT(widest.cx, normal.cx);
}

TEST_F(ListLayoutTest, AShortListHasNoScrollBar) {
  ASSERT_NE(MakeList({Value(u"Subject", u"Report"), Value(u"Due", u"Friday")}, 300), nullptr);
  EXPECT_EQ(Model().layoutPasses, 1);
  EXPECT_FALSE(HasScrollBar());
  EXPECT_EQ(Model().contentHeight, 4 * Model().lineHeight);
  EXPECT_EQ(VirtualList::ContentHeight(list_), Model().contentHeight);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Inner(), SB_VERT, &info);
  EXPECT_EQ(info.nMax, 0);
}

TEST_F(ListLayoutTest, OneTallRowLaysOutTwiceNarrowedByTheScrollBar) {
  const int height = 40;
  ASSERT_NE(MakeList({Value(u"Notes", kLong), Value(u"Subject", u"Report")}, height), nullptr);
  EXPECT_EQ(Model().layoutPasses, 2);
  EXPECT_TRUE(HasScrollBar());
  int available = GetSystemMetrics(SM_CXSCREEN) - 2 * 2 - GetSystemMetrics(SM_CXVSCROLL);
  ASSERT_NE(WrappedHeight(kLong, available, normal_), WrappedHeight(kLong, available + 13, normal_))
      << "the text must wrap differently at the two widths for this test to mean anything";
  int sum = 0;
  for (int row = 0; row < Model().RowCount(); ++row) {
    HFONT font = (Model().Row(row).flags & kRowBold) ? bold_ : normal_;
    EXPECT_EQ(Model().Row(row).height, WrappedHeight(Model().RowText(row), available, font)) << row;
    sum += Model().Row(row).height;
  }
  EXPECT_EQ(Model().contentHeight, sum);
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Inner(), SB_VERT, &info);
  EXPECT_EQ(info.nMax, sum);
  EXPECT_EQ(info.nPage, static_cast<UINT>(height));
}

TEST_F(ListLayoutTest, RowsTakeTheirIndentOffsetAndIconsFromTheWidth) {
  int width = GetSystemMetrics(SM_CXSCREEN) - 4;
  int icon = GetSystemMetrics(SM_CXSMICON);
  ASSERT_NE(MakeList({Value(u"", kLong, kRowIndent, kFieldNoLabel),
                      Value(u"", kLong, kRowIconFirst | (kRowIconFirst << 5), kFieldNoLabel)},
                     2000),
            nullptr);
  EXPECT_EQ(Model().Row(0).height, WrappedHeight(kLong, width - 3, normal_));
  EXPECT_EQ(Model().Row(1).height, WrappedHeight(kLong, width - 2 * icon, normal_));
}

TEST_F(ListLayoutTest, TheLineHeightIsMeasuredOnceInTheNormalFont) {
  ASSERT_NE(MakeList({Value(u"Subject", u"Report")}), nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, normal_);
  RECT rect{0, 0, 100, 0};
  int expected = DrawTextW(dc, u"ABC123", -1, &rect, DT_WORDBREAK | DT_CALCRECT);
  DeleteDC(dc);
  EXPECT_EQ(Model().lineHeight, expected);
  EXPECT_EQ(Model().Row(1).height, expected);
}

TEST_F(ListLayoutTest, FontSizeIndexZeroMeansNine) {
  ListDisplay display;
  display.fontSize = 0;
  ASSERT_NE(MakeList({Value(u"Subject", u"Report")}, 200, display), nullptr);
  ASSERT_FALSE(sizesAsked_.empty());
  for (int size : sizesAsked_) EXPECT_EQ(size, 9);
  EXPECT_EQ(Model().fontSize, 9);
}

TEST(ListLineUnit, FollowsTheFontSizeAndVerticalResolution) {
  struct Case {
    int size;
    int dpi;
    int unit;
  };
  const Case cases[] = {
      {6, 96, 16}, {6, 192, 32}, {6, 131, 22}, {7, 96, 17},   {8, 96, 18},
      {9, 96, 19}, {9, 192, 38}, {12, 96, 22}, {12, 131, 30}, {10, 120, 25},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ListModel::LineUnitFor(c.size, c.dpi), c.unit) << c.size << " " << c.dpi;
}

TEST_F(ListLayoutTest, ResizingTheFrameResizesTheInnerListAndItsScrollRange) {
  ASSERT_NE(MakeList({Value(u"Notes", kLong)}, 2000), nullptr);
  EXPECT_FALSE(HasScrollBar());
  MoveWindow(list_, 0, 0, 200, 20, TRUE);
  RECT inner{};
  GetClientRect(Inner(), &inner);
  EXPECT_EQ(inner.right, 200);
  EXPECT_EQ(inner.bottom, 20);
  EXPECT_TRUE(HasScrollBar());
}

}  // namespace
