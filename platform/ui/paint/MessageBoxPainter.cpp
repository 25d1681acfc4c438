// Message boxes have no window of their own: while one waits for its answer it is kept here, and a
// picture of the screen draws it over everything, as the handheld shows it.
#include <string>
#include <vector>

#include "platform/core/System.h"
#include "platform/text/Text.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui::paint {

namespace {

struct ShownBox {
  std::u16string text;
  std::u16string caption;
  UINT flags;
};

struct MessageBoxes : ProcessState {
  std::vector<ShownBox> shown;
};

MessageBoxes& Boxes() {
  return System::Current().State<MessageBoxes>();
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void Frame(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

// The box across the screen's width: the caption bar, the text wrapped, one button per answer.
void PaintBox(HDC dc, SIZE screen, const ShownBox& box) {
  int unit = MulDiv(1, ScreenDpiY(), 96);
  HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  HGDIOBJ old = SelectObject(dc, font);
  int line = MeasureText(font, u"").cy;
  int margin = 6 * unit;
  RECT textArea{margin * 2, 0, screen.cx - margin * 2, 0};
  DrawTextW(dc, box.text.c_str(), static_cast<int>(box.text.size()), &textArea,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  int textHeight = textArea.bottom - textArea.top;
  int bar = line + 6 * unit, buttons = line + 8 * unit;
  int height = bar + margin + textHeight + margin + buttons + margin;
  RECT frame{margin, (screen.cy - height) / 2, screen.cx - margin, (screen.cy - height) / 2 + height};
  Fill(dc, frame, RGB(255, 255, 255));
  Frame(dc, frame, RGB(0, 0, 0));
  RECT caption{frame.left + 1, frame.top + 1, frame.right - 1, frame.top + bar};
  Fill(dc, caption, GetSysColor(COLOR_ACTIVECAPTION));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
  RECT title{caption.left + margin, caption.top, caption.right - margin, caption.bottom};
  DrawTextW(dc, box.caption.c_str(), static_cast<int>(box.caption.size()), &title,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT text{frame.left + margin, caption.bottom + margin, frame.right - margin,
            caption.bottom + margin + textHeight};
  DrawTextW(dc, box.text.c_str(), static_cast<int>(box.text.size()), &text, DT_WORDBREAK | DT_NOPREFIX);
  // "Yes/No/Cancel": one button per name.
  std::vector<std::u16string> names{u""};
  for (char16_t c : FromUtf8(MessageBoxButtons(box.flags))) {
    if (c == u'/') {
      names.emplace_back();
    } else {
      names.back() += c;
    }
  }
  int width = 60 * unit, gap = 6 * unit;
  int total = static_cast<int>(names.size()) * width + (static_cast<int>(names.size()) - 1) * gap;
  int left = (screen.cx - total) / 2, top = frame.bottom - margin - buttons;
  for (const std::u16string& name : names) {
    RECT button{left, top, left + width, top + buttons};
    Frame(dc, button, RGB(0x8C, 0x8C, 0x8C));
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &button,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    left += width + gap;
  }
  SelectObject(dc, old);
}

}  // namespace

ShownMessageBox::ShownMessageBox(std::u16string_view text, std::u16string_view caption, UINT flags) {
  Boxes().shown.push_back({std::u16string(text), std::u16string(caption), flags});
}

ShownMessageBox::~ShownMessageBox() {
  auto& shown = Boxes().shown;
  if (!shown.empty()) shown.pop_back();
}

void PaintMessageBoxes(HDC dc, SIZE screen) {
  for (const ShownBox& box : Boxes().shown) PaintBox(dc, screen, box);
}

}  // namespace platform::ui::paint
