#pragma once

#include <vector>

#include "platform/gdi/Gdi.h"

// Image lists: equally sized images, each with an optional mask, drawn onto a DC's bitmap. A list is
// a handle of the process; indexes out of range fail, as does any call on a destroyed list.

inline constexpr UINT ILC_MASK = 0x0001;
inline constexpr UINT ILC_COLOR = 0x0000;
inline constexpr UINT ILC_COLORDDB = 0x00FE;
inline constexpr UINT ILC_COLOR4 = 0x0004;
inline constexpr UINT ILC_COLOR8 = 0x0008;
inline constexpr UINT ILC_COLOR16 = 0x0010;
inline constexpr UINT ILC_COLOR24 = 0x0018;
inline constexpr UINT ILC_COLOR32 = 0x0020;

inline constexpr UINT ILD_NORMAL = 0x0000;
inline constexpr UINT ILD_TRANSPARENT = 0x0001;
inline constexpr UINT ILD_BLEND25 = 0x0002;
inline constexpr UINT ILD_BLEND50 = 0x0004;
inline constexpr UINT ILD_FOCUS = ILD_BLEND25;
inline constexpr UINT ILD_SELECTED = ILD_BLEND50;
inline constexpr UINT ILD_MASK = 0x0010;
inline constexpr UINT ILD_IMAGE = 0x0020;

inline constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// Null for a size that is not positive.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// Adds one image per cx pixels of the bitmap's width; the mask (white: transparent) is used when the
// list has ILC_MASK. Returns the index of the first image added, -1 on failure.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// As ImageList_Add; pixels of colour `mask` become transparent (and black in the image).
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
// Replaces image `index` with the icon (stretched to the list's size); -1 appends.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) {
  return ImageList_ReplaceIcon(list, -1, icon);
}
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// -1 removes every image.
BOOL ImageList_Remove(HIMAGELIST list, int index);
inline BOOL ImageList_RemoveAll(HIMAGELIST list) {
  return ImageList_Remove(list, -1);
}
// 0 for an invalid list.
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Changes the image size and removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);
// A new list with copies of every image.
HIMAGELIST ImageList_Duplicate(HIMAGELIST list);
// The colour that transparent pixels are drawn in by ILD_NORMAL (CLR_NONE: left out). Returns the
// previous one, CLR_NONE for an invalid list.
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
// Draws image `index` at (x, y) onto the DC's bitmap: ILD_TRANSPARENT leaves transparent pixels out,
// ILD_NORMAL draws them in the list's background colour (or leaves them out under CLR_NONE), ILD_MASK
// draws the mask (white: transparent).
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// As ImageList_Draw, showing the first dx x dy pixels (0: all) with `background` in place of the
// list's colour (CLR_DEFAULT: the list's). The foreground blend is not drawn.
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF foreground, UINT style);

namespace platform {

// One image of a list: its pixels (0x00RRGGBB) and which of them are transparent.
struct ListImage {
  Pixels image;
  std::vector<bool> transparent;
};
// Width 0 for an invalid list or index.
ListImage ImageListImage(HIMAGELIST list, int index);

}  // namespace platform
