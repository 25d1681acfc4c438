#include <gtest/gtest.h>

#include "host/FontCache.h"
#include "tests/support/DeviceTest.h"

namespace {

using namespace calyra;

class FontCacheTest : public calyra::testing::DeviceTest {
 protected:
  static LOGFONTW Describe(HFONT font) {
    LOGFONTW description{};
    GetObjectW(font, sizeof(description), &description);
    return description;
  }
};

TEST_F(FontCacheTest, FixedHeightsBelowHighResolutionAndPointSizesAbove) {
  FontCache fonts;
  EXPECT_EQ(Describe(fonts.Get(5, 0, u"Tahoma", false, 96)).lfHeight, 9);
  EXPECT_EQ(Describe(fonts.Get(8, 0, u"Tahoma", false, 96)).lfHeight, 13);
  EXPECT_EQ(Describe(fonts.Get(12, 0, u"Tahoma", false, 96)).lfHeight, 18);
  FontCache large;
  EXPECT_EQ(Describe(large.Get(8, 0, u"Tahoma", false, 192)).lfHeight, -(8 * 192 / 72));
}

TEST_F(FontCacheTest, StyleFaceAndQualityAndOneFontPerSlot) {
  FontCache fonts;
  HFONT bold = fonts.Get(9, FontCache::kBold, u"Verdana", true, 96);
  LOGFONTW description = Describe(bold);
  EXPECT_EQ(description.lfWeight, FW_BOLD);
  EXPECT_EQ(description.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_EQ(std::u16string(description.lfFaceName), u"Verdana");
  EXPECT_EQ(Describe(fonts.Get(9, 0, u"Verdana", true, 96)).lfWeight, FW_NORMAL);
  EXPECT_EQ(fonts.Get(9, FontCache::kBold, u"Verdana", true, 96), bold) << "made once, then reused";
  EXPECT_EQ(fonts.Get(4, 0, u"Tahoma", false, 96), nullptr);
  EXPECT_EQ(fonts.Get(13, 0, u"Tahoma", false, 96), nullptr);
  EXPECT_EQ(fonts.Get(8, 10, u"Tahoma", false, 96), nullptr);
  std::u16string longName(80, u'x');
  EXPECT_EQ(std::u16string(Describe(fonts.Get(10, 0, longName, false, 96)).lfFaceName).size(),
            size_t{LF_FACESIZE - 1})
      << "a long face name is cut at its bound";
}

}  // namespace
