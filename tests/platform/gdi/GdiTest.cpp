#include <gtest/gtest.h>

#include <string>

#include "platform/core/LastError.h"
#include "platform/gdi/Gdi.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

class GdiTest : public DeviceTest {};

HFONT MakeFont(LONG height, LONG weight = FW_NORMAL, const char16_t* face = u"Tahoma") {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  std::u16string_view name(face);
  for (size_t i = 0; i < name.size() && i < LF_FACESIZE - 1; ++i) font.lfFaceName[i] = name[i];
  return CreateFontIndirectW(&font);
}

TEST_F(GdiTest, ScreenFollowsTheDeviceSettings) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96) << "the default resolution";
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 240);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 320);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);

  Device().SetSetting("Screen.DpiX", u"192");
  Device().SetSetting("Screen.DpiY", u"131");
  Device().SetSetting("Screen.Width", u"480");
  Device().SetSetting("Screen.Height", u"640");
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 192);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 131);
  EXPECT_EQ(platform::ScreenDpiX(), 192);
  EXPECT_EQ(platform::ScreenDpiY(), 131);
  EXPECT_EQ(platform::ScreenSize().cx, 480);
  EXPECT_EQ(platform::ScreenSize().cy, 640);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 640);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 32) << "scaled with the resolution";

  Device().SetSetting("Screen.DpiX", u"lots");
  EXPECT_EQ(platform::ScreenDpiX(), 96) << "a setting that is not a number is ignored";
  Device().SetSetting("Screen.DpiX", u"0");
  EXPECT_EQ(platform::ScreenDpiX(), 96);

  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 0) << "a released DC";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(MulDiv(8, 131, 72), 15);
  EXPECT_EQ(MulDiv(-8, 96, 72), -11);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST_F(GdiTest, SystemColoursAnswerWithOrWithoutTheIndexFlag) {
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_ACTIVECAPTION & ~SYS_COLOR_INDEX_FLAG));
  EXPECT_NE(GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetSysColor(999), 0u);
}

