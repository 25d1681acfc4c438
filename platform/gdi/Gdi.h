#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/PlatformTypes.h"

// The graphics device interface, headless: device contexts draw into 32-bit pixel buffers that tests
// can read back, fonts keep their LOGFONTW and measure text by a fixed rule (see MeasureText), and
// the screen's size and resolution come from the device settings "Screen.Width", "Screen.Height",
// "Screen.DpiX" and "Screen.DpiY". Every object is a handle of the process.

typedef void* HGDIOBJ;
typedef struct HBRUSH__* HBRUSH;
typedef struct HICON__* HICON;
using COLORREF = DWORD;  // 0x00BBGGRR
using LPCOLORREF = COLORREF*;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF color) {
  return static_cast<BYTE>(color & 0xFF);
}
constexpr BYTE GetGValue(COLORREF color) {
  return static_cast<BYTE>((color >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF color) {
  return static_cast<BYTE>((color >> 16) & 0xFF);
}
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

struct SIZE {
  LONG cx;
  LONG cy;
};

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
};

struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
};

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
  WORD bfType;  // "BM"
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct LOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  LONG lbHatch;
};

// Font weights, qualities, character sets and pitches.
inline constexpr LONG FW_DONTCARE = 0;
inline constexpr LONG FW_THIN = 100;
inline constexpr LONG FW_LIGHT = 300;
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_MEDIUM = 500;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr LONG FW_HEAVY = 900;
inline constexpr BYTE DEFAULT_QUALITY = 0;
inline constexpr BYTE DRAFT_QUALITY = 1;
inline constexpr BYTE PROOF_QUALITY = 2;
inline constexpr BYTE NONANTIALIASED_QUALITY = 3;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;
inline constexpr BYTE CLEARTYPE_QUALITY = 5;
inline constexpr BYTE CLEARTYPE_COMPAT_QUALITY = 6;
inline constexpr BYTE ANSI_CHARSET = 0;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr BYTE OUT_DEFAULT_PRECIS = 0;
inline constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
inline constexpr BYTE DEFAULT_PITCH = 0;
inline constexpr BYTE FIXED_PITCH = 1;
inline constexpr BYTE VARIABLE_PITCH = 2;
inline constexpr BYTE FF_DONTCARE = 0x00;
inline constexpr BYTE FF_SWISS = 0x20;

// GetDeviceCaps indexes.
inline constexpr int TECHNOLOGY = 2;
inline constexpr int HORZSIZE = 4;
inline constexpr int VERTSIZE = 6;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int NUMCOLORS = 24;
inline constexpr int RASTERCAPS = 38;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int DT_RASDISPLAY = 1;

// GetSystemMetrics indexes.
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CXSMICON = 49;
inline constexpr int SM_CYSMICON = 50;

// Stock objects.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEFAULT_GUI_FONT = 17;

// Object types (GetObjectType, GetCurrentObject).
inline constexpr UINT OBJ_PEN = 1;
inline constexpr UINT OBJ_BRUSH = 2;
inline constexpr UINT OBJ_DC = 3;
inline constexpr UINT OBJ_FONT = 6;
inline constexpr UINT OBJ_BITMAP = 7;
inline constexpr UINT OBJ_MEMDC = 10;

inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;

// Raster operations.
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

// DIBs.
inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// DrawTextW formats.
inline constexpr UINT DT_TOP = 0x0000;
inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_BOTTOM = 0x0008;
inline constexpr UINT DT_WORDBREAK = 0x0010;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_EXPANDTABS = 0x0040;
inline constexpr UINT DT_TABSTOP = 0x0080;
inline constexpr UINT DT_NOCLIP = 0x0100;
inline constexpr UINT DT_EXTERNALLEADING = 0x0200;
inline constexpr UINT DT_CALCRECT = 0x0400;
inline constexpr UINT DT_NOPREFIX = 0x0800;
inline constexpr UINT DT_INTERNAL = 0x1000;
inline constexpr UINT DT_END_ELLIPSIS = 0x8000;

// Multiplies and divides with rounding to nearest; -1 when `denominator` is 0.
int MulDiv(int number, int numerator, int denominator);

// Device capabilities: LOGPIXELSX/Y from "Screen.DpiX"/"Screen.DpiY" (96), HORZRES/VERTRES from
// "Screen.Width"/"Screen.Height" (240 x 320), BITSPIXEL 32. 0 for an unknown index or invalid DC.
int GetDeviceCaps(HDC dc, int index);
// The screen size, scroll bar, border, edge and icon sizes (scaled from 96 dpi); 0 for anything else.
int GetSystemMetrics(int index);

// System colour indexes; the device's carry the index flag.
inline constexpr int SYS_COLOR_INDEX_FLAG = 0x40000000;
inline constexpr int COLOR_SCROLLBAR = 0 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BACKGROUND = 1 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_ACTIVECAPTION = 2 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_WINDOW = 5 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_WINDOWTEXT = 8 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_CAPTIONTEXT = 9 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_HIGHLIGHT = 13 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNFACE = 15 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNTEXT = 18 | SYS_COLOR_INDEX_FLAG;
// The default scheme's colour of an index (with or without the flag); 0 for an unknown one.
DWORD GetSysColor(int index);

