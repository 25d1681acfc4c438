#pragma once

// What the controls' painters share: a window's paint DC with its font, and the few shapes of the
// handheld's look (white fields, 1-pixel grey frames, blue selection with white text).

#include <string>
#include <string_view>

#include "platform/gdi/Gdi.h"
#include "platform/ui/WindowTypes.h"
#include "platform/ui/paint/Paint.h"

namespace platform::ui::paint {

inline constexpr COLORREF kInk = RGB(0, 0, 0);
inline constexpr COLORREF kPaper = RGB(255, 255, 255);
inline constexpr COLORREF kFrame = RGB(0x8C, 0x8C, 0x8C);
inline constexpr COLORREF kGreyText = RGB(0x80, 0x80, 0x80);
inline constexpr COLORREF kFace = RGB(0xE4, 0xE4, 0xE4);
inline constexpr COLORREF kSelection = RGB(0x00, 0x55, 0xC6);
inline constexpr COLORREF kSelectedText = RGB(255, 255, 255);

// A window painted between BeginPaint and EndPaint, its font selected (the system font when it has
// none) and text drawn transparently.
class Canvas {
 public:
  explicit Canvas(HWND window);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return paint_.hdc; }
  HWND Window() const { return window_; }
  const RECT& Client() const { return client_; }
  HFONT Font() const { return font_; }
  DWORD Style() const;
  bool Enabled() const;
  // The line height of the font.
  int LineHeight() const;
  // A length of 96-dpi pixels at the screen's resolution.
  int Scale(int pixels) const;

  void Fill(const RECT& rect, COLORREF colour) const;
  void Frame(const RECT& rect, COLORREF colour) const;
  // DrawTextW in `colour` inside `rect`.
  void Text(RECT rect, std::u16string_view text, UINT format, COLORREF colour) const;
  // A check box (square) or radio button (round) mark in `box`, checked or not.
  void CheckMark(const RECT& box, bool radio, bool checked) const;
  // A small triangle pointing down (or up) centred in `area`.
  void Arrow(const RECT& area, bool down, COLORREF colour) const;
  // The bitmap drawn at (x, y) in its own size.
  void Bitmap(HBITMAP bitmap, int x, int y) const;

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  RECT client_{};
  HFONT font_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
};

std::u16string WindowText(HWND window);
RECT Inset(const RECT& rect, int dx, int dy);

}  // namespace platform::ui::paint
