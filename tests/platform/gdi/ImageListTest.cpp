#include <gtest/gtest.h>

#include "platform/core/LastError.h"
#include "platform/gdi/ImageList.h"
#include "tests/support/DeviceTest.h"

namespace {

using calyra::testing::DeviceTest;

class ImageListTest : public DeviceTest {
 protected:
  // A strip of `count` 2x2 images, image n filled with colour n of `colors`, its top-left pixel
  // magenta (the key colour of the tests).
  HBITMAP Strip(int count, const COLORREF* colors) {
    HDC dc = CreateCompatibleDC(nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, 2 * count, 2);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, strip);
    for (int n = 0; n < count; ++n) {
      for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) SetPixel(dc, 2 * n + x, y, colors[n]);
      }
      SetPixel(dc, 2 * n, 0, kKey);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return strip;
  }

  // A white 4x4 memory DC.
  HDC Canvas(HBITMAP* bitmap) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    *bitmap = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    SelectObject(dc, *bitmap);
    PatBlt(dc, 0, 0, 4, 4, WHITENESS);
    return dc;
  }

  static constexpr COLORREF kKey = RGB(255, 0, 255);
  static constexpr COLORREF kColors[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
};

TEST_F(ImageListTest, AddsStripsAndMasks) {
  HIMAGELIST list = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 4, 4);
  ASSERT_NE(list, nullptr);
  int cx = 0;
  int cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, 2);
  EXPECT_EQ(cy, 2);

  HBITMAP strip = Strip(3, kColors);
  EXPECT_EQ(ImageList_Add(list, strip, nullptr), 0) << "a strip three images wide";
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  platform::ListImage second = platform::ImageListImage(list, 1);
  ASSERT_EQ(second.image.width, 2);
  EXPECT_EQ(second.image.At(1, 1), 0x00FF00u);
  EXPECT_EQ(second.image.At(0, 0), 0xFF00FFu);
  EXPECT_FALSE(second.transparent[0]) << "no mask given: opaque";

  EXPECT_EQ(ImageList_AddMasked(list, strip, kKey), 3);
  EXPECT_EQ(ImageList_GetImageCount(list), 6);
  platform::ListImage masked = platform::ImageListImage(list, 5);
  EXPECT_TRUE(masked.transparent[0]) << "the key colour is transparent";
  EXPECT_FALSE(masked.transparent[1]);
  EXPECT_EQ(masked.image.At(0, 0), 0u) << "and black in the image";
  EXPECT_EQ(masked.image.At(1, 0), 0x0000FFu);

  // A monochrome mask: white is transparent.
  const BYTE maskBits[] = {0x40, 0x00, 0x00, 0x00};
  HBITMAP mask = CreateBitmap(2, 2, 1, 1, maskBits);
  EXPECT_EQ(ImageList_Add(list, Strip(1, kColors), mask), 6);
  platform::ListImage withMask = platform::ImageListImage(list, 6);
  EXPECT_FALSE(withMask.transparent[0]);
  EXPECT_TRUE(withMask.transparent[1]);

  // Too narrow a bitmap, a bad handle.
  HBITMAP narrow = CreateBitmap(1, 2, 1, 32, nullptr);
  EXPECT_EQ(ImageList_Add(list, narrow, nullptr), -1);
  EXPECT_EQ(ImageList_Add(list, reinterpret_cast<HBITMAP>(0x7), nullptr), -1);
  EXPECT_EQ(ImageList_GetImageCount(list), 7);

  // An icon replaces an image or is added at the end, stretched to the list's size.
  const BYTE iconMask[] = {0x00, 0x00};
  ICONINFO iconInfo{TRUE, 0, 0, CreateBitmap(1, 1, 1, 1, iconMask), Strip(1, &kColors[2])};
  HICON icon = CreateIconIndirect(&iconInfo);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
  EXPECT_EQ(platform::ImageListImage(list, 0).image.At(1, 1), 0x0000FFu);
  EXPECT_EQ(ImageList_AddIcon(list, icon), 7);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 99, icon), -1);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));

  // Lists without a mask ignore masks.
  HIMAGELIST plain = ImageList_Create(2, 2, ILC_COLOR32, 1, 1);
  EXPECT_EQ(ImageList_AddMasked(plain, strip, kKey), 0);
  EXPECT_FALSE(platform::ImageListImage(plain, 0).transparent[0]);
  EXPECT_EQ(platform::ImageListImage(plain, 0).image.At(0, 0), 0xFF00FFu);

  EXPECT_EQ(ImageList_Create(0, 16, ILC_MASK, 1, 1), nullptr);
  EXPECT_TRUE(ImageList_Destroy(plain));
  EXPECT_TRUE(ImageList_Destroy(list));
}