TEST_F(GdiTest, FontMetricsFollowTheMeasureRule) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);

  TEXTMETRICW system{};
  ASSERT_TRUE(GetTextMetricsW(dc, &system)) << "a new DC has the system font";
  EXPECT_EQ(system.tmHeight, 13);
  EXPECT_EQ(system.tmAveCharWidth, 7);
  EXPECT_EQ(system.tmAscent + system.tmDescent, system.tmHeight);
  EXPECT_EQ(system.tmWeight, FW_NORMAL);

  HFONT normal = MakeFont(-20);
  HFONT bold = MakeFont(20, FW_BOLD);
  HFONT big = MakeFont(-31);
  ASSERT_NE(normal, nullptr);
  HGDIOBJ previous = SelectObject(dc, normal);
  EXPECT_EQ(previous, GetStockObject(SYSTEM_FONT)) << "SelectObject returns what it replaces";
  TEXTMETRICW metrics{};
  ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
  EXPECT_EQ(metrics.tmHeight, 20);
  EXPECT_EQ(metrics.tmAveCharWidth, 10);
  EXPECT_EQ(metrics.tmMaxCharWidth, 20);
  EXPECT_EQ(metrics.tmAscent, 16);
  EXPECT_EQ(metrics.tmDescent, 4);

  SelectObject(dc, bold);
  TEXTMETRICW boldMetrics{};
  ASSERT_TRUE(GetTextMetricsW(dc, &boldMetrics));
  EXPECT_EQ(boldMetrics.tmHeight, 20) << "a positive height measures the same";
  EXPECT_EQ(boldMetrics.tmAveCharWidth, 11) << "bold is one wider per character";
  EXPECT_EQ(boldMetrics.tmWeight, FW_BOLD);

  SelectObject(dc, big);
  TEXTMETRICW bigMetrics{};
  ASSERT_TRUE(GetTextMetricsW(dc, &bigMetrics));
  EXPECT_EQ(bigMetrics.tmAveCharWidth, 16) << "half the height, rounded up";

  // The font keeps its LOGFONTW, the face cut to 31 characters.
  LOGFONTW longFace{};
  longFace.lfHeight = -9;
  longFace.lfQuality = CLEARTYPE_QUALITY;
  for (int i = 0; i < LF_FACESIZE; ++i) longFace.lfFaceName[i] = u'A' + static_cast<char16_t>(i % 26);
  HFONT cut = CreateFontIndirectW(&longFace);
  LOGFONTW read{};
  EXPECT_EQ(GetObjectW(cut, sizeof(read), &read), static_cast<int>(sizeof(LOGFONTW)));
  EXPECT_EQ(read.lfHeight, -9);
  EXPECT_EQ(read.lfQuality, CLEARTYPE_QUALITY);
  EXPECT_EQ(std::u16string(read.lfFaceName).size(), 31u);
  EXPECT_EQ(GetObjectW(cut, 0, nullptr), static_cast<int>(sizeof(LOGFONTW))) << "the size needed";
  EXPECT_EQ(GetObjectW(cut, 4, &read), 0) << "too small a buffer";
  EXPECT_EQ(GetObjectType(cut), OBJ_FONT);
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);

  // Stock fonts follow the resolution.
  LOGFONTW gui{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
  EXPECT_EQ(gui.lfHeight, -11);
  Device().SetSetting("Screen.DpiY", u"192");
  EXPECT_EQ(platform::MeasureText(nullptr, u"ab").cy, 26) << "the system font at 192 dpi";

  SelectObject(dc, previous);
  EXPECT_TRUE(DeleteObject(normal));
  EXPECT_TRUE(DeleteObject(bold));
  EXPECT_TRUE(DeleteObject(big));
  EXPECT_TRUE(DeleteObject(cut));
  EXPECT_FALSE(DeleteObject(cut)) << "already deleted";
  EXPECT_TRUE(DeleteObject(GetStockObject(SYSTEM_FONT))) << "stock objects stay";
  EXPECT_NE(GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(gui), &gui), 0);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
}

