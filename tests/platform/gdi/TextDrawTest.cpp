#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

constexpr COLORREF kPaper = RGB(255, 255, 255);

// A white 32-bit memory DC of the given size that text is drawn on.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    screen_ = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen_);
    bitmap_ = CreateCompatibleBitmap(screen_, width, height);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc_, TRANSPARENT);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    ReleaseDC(nullptr, screen_);
  }
  HDC Dc() const { return dc_; }
  // The inked pixels (not paper) inside and outside the rectangle.
  std::pair<int, int> InkIn(const RECT& rect) const {
    platform::Pixels pixels = platform::BitmapPixels(bitmap_);
    int inside = 0, outside = 0;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (pixels.At(x, y) == 0xFFFFFF) continue;
        bool in = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
        (in ? inside : outside) += 1;
      }
    }
    return {inside, outside};
  }

 private:
  int width_, height_;
  HDC screen_ = nullptr, dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

HFONT MakeFont(LONG height, LONG weight = FW_NORMAL) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  return CreateFontIndirectW(&font);
}

class TextDrawTest : public DeviceTest {};

// Each character of a text, drawn alone at the place the measure of the text before it gives, inks
// only its own measured cell.
TEST_F(TextDrawTest, EveryCharacterStaysInItsMeasuredCell) {
  struct Case {
    const char16_t* text;
    LONG height;
    LONG weight;
  } cases[] = {
      {u"Wjg|@M_", -13, FW_NORMAL},
      {u"Wjg|@M_", -11, FW_NORMAL},
      {u"QWy%", -13, FW_BOLD},
      {u"Meeting Room 4", -26, FW_NORMAL},
      {u"Wy", -26, FW_BOLD},
      {u"\u65e5\u672c\u8a9e", -13, FW_NORMAL},
      {u"\uac00\u3042", -26, FW_NORMAL},
      {u"\u00c4\u00df\u00e9", -22, FW_NORMAL},
  };
  for (const Case& c : cases) {
    HFONT font = MakeFont(c.height, c.weight);
    std::u16string_view text(c.text);
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == u' ') continue;
      Canvas canvas(400, 60);
      SelectObject(canvas.Dc(), font);
      LONG left = 10 + platform::MeasureText(font, text.substr(0, i)).cx;
      SIZE cell = platform::MeasureText(font, text.substr(i, 1));
      ASSERT_TRUE(TextOutW(canvas.Dc(), left, 10, text.data() + i, 1));
      auto [inside, outside] = canvas.InkIn(RECT{left, 10, left + cell.cx, 10 + cell.cy});
      EXPECT_EQ(outside, 0) << "character " << i << " of height " << c.height << " weight " << c.weight;
      EXPECT_GT(inside, 0) << "character " << i << " of height " << c.height << ": a glyph or a box";
    }
    DeleteObject(font);
  }
}

TEST_F(TextDrawTest, ALineInksOnlyItsMeasuredExtentAndBoldDiffers) {
  for (LONG weight : {FW_NORMAL, FW_BOLD}) {
    HFONT font = MakeFont(-13, weight);
    Canvas canvas(300, 40);
    SelectObject(canvas.Dc(), font);
    std::u16string text = u"Dentist, 9:30 (Room 12)";
    SIZE size = platform::MeasureText(font, text);
    ASSERT_TRUE(TextOutW(canvas.Dc(), 5, 5, text.c_str(), static_cast<int>(text.size())));
    auto [inside, outside] = canvas.InkIn(RECT{5, 5, 5 + size.cx, 5 + size.cy});
    EXPECT_EQ(outside, 0) << weight;
    EXPECT_GT(inside, 100) << weight;
    DeleteObject(font);
  }
}

TEST_F(TextDrawTest, ScreenResolutionScalesTheStockFontAndItsGlyphs) {
  Device().SetSetting("Screen.DpiY", u"192");
  Canvas canvas(300, 60);
  HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  SelectObject(canvas.Dc(), font);
  SIZE size = platform::MeasureText(font, u"Ag");
  EXPECT_EQ(size.cy, 26);
  ASSERT_TRUE(TextOutW(canvas.Dc(), 0, 0, u"Ag", 2));
  auto [inside, outside] = canvas.InkIn(RECT{0, 0, size.cx, size.cy});
  EXPECT_EQ(outside, 0);
  EXPECT_GT(inside, 60) << "glyphs twice as tall ink more";
}

TEST_F(TextDrawTest, DrawTextCutsWhatTheLayoutCutAndWrapsWhereItWraps) {
  HFONT font = MakeFont(-13);
  Canvas canvas(200, 100);
  SelectObject(canvas.Dc(), font);
  // Cells of 7 pixels: the fifth starts at 28 and is cut at the rectangle's edge, 30.
  RECT single{0, 0, 30, 13};
  DrawTextW(canvas.Dc(), u"Lunch", -1, &single, DT_SINGLELINE | DT_NOPREFIX);
  auto [inside, outside] = canvas.InkIn(single);
  EXPECT_EQ(outside, 0) << "nothing beyond the rectangle";
  EXPECT_GT(inside, 0);
  // Wrapped: the calculated height is what is drawn.
  Canvas wrapped(200, 100);
  SelectObject(wrapped.Dc(), font);
  RECT calc{0, 0, 60, 0};
  int height = DrawTextW(wrapped.Dc(), u"one two three four", -1, &calc, DT_WORDBREAK | DT_CALCRECT);
  RECT draw{0, 0, 60, 100};
  DrawTextW(wrapped.Dc(), u"one two three four", -1, &draw, DT_WORDBREAK);
  auto [in2, out2] = wrapped.InkIn(RECT{0, 0, calc.right, height});
  EXPECT_EQ(height, 3 * 13);
  EXPECT_EQ(out2, 0);
  EXPECT_GT(in2, 0);
  DeleteObject(font);
}

TEST_F(TextDrawTest, OpaqueModeFillsTheBackgroundOfTheExtent) {
  HFONT font = MakeFont(-13);
  Canvas canvas(100, 30);
  SelectObject(canvas.Dc(), font);
  SetBkMode(canvas.Dc(), OPAQUE);
  SetBkColor(canvas.Dc(), RGB(0, 0, 255));
  SetTextColor(canvas.Dc(), RGB(255, 255, 255));
  TextOutW(canvas.Dc(), 0, 0, u"ab", 2);
  EXPECT_EQ(GetPixel(canvas.Dc(), 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(canvas.Dc(), 13, 12), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(canvas.Dc(), 14, 0), kPaper) << "beyond the two cells";
  DeleteObject(font);
}

TEST_F(TextDrawTest, WithoutTheFontFileCharactersAreBoxesOfTheirCells) {
  platform::SetFontFolder("/nonexistent-font-folder");
  HFONT font = MakeFont(-13);
  Canvas canvas(100, 30);
  SelectObject(canvas.Dc(), font);
  ASSERT_TRUE(TextOutW(canvas.Dc(), 0, 0, u"a b", 3));
  auto [inside, outside] = canvas.InkIn(RECT{0, 0, 7, 13});
  EXPECT_GT(inside, 0) << "a box for the first";
  auto [second, rest] = canvas.InkIn(RECT{14, 0, 21, 13});
  EXPECT_EQ(rest, inside) << "the space draws nothing; the third is a box like the first";
  EXPECT_EQ(second, inside);
  platform::SetFontFolder("");
  DeleteObject(font);
}

}  // namespace