TEST_F(ImageListTest, RemoveDuplicateAndDestroy) {
  HIMAGELIST list = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 1, 1);
  ASSERT_EQ(ImageList_AddMasked(list, Strip(3, kColors), kKey), 0);

  HIMAGELIST copy = ImageList_Duplicate(list);
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy, list);
  EXPECT_EQ(ImageList_GetImageCount(copy), 3);

  // Out of range indexes fail and change nothing.
  EXPECT_FALSE(ImageList_Remove(list, 3));
  EXPECT_FALSE(ImageList_Remove(list, -2));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(ImageList_GetImageCount(list), 3);

  EXPECT_TRUE(ImageList_Remove(list, 0));
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  EXPECT_EQ(platform::ImageListImage(list, 0).image.At(1, 1), 0x00FF00u) << "the others move up";
  EXPECT_EQ(ImageList_GetImageCount(copy), 3) << "the duplicate is independent";
  EXPECT_EQ(platform::ImageListImage(copy, 0).image.At(1, 1), 0xFF0000u);

  EXPECT_TRUE(ImageList_RemoveAll(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_EQ(platform::ImageListImage(list, 0).image.width, 0);

  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Destroy(list)) << "a destroyed list's handle is invalid";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_EQ(ImageList_Add(list, Strip(1, kColors), nullptr), -1);
  int cx = 0;
  int cy = 0;
  EXPECT_FALSE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(ImageList_Duplicate(list), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(copy), 3) << "the duplicate outlives it";

  EXPECT_TRUE(ImageList_SetIconSize(copy, 4, 4));
  EXPECT_EQ(ImageList_GetImageCount(copy), 0) << "a new size empties the list";
  EXPECT_TRUE(ImageList_Destroy(copy));
}

TEST_F(ImageListTest, DrawsHonouringTransparency) {
  HIMAGELIST list = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 1, 1);
  ASSERT_EQ(ImageList_AddMasked(list, Strip(2, kColors), kKey), 0);
  HBITMAP canvas = nullptr;
  HDC dc = Canvas(&canvas);

  ASSERT_TRUE(ImageList_Draw(list, 1, dc, 1, 1, ILD_TRANSPARENT));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255)) << "the transparent pixel leaves the canvas";
  EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));

  // ILD_NORMAL fills transparent pixels with the list's background colour, when it has one.
  ASSERT_TRUE(ImageList_Draw(list, 0, dc, 0, 0, ILD_NORMAL));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255)) << "CLR_NONE: left out";
  EXPECT_EQ(ImageList_SetBkColor(list, RGB(1, 2, 3)), CLR_NONE);
  ASSERT_TRUE(ImageList_Draw(list, 0, dc, 0, 0, ILD_NORMAL));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 0, 0));
  ASSERT_TRUE(ImageList_Draw(list, 0, dc, 2, 2, ILD_MASK));
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 0, 0));

  // Clipped at the bitmap's edge; bad indexes, DCs and lists fail.
  EXPECT_TRUE(ImageList_Draw(list, 1, dc, 3, 3, ILD_TRANSPARENT));
  EXPECT_FALSE(ImageList_Draw(list, 2, dc, 0, 0, ILD_NORMAL));
  EXPECT_FALSE(ImageList_Draw(list, -1, dc, 0, 0, ILD_NORMAL));
  EXPECT_FALSE(ImageList_Draw(list, 0, nullptr, 0, 0, ILD_NORMAL));
  ImageList_Destroy(list);
  EXPECT_FALSE(ImageList_Draw(list, 0, dc, 0, 0, ILD_NORMAL));
  DeleteDC(dc);
  DeleteObject(canvas);
}

}  // namespace