TEST_F(GdiTest, TextExtentsAndWrapping) {
  HFONT font = MakeFont(-10);  // narrow characters 5 wide, wide ones 10
  HFONT bold = MakeFont(-10, FW_BOLD);
  EXPECT_EQ(platform::MeasureText(font, u"Hello").cx, 25);
  EXPECT_EQ(platform::MeasureText(font, u"Hello").cy, 10);
  EXPECT_EQ(platform::MeasureText(bold, u"Hello").cx, 30);
  EXPECT_EQ(platform::MeasureText(font, u"\u65e5\u672c").cx, 20) << "wide characters";
  EXPECT_EQ(platform::MeasureText(font, u"e\u0301").cx, 5) << "a combining mark takes no room";
  EXPECT_EQ(platform::MeasureText(font, u"\U00020000").cx, 10) << "a surrogate pair is one character";
  EXPECT_EQ(platform::MeasureText(font, u"").cx, 0);
  EXPECT_EQ(platform::MeasureText(font, u"").cy, 10);
  EXPECT_EQ(platform::MeasureText(nullptr, u"abc").cx, 21) << "the system font";

  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, font);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32W(dc, u"Hello world", 5, &size));
  EXPECT_EQ(size.cx, 25);
  EXPECT_EQ(size.cy, 10);
  EXPECT_FALSE(GetTextExtentPoint32W(dc, u"x", 1, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32W(nullptr, u"x", 1, &size));

  int fit = 0;
  int dx[5] = {};
  ASSERT_TRUE(GetTextExtentExPointW(dc, u"abcde", 5, 12, &fit, dx, &size));
  EXPECT_EQ(fit, 2);
  EXPECT_EQ(dx[0], 5);
  EXPECT_EQ(dx[4], 25);

  // One line: the rectangle is made to fit the text.
  RECT rect{10, 20, 11, 21};
  EXPECT_EQ(DrawTextW(dc, u"Hello world", -1, &rect, DT_CALCRECT | DT_SINGLELINE), 10);
  EXPECT_EQ(rect.right, 10 + 55);
  EXPECT_EQ(rect.bottom, 30);

  // Wrapped at spaces to the rectangle's width: "one two" is 35, "three four" 50, so three lines.
  rect = RECT{0, 0, 45, 0};
  EXPECT_EQ(DrawTextW(dc, u"one two three four", -1, &rect, DT_CALCRECT | DT_WORDBREAK), 30);
  EXPECT_EQ(rect.right, 35) << "the widest line";
  EXPECT_EQ(rect.bottom, 30);

  // A word wider than the rectangle stays whole on its own line.
  rect = RECT{0, 0, 20, 0};
  EXPECT_EQ(DrawTextW(dc, u"a extraordinary b", -1, &rect, DT_CALCRECT | DT_WORDBREAK), 30);
  EXPECT_EQ(rect.right, 65);

  // Line breaks, prefixes and wide characters wrapping one by one.
  rect = RECT{0, 0, 100, 0};
  EXPECT_EQ(DrawTextW(dc, u"ab\r\ncd\nef", -1, &rect, DT_CALCRECT), 30);
  rect = RECT{0, 0, 100, 0};
  DrawTextW(dc, u"&File", -1, &rect, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(rect.right, 20) << "the prefix mark is not shown";
  rect = RECT{0, 0, 100, 0};
  DrawTextW(dc, u"&File", -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(rect.right, 25);
  rect = RECT{0, 0, 25, 0};
  EXPECT_EQ(DrawTextW(dc, u"\u65e5\u672c\u8a9e\u306e", -1, &rect, DT_CALCRECT | DT_WORDBREAK), 20);
  EXPECT_EQ(rect.right, 20);
  rect = RECT{0, 0, 100, 40};
  EXPECT_EQ(DrawTextW(dc, u"middle", -1, &rect, DT_SINGLELINE | DT_VCENTER), 25);
  EXPECT_EQ(DrawTextW(dc, u"x", -1, nullptr, DT_CALCRECT), 0);
  EXPECT_EQ(DrawTextW(nullptr, u"x", -1, &rect, DT_CALCRECT), 0);

  DeleteDC(dc);
  DeleteObject(font);
  DeleteObject(bold);
}

TEST_F(GdiTest, BitmapsSelectionAndPixels) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 3, 1, 32, nullptr);
  ASSERT_NE(bitmap, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  ASSERT_NE(old, nullptr) << "the DC's 1x1 bitmap";
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0)) << "a new bitmap is black";
  EXPECT_EQ(SetPixel(dc, 1, 2, RGB(10, 20, 30)), RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(dc, 1, 2), RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(dc, 4, 0), CLR_INVALID) << "outside the bitmap";
  EXPECT_EQ(SetPixel(dc, -1, 0, RGB(1, 1, 1)), CLR_INVALID);
  platform::Pixels pixels = platform::BitmapPixels(bitmap);
  ASSERT_EQ(pixels.width, 4);
  ASSERT_EQ(pixels.height, 3);
  EXPECT_EQ(pixels.At(1, 2), 0x000A141Eu) << "read back as 0x00RRGGBB";

  BITMAP info{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof(info), &info), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(info.bmWidth, 4);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmBitsPixel, 32);

  EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
  HDC other = CreateCompatibleDC(dc);
  EXPECT_EQ(SelectObject(other, bitmap), nullptr) << "a bitmap is in one DC at a time";
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(SelectObject(screen, bitmap), nullptr) << "not into a screen DC";
  EXPECT_EQ(SelectObject(dc, old), bitmap);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(platform::BitmapPixels(bitmap).width, 0);
  EXPECT_EQ(CreateBitmap(0, 5, 1, 32, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(CreateBitmap(5000, 5000, 1, 32, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_EQ(CreateCompatibleBitmap(dc, 2, 2) != nullptr, true);
  BITMAP mono{};
  GetObjectW(CreateCompatibleBitmap(dc, 2, 2), sizeof(mono), &mono);
  EXPECT_EQ(mono.bmBitsPixel, 1) << "a memory DC with its first bitmap makes monochrome ones";
  GetObjectW(CreateCompatibleBitmap(screen, 2, 2), sizeof(mono), &mono);
  EXPECT_EQ(mono.bmBitsPixel, 32);

  // A monochrome bitmap from bits: rows padded to 16 bits, a set bit is white.
  const BYTE monoBits[] = {0xA0, 0x00, 0x40, 0x00};
  HBITMAP checker = CreateBitmap(3, 2, 1, 1, monoBits);
  pixels = platform::BitmapPixels(checker);
  EXPECT_EQ(pixels.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(pixels.At(1, 0), 0u);
  EXPECT_EQ(pixels.At(2, 0), 0xFFFFFFu);
  EXPECT_EQ(pixels.At(1, 1), 0xFFFFFFu);

  // DIB sections share their bits, top-down or bottom-up.
  BITMAPINFO dib{};
  dib.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  dib.bmiHeader.biWidth = 2;
  dib.bmiHeader.biHeight = 2;
  dib.bmiHeader.biPlanes = 1;
  dib.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bottomUp = CreateDIBSection(nullptr, &dib, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bottomUp, nullptr);
  static_cast<uint32_t*>(bits)[0] = 0x00112233;  // the first row in memory is the bottom one
  EXPECT_EQ(platform::BitmapPixels(bottomUp).At(0, 1), 0x00112233u);
  dib.bmiHeader.biHeight = -2;
  HBITMAP topDown = CreateDIBSection(nullptr, &dib, DIB_RGB_COLORS, &bits, nullptr, 0);
  static_cast<uint32_t*>(bits)[0] = 0x00445566;
  EXPECT_EQ(platform::BitmapPixels(topDown).At(0, 0), 0x00445566u);
  GetObjectW(topDown, sizeof(info), &info);
  EXPECT_EQ(info.bmBits, bits);
  dib.bmiHeader.biBitCount = 16;
  EXPECT_EQ(CreateDIBSection(nullptr, &dib, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);

  ReleaseDC(nullptr, screen);
  DeleteDC(other);
  DeleteDC(dc);
}

// A memory DC with a new 32-bit bitmap of `width` x `height` filled with `color`.
HDC PaintedDc(int width, int height, COLORREF color, HBITMAP* bitmap) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  *bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  SelectObject(dc, *bitmap);
  HBRUSH brush = CreateSolidBrush(color);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  return dc;
}

TEST_F(GdiTest, BlitsStretchesAndTransparentCopies) {
  HBITMAP sourceBitmap = nullptr;
  HBITMAP destBitmap = nullptr;
  HDC source = PaintedDc(2, 2, RGB(255, 0, 0), &sourceBitmap);
  HDC dest = PaintedDc(6, 6, RGB(255, 255, 255), &destBitmap);
  SetPixel(source, 1, 1, RGB(0, 0, 255));

  // BitBlt copies, clipped to the destination.
  ASSERT_TRUE(BitBlt(dest, 5, 5, 2, 2, source, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(dest, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dest, 4, 4), RGB(255, 255, 255));

  // StretchBlt doubles each pixel; a negative width mirrors.
  ASSERT_TRUE(StretchBlt(dest, 0, 0, 4, 4, source, 0, 0, 2, 2, SRCCOPY));
  platform::Pixels pixels = platform::BitmapPixels(destBitmap);
  EXPECT_EQ(pixels.At(0, 0), 0xFF0000u);
  EXPECT_EQ(pixels.At(1, 1), 0xFF0000u);
  EXPECT_EQ(pixels.At(2, 2), 0x0000FFu);
  EXPECT_EQ(pixels.At(3, 3), 0x0000FFu);
  EXPECT_EQ(pixels.At(4, 0), 0xFFFFFFu);
  ASSERT_TRUE(StretchBlt(dest, 1, 0, -2, 2, source, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(GetPixel(dest, 1, 1), RGB(255, 0, 0)) << "mirrored: the blue pixel comes first";
  EXPECT_EQ(GetPixel(dest, 0, 1), RGB(0, 0, 255));

  // Raster operations and patterns.
  RECT all{0, 0, 6, 6};
  HBRUSH gray = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
  FillRect(dest, &all, gray);
  EXPECT_EQ(GetPixel(dest, 3, 3), RGB(0x80, 0x80, 0x80));
  ASSERT_TRUE(PatBlt(dest, 0, 0, 1, 1, DSTINVERT));
  EXPECT_EQ(GetPixel(dest, 0, 0), RGB(0x7F, 0x7F, 0x7F));
  ASSERT_TRUE(PatBlt(dest, 0, 0, 1, 1, BLACKNESS));
  EXPECT_EQ(GetPixel(dest, 0, 0), RGB(0, 0, 0));
  SelectObject(dest, gray);
  ASSERT_TRUE(PatBlt(dest, 0, 0, 1, 1, PATCOPY));
  EXPECT_EQ(GetPixel(dest, 0, 0), RGB(0x80, 0x80, 0x80));
  ASSERT_TRUE(BitBlt(dest, 0, 0, 1, 1, source, 0, 0, SRCPAINT));
  EXPECT_EQ(GetPixel(dest, 0, 0), RGB(0xFF, 0x80, 0x80));
  EXPECT_FALSE(PatBlt(dest, 0, 0, 1, 1, SRCCOPY)) << "PatBlt has no source";
  EXPECT_FALSE(BitBlt(dest, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));

  // Transparent copies leave the key colour out, from a DC or straight from a bitmap.
  FillRect(dest, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ASSERT_TRUE(TransparentImage(dest, 0, 0, 2, 2, source, 0, 0, 2, 2, RGB(255, 0, 0)));
  EXPECT_EQ(GetPixel(dest, 0, 0), RGB(255, 255, 255)) << "the key colour is left out";
  EXPECT_EQ(GetPixel(dest, 1, 1), RGB(0, 0, 255));
  ASSERT_TRUE(TransparentImage(dest, 2, 2, 4, 4, sourceBitmap, 0, 0, 2, 2, RGB(0, 0, 255)));
  EXPECT_EQ(GetPixel(dest, 2, 2), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dest, 5, 5), RGB(255, 255, 255)) << "the stretched blue quarter is left out";
  ASSERT_TRUE(TransparentBlt(dest, 0, 0, 2, 2, source, 0, 0, 2, 2, RGB(0, 0, 255)));
  EXPECT_FALSE(TransparentImage(dest, 0, 0, 2, 2, nullptr, 0, 0, 2, 2, 0));

  // A monochrome source takes the destination's text and background colours.
  const BYTE monoBits[] = {0x80, 0x00};
  HBITMAP mono = CreateBitmap(2, 1, 1, 1, monoBits);
  HDC monoDc = CreateCompatibleDC(nullptr);
  SelectObject(monoDc, mono);
  SetTextColor(dest, RGB(0, 128, 0));
  SetBkColor(dest, RGB(0, 0, 128));
  ASSERT_TRUE(BitBlt(dest, 0, 5, 2, 1, monoDc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(dest, 0, 5), RGB(0, 0, 128)) << "white becomes the background colour";
  EXPECT_EQ(GetPixel(dest, 1, 5), RGB(0, 128, 0)) << "black becomes the text colour";

  DeleteDC(monoDc);
  DeleteDC(source);
  DeleteDC(dest);
  EXPECT_TRUE(DeleteObject(gray));
  EXPECT_TRUE(DeleteObject(sourceBitmap)) << "free once its DC is gone";
  EXPECT_TRUE(DeleteObject(destBitmap));
  EXPECT_TRUE(DeleteObject(mono));
}

}  // namespace
