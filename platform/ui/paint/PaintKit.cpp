#include "platform/ui/paint/PaintKit.h"

#include <algorithm>
#include <cmath>

#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"

namespace platform::ui::paint {

Canvas::Canvas(HWND window) : window_(window) {
  BeginPaint(window, &paint_);
  GetClientRect(window, &client_);
  font_ = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (!font_) font_ = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  if (paint_.hdc) {
    oldFont_ = SelectObject(paint_.hdc, font_);
    SetBkMode(paint_.hdc, TRANSPARENT);
  }
}

Canvas::~Canvas() {
  if (paint_.hdc && oldFont_) SelectObject(paint_.hdc, oldFont_);
  EndPaint(window_, &paint_);
}

DWORD Canvas::Style() const {
  return static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE));
}

bool Canvas::Enabled() const {
  return IsWindowEnabled(window_) != FALSE;
}

int Canvas::LineHeight() const {
  return MeasureText(font_, u"").cy;
}

int Canvas::Scale(int pixels) const {
  return MulDiv(pixels, ScreenDpiY(), 96);
}

void Canvas::Fill(const RECT& rect, COLORREF colour) const {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(Dc(), &rect, brush);
  DeleteObject(brush);
}

void Canvas::Frame(const RECT& rect, COLORREF colour) const {
  HBRUSH brush = CreateSolidBrush(colour);
  FrameRect(Dc(), &rect, brush);
  DeleteObject(brush);
}

void Canvas::Text(RECT rect, std::u16string_view text, UINT format, COLORREF colour) const {
  SetTextColor(Dc(), colour);
  DrawTextW(Dc(), text.data(), static_cast<int>(text.size()), &rect, format);
}

void Canvas::CheckMark(const RECT& box, bool radio, bool checked) const {
  int size = std::min(box.right - box.left, box.bottom - box.top);
  if (size <= 2) return;
  if (!radio) {
    Fill(box, kPaper);
    Frame(box, kInk);
    if (!checked) return;
    // A tick: down from the left third, then up to the top right.
    int inset = std::max(2, size / 5);
    int x0 = box.left + inset, x2 = box.right - inset - 1, y2 = box.top + inset;
    int x1 = x0 + (x2 - x0) / 3, y1 = box.bottom - inset - 1;
    int thick = std::max(1, size / 8);
    for (int x = x0; x <= x2; ++x) {
      int y = x <= x1 ? y1 - (x1 - x) : y1 - (x - x1) * (y1 - y2) / std::max(1, x2 - x1);
      Fill(RECT{x, y - thick, x + 1, y + 1}, kInk);
    }
    return;
  }
  double radius = size / 2.0, inner = radius / 2.2;
  double cx = box.left + radius, cy = box.top + radius;
  for (int y = box.top; y < box.top + size; ++y) {
    for (int x = box.left; x < box.left + size; ++x) {
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d <= radius && d > radius - 1.2) {
        SetPixel(Dc(), x, y, kInk);
      } else if (d <= radius - 1.2) {
        SetPixel(Dc(), x, y, checked && d <= inner ? kInk : kPaper);
      }
    }
  }
}

void Canvas::Arrow(const RECT& area, bool down, COLORREF colour) const {
  int width = std::max(3, std::min(area.right - area.left, area.bottom - area.top) / 2) | 1;
  int rows = width / 2 + 1;
  int left = area.left + (area.right - area.left - width) / 2;
  int top = area.top + (area.bottom - area.top - rows) / 2;
  for (int row = 0; row < rows; ++row) {
    int inset = down ? row : rows - 1 - row;
    Fill(RECT{left + inset, top + row, left + width - inset, top + row + 1}, colour);
  }
}

void Canvas::Bitmap(HBITMAP bitmap, int x, int y) const {
  BITMAP info{};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return;
  HDC source = CreateCompatibleDC(Dc());
  HGDIOBJ old = SelectObject(source, bitmap);
  BitBlt(Dc(), x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

std::u16string WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(std::max(0, length)) + 1, u'\0');
  int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(0, copied)));
  return text;
}

RECT Inset(const RECT& rect, int dx, int dy) {
  return RECT{rect.left + dx, rect.top + dy, rect.right - dx, rect.bottom - dy};
}

}  // namespace platform::ui::paint
