// The painters of the basic controls: static, button, edit, list box and combo box.
#include <algorithm>

#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/paint/PaintKit.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui::paint {

namespace {

// The brush and text colour a control's parent gives it through WM_CTLCOLORSTATIC; null for none.
HBRUSH ParentColours(const Canvas& canvas) {
  SetTextColor(canvas.Dc(), kInk);
  SetBkColor(canvas.Dc(), kPaper);
  HWND parent = GetParent(canvas.Window());
  if (!parent) return nullptr;
  return reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC,
                                               reinterpret_cast<WPARAM>(canvas.Dc()),
                                               reinterpret_cast<LPARAM>(canvas.Window())));
}

COLORREF TextColour(const Canvas& canvas, COLORREF normal) {
  return canvas.Enabled() ? normal : kGreyText;
}

// A one-line field: white, framed, the text from the left margin and centred vertically.
void Field(const Canvas& canvas, const RECT& field, std::u16string_view text) {
  canvas.Fill(field, kPaper);
  canvas.Frame(field, kFrame);
  RECT inside = Inset(field, canvas.Scale(3), 0);
  canvas.Text(inside, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, TextColour(canvas, kInk));
}

// The height of a combo box's or picker's closed field.
int FieldHeight(const Canvas& canvas) {
  return std::min<int>(canvas.Client().bottom, canvas.LineHeight() + canvas.Scale(6));
}

void DropButton(const Canvas& canvas, const RECT& field) {
  int side = field.bottom - field.top;
  RECT button{field.right - side, field.top, field.right, field.bottom};
  canvas.Fill(Inset(button, 1, 1), kFace);
  canvas.Frame(button, kFrame);
  canvas.Arrow(Inset(button, canvas.Scale(3), canvas.Scale(4)), true, TextColour(canvas, kInk));
}

