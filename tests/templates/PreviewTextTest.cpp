#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/Gdi.h"
#include "templates/PreviewText.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::PreviewText;
using calyra::testing::DeviceTest;

// A font whose narrow characters are 1 pixel wide and whose wide ones (CJK) are 10, so that widths
// count characters.
class PreviewTextTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    LOGFONTW logFont{};
    logFont.lfHeight = 10;
    logFont.lfWidth = 1;
    font_ = CreateFontIndirectW(&logFont);
    ASSERT_NE(font_, nullptr);
  }
  void TearDown() override {
    DeleteObject(font_);
    DeviceTest::TearDown();
  }
  HFONT font_ = nullptr;
};

TEST_F(PreviewTextTest, TextThatFitsIsShownWhole) {
  EXPECT_EQ(PreviewText(font_, 4, {u"Anna"}), u"Anna");
  EXPECT_EQ(PreviewText(font_, 9, {u"Anna", u"Berg"}), u"Anna Berg");
  EXPECT_EQ(PreviewText(font_, 100, {u"Dr.", u"Anna", u"Berg"}), u"Dr. Anna Berg");
  EXPECT_EQ(PreviewText(font_, 0, {u""}), u"");
}

TEST_F(PreviewTextTest, TextTooWideIsCutWithDots) {
  struct Case {
    int width;
    std::u16string expected;
  };
  const Case kCases[] = {
      {12, u"Dr. Anna ..."},                                   // "%s %s...": the second part cut to nothing
      {11, u"Dr. Anna..."},                                    // "%s %s...": the second part whole
      {10, u"Dr. Ann..."},   {7, u"Dr. ..."}, {6, u"Dr...."},  // "%s...": the first part whole
      {3, u"..."},           {2, u"..."},                      // too narrow even for the dots
  };
  for (const Case& c : kCases)
    EXPECT_EQ(PreviewText(font_, c.width, {u"Dr.", u"Anna", u"Berg"}), c.expected) << c.width;
  EXPECT_EQ(PreviewText(font_, 8, {u"Annabelle"}), u"Annab...");
  EXPECT_EQ(PreviewText(font_, 13, {u"Anna", u"Berg", u"GmbH"}), u"Anna Berg ...");
  EXPECT_EQ(PreviewText(font_, 14, {u"Anna", u"Berg", u"GmbH."}), u"Anna Berg G...") << "\"%s %s %s...\"";
}

TEST_F(PreviewTextTest, WideCharactersAndPairsAreMeasuredAndKeptWhole) {
  EXPECT_EQ(PreviewText(font_, 23, {u"\u5f20\u4f1f\u5f20"}), u"\u5f20\u4f1f...")
      << "each wide character is 10";
  EXPECT_EQ(PreviewText(font_, 6, {u"ab\U0001F600cdef"}), u"ab\U0001F600...") << "a pair is one character";
  EXPECT_EQ(PreviewText(font_, 6, {u"ab\U0001F600cd"}), u"ab\U0001F600cd");
  EXPECT_EQ(PreviewText(font_, 5, {u"ab\U0001F600cdef"}), u"ab...") << "no half pair";
}

}  // namespace
