// The painters of the ink control (its pen strokes), its rich-ink child (the typed text, links
// underlined) and the rich-text view.
#include <algorithm>
#include <cstdlib>

#include "platform/ui/Window.h"
#include "platform/ui/controls/RichInkContent.h"
#include "platform/ui/paint/PaintKit.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui::paint {

namespace {

inline constexpr COLORREF kLinkColour = RGB(0, 0, 0xCC);

// A pen line two pixels wide from `a` to `b`.
void PenLine(const Canvas& canvas, InkPoint a, InkPoint b) {
  int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
  int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
  int error = dx + dy;
  for (int x = a.x, y = a.y;;) {
    canvas.Fill(RECT{x, y, x + 2, y + 2}, kInk);
    if (x == b.x && y == b.y) break;
    int twice = 2 * error;
    if (twice >= dy) error += dy, x += sx;
    if (twice <= dx) error += dx, y += sy;
  }
}

}  // namespace

void PaintInk(HWND window, const std::vector<InkStroke>& strokes) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  canvas.Fill(canvas.Client(), kPaper);
  canvas.Frame(canvas.Client(), kFrame);
  for (const InkStroke& stroke : strokes) {
    for (size_t i = 0; i < stroke.points.size(); ++i) {
      PenLine(canvas, stroke.points[i], stroke.points[i + 1 < stroke.points.size() ? i + 1 : i]);
    }
  }
}

// The text over the strokes its ink control drew: no background of its own.
void PaintRichInk(HWND window) {
  Canvas canvas(window);
  InkContent content;
  if (!canvas.Dc() || !GetRichInkContent(window, &content)) return;
  RECT area = Inset(canvas.Client(), canvas.Scale(3), canvas.Scale(2));
  canvas.Text(area, content.text, DT_WORDBREAK | DT_NOPREFIX, kInk);
  // A link on the first line is underlined where it stands; later lines are left as they are.
  for (const InkLinkSpan& link : content.links) {
    std::u16string_view text(content.text);
    if (link.position + link.length > text.size()) continue;
    std::u16string_view before = text.substr(0, link.position);
    if (before.find_first_of(u"\r\n") != std::u16string_view::npos) continue;
    LONG left = area.left + MeasureText(canvas.Font(), before).cx;
    LONG right = left + MeasureText(canvas.Font(), text.substr(link.position, link.length)).cx;
    LONG under = area.top + canvas.LineHeight() - 1;
    canvas.Fill(RECT{left, under, std::min(right, area.right), under + 1}, kLinkColour);
  }
}

void PaintRichView(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  canvas.Fill(canvas.Client(), kPaper);
  canvas.Frame(canvas.Client(), kFrame);
  canvas.Text(Inset(canvas.Client(), canvas.Scale(3), canvas.Scale(2)), WindowText(window),
              DT_WORDBREAK | DT_NOPREFIX, kInk);
}

}  // namespace platform::ui::paint