void PushButton(const Canvas& canvas, DWORD type) {
  bool pushed = (SendMessageW(canvas.Window(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  RECT all = canvas.Client();
  canvas.Fill(all, pushed ? kSelection : kPaper);
  canvas.Frame(all, type == BS_DEFPUSHBUTTON ? kInk : kFrame);
  canvas.Text(Inset(all, 2, 0), WindowText(canvas.Window()), DT_CENTER | DT_VCENTER | DT_SINGLELINE,
              pushed ? kSelectedText : TextColour(canvas, kInk));
}

void OwnerDrawn(const Canvas& canvas) {
  HWND parent = GetParent(canvas.Window());
  if (!parent) return;
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_BUTTON;
  draw.CtlID = static_cast<UINT>(GetDlgCtrlID(canvas.Window()));
  draw.itemAction = ODA_DRAWENTIRE;
  draw.hwndItem = canvas.Window();
  draw.hDC = canvas.Dc();
  draw.rcItem = canvas.Client();
  SendMessageW(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

}  // namespace

void PaintStatic(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  HBRUSH brush = ParentColours(canvas);
  if (brush) FillRect(canvas.Dc(), &canvas.Client(), brush);
  if ((canvas.Style() & 0x1F) == SS_BITMAP) {
    canvas.Bitmap(reinterpret_cast<HBITMAP>(SendMessageW(window, STM_GETIMAGE, IMAGE_BITMAP, 0)), 0, 0);
    return;
  }
  COLORREF colour = brush ? GetTextColor(canvas.Dc()) : kInk;
  UINT format = DT_WORDBREAK | ((canvas.Style() & SS_CENTER) ? DT_CENTER : DT_LEFT);
  canvas.Text(canvas.Client(), WindowText(window), format, TextColour(canvas, colour));
}

void PaintButton(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  DWORD type = canvas.Style() & BS_TYPEMASK;
  const RECT& all = canvas.Client();
  switch (type) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      PushButton(canvas, type);
      return;
    case BS_OWNERDRAW:
      OwnerDrawn(canvas);
      return;
    case BS_GROUPBOX: {
      int half = canvas.LineHeight() / 2;
      canvas.Frame(RECT{all.left, all.top + half, all.right, all.bottom}, kFrame);
      std::u16string text = WindowText(window);
      SIZE size = MeasureText(canvas.Font(), text);
      RECT label{all.left + canvas.Scale(6), all.top, all.left + canvas.Scale(8) + size.cx,
                 all.top + size.cy};
      canvas.Fill(label, kPaper);
      canvas.Text(Inset(label, canvas.Scale(1), 0), text, DT_SINGLELINE, TextColour(canvas, kInk));
      return;
    }
    default:
      break;
  }
  bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
  LRESULT check = SendMessageW(window, BM_GETCHECK, 0, 0);
  int box = canvas.Scale(13);
  int top = all.top + (all.bottom - all.top - box) / 2;
  canvas.CheckMark(RECT{all.left, top, all.left + box, top + box}, radio, check != BST_UNCHECKED);
  RECT label{all.left + box + canvas.Scale(4), all.top, all.right, all.bottom};
  canvas.Text(label, WindowText(window), DT_SINGLELINE | DT_VCENTER, TextColour(canvas, kInk));
}

void PaintEdit(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  const RECT& all = canvas.Client();
  canvas.Fill(all, kPaper);
  LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  if ((canvas.Style() & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) canvas.Frame(all, kFrame);
  std::u16string text = WindowText(window);
  if (canvas.Style() & ES_PASSWORD) text.assign(text.size(), u'*');
  LRESULT margins = SendMessageW(window, EM_GETMARGINS, 0, 0);
  RECT inside{all.left + canvas.Scale(2) + LOWORD(static_cast<uintptr_t>(margins)), all.top + canvas.Scale(2),
              all.right - canvas.Scale(2) - HIWORD(static_cast<uintptr_t>(margins)),
              all.bottom - canvas.Scale(1)};
  COLORREF colour = TextColour(canvas, kInk);
  if (canvas.Style() & ES_MULTILINE) {
    canvas.Text(inside, text, DT_WORDBREAK | DT_NOPREFIX, colour);
    return;
  }
  inside.top = all.top + (all.bottom - all.top - canvas.LineHeight()) / 2;
  canvas.Text(inside, text, DT_SINGLELINE | DT_NOPREFIX, colour);
  // The selection of a focused field, without a caret: white on blue.
  DWORD start = 0, end = 0;
  SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  end = std::min<DWORD>(end, static_cast<DWORD>(text.size()));
  if (GetFocus() != window || start >= end) return;
  std::u16string_view view(text);
  LONG left = inside.left + MeasureText(canvas.Font(), view.substr(0, start)).cx;
  LONG right = inside.left + MeasureText(canvas.Font(), view.substr(0, end)).cx;
  RECT selected{left, inside.top, std::min(right, inside.right), inside.top + canvas.LineHeight()};
  canvas.Fill(selected, kSelection);
  canvas.Text(selected, view.substr(start, end - start), DT_SINGLELINE | DT_NOPREFIX, kSelectedText);
}

void PaintListBox(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  const RECT& all = canvas.Client();
  canvas.Fill(all, kPaper);
  canvas.Frame(all, kFrame);
  int count = static_cast<int>(SendMessageW(window, LB_GETCOUNT, 0, 0));
  int row = canvas.LineHeight() + canvas.Scale(2);
  int top = all.top + 1;
  for (int i = 0; i < count && top < all.bottom - 1; ++i, top += row) {
    int length = static_cast<int>(SendMessageW(window, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0));
    std::u16string text(static_cast<size_t>(std::max(0, length)) + 1, u'\0');
    SendMessageW(window, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max(0, length)));
    bool selected = SendMessageW(window, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0;
    RECT line{all.left + 1, top, all.right - 1, std::min<LONG>(top + row, all.bottom - 1)};
    if (selected) canvas.Fill(line, kSelection);
    canvas.Text(Inset(line, canvas.Scale(2), 1), text, DT_SINGLELINE | DT_NOPREFIX,
                selected ? kSelectedText : TextColour(canvas, kInk));
  }
}

void PaintComboBox(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  const RECT& all = canvas.Client();
  RECT field{all.left, all.top, all.right, all.top + FieldHeight(canvas)};
  Field(canvas, RECT{field.left, field.top, field.right - (field.bottom - field.top) + 1, field.bottom},
        WindowText(window));
  DropButton(canvas, field);
}

void PaintDatePicker(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  const RECT& all = canvas.Client();
  RECT field{all.left, all.top, all.right, all.bottom};
  Field(canvas, RECT{field.left, field.top, field.right - (field.bottom - field.top) + 1, field.bottom},
        WindowText(window));
  DropButton(canvas, field);
}

}  // namespace platform::ui::paint