// Device contexts. GetDC gives a DC on the screen surface (the window is only recorded; the surface
// is made white at the first GetDC, of the screen size then); a memory DC starts with a 1x1
// monochrome bitmap, the system font and the white brush selected.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
// Selects a bitmap (memory DCs only; a bitmap is selected into one DC at a time), font or brush;
// returns the object it replaces, null on failure.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
// Fills a LOGFONTW, BITMAP or LOGBRUSH; with no buffer, returns the size needed. 0 on failure.
int GetObjectW(HGDIOBJ object, int size, void* buffer);
DWORD GetObjectType(HGDIOBJ object);
// FALSE for an invalid handle or a bitmap still selected into a DC; stock objects stay.
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);

// Fonts and text (measured by the rule of platform::MeasureText).
HFONT CreateFontIndirectW(const LOGFONTW* font);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);
BOOL GetTextExtentExPointW(HDC dc, LPCWSTR text, int count, int maxExtent, int* fit, int* dx, SIZE* size);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
// Measures (DT_CALCRECT: sets the rectangle's right and bottom) or lays out and draws the text,
// clipped to the rectangle unless DT_NOCLIP; a single line too wide for it ends in "..." under
// DT_END_ELLIPSIS. Returns the height of the text, 0 on failure. `count` -1: zero-terminated.
int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);
// Draws a line of text with its top-left corner at (x, y): each character's glyph in the cell the text
// measure gives it (the advances `dx` are not used), over the background colour when the mode is
// OPAQUE. ETO_OPAQUE fills the rectangle with the background colour first; ETO_CLIPPED clips to it.
inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT count,
                 const int* dx);
BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);
// A one-pixel frame just inside the rectangle.
BOOL FrameRect(HDC dc, const RECT* rect, HBRUSH brush);

// Bitmaps, held as 32-bit pixels whatever their format (a 1-bpp bitmap holds only black and white).
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// A monochrome bitmap when the DC has one selected, else a 32-bit one.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// 32 bpp, BI_RGB or BI_BITFIELDS; a negative height is top-down. `bits` receives the pixels.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset);
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
// Nearest neighbour. A negative width or height runs left (up) from x (y) and mirrors the image.
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
HBRUSH CreateSolidBrush(COLORREF color);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// Copies (stretching) every pixel but those of the key colour. `source` is a DC or a bitmap.
BOOL TransparentImage(HDC dest, int x, int y, int width, int height, HANDLE source, int sourceX, int sourceY,
                      int sourceWidth, int sourceHeight, COLORREF transparent);
BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, UINT transparent);

// Icons: a colour bitmap and a mask (white: transparent), both copied.
struct ICONINFO {
  BOOL fIcon;
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;
  HBITMAP hbmColor;
};
HICON CreateIconIndirect(const ICONINFO* info);
BOOL DestroyIcon(HICON icon);

namespace platform {

// The screen's resolution and size from the device settings (96 dpi, 240 x 320 by default).
int ScreenDpiX();
int ScreenDpiY();
SIZE ScreenSize();

// The extent of a single line of text in `font` (null or invalid: the system font). The rule:
// - the cell height h is |lfHeight|, or 13 when lfHeight is 0 (the system font is 13 at 96 dpi,
//   scaled by Screen.DpiY; DEFAULT_GUI_FONT is 11 scaled the same way);
// - a narrow character is lfWidth wide, or (h + 1) / 2 when lfWidth is 0;
// - a wide character (CJK, Hangul, kana, full-width forms) is h wide;
// - combining marks and zero-width characters take no room; a surrogate pair is one character;
// - a font of weight FW_SEMIBOLD or more adds 1 to every character that takes room.
// The extent's height is h, even for empty text.
SIZE MeasureText(HFONT font, std::u16string_view text);

// A bitmap's pixels as 0x00RRGGBB values, rows top to bottom; width 0 for an invalid handle.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> values;
  uint32_t At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};
Pixels BitmapPixels(HBITMAP bitmap);
// The bitmap a DC draws into (the screen surface for a GetDC DC).
HBITMAP DcBitmap(HDC dc);

// A DC that draws on `surface` with its (0, 0) at `origin` and nothing outside `clip` (bitmap
// coordinates): how the compositor paints one window into the picture of the screen.
HDC CreateSurfaceDc(HBITMAP surface, POINT origin, const RECT& clip);
// While set, GetDC of a window asks `surface` for the bitmap, origin and clip to draw with (false: the
// screen surface as usual). The window system sets it while it composes the screen.
void SetWindowSurface(std::function<bool(HWND, HBITMAP*, POINT*, RECT*)> surface);
// The folder of the monospaced font files text is drawn with (DejaVuSansMono.ttf and its Bold);
// empty: /usr/share/fonts/truetype/dejavu. Without the files every character is drawn as a box.
void SetFontFolder(const std::string& folder);

// Pixels as the bytes of a PNG file (empty for no pixels), and written to a file of the host (not the
// device's file system); false when it cannot be written.
std::vector<uint8_t> EncodePng(const Pixels& pixels);
bool WritePngFile(const Pixels& pixels, const std::string& hostPath);

// Writes the bitmap as a 24-bit bottom-up BMP file through the device's file system.
BOOL SaveBitmapFile(HBITMAP bitmap, LPCWSTR cePath);

}  // namespace platform
