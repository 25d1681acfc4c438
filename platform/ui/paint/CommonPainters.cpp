// The painters of the common controls: tab control, list view, tree view and month calendar.
#include <algorithm>

#include "platform/gdi/ImageList.h"
#include "platform/time/Locale.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/ListViewState.h"
#include "platform/ui/controls/TreeViewTypes.h"
#include "platform/ui/paint/PaintKit.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui::paint {

namespace {

// Draws image `index` of `images` at (x, y) centred in `height`; the x after it (x when none).
int DrawImage(const Canvas& canvas, HIMAGELIST images, int index, int x, int top, int height) {
  int width = 0, imageHeight = 0;
  if (!images || index < 0 || index >= ImageList_GetImageCount(images) ||
      !ImageList_GetIconSize(images, &width, &imageHeight))
    return x;
  ImageList_Draw(images, index, canvas.Dc(), x, top + (height - imageHeight) / 2, ILD_TRANSPARENT);
  return x + width + canvas.Scale(2);
}

std::u16string TabText(HWND window, int index, int* image) {
  WCHAR text[128] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = 128;
  item.iImage = -1;
  SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  *image = item.iImage;
  return text;
}

int DayOfWeek(int year, int month, int day) {  // 0: Sunday
  static const int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] + day) % 7;
}

int DaysIn(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

void PaintTabControl(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  const RECT& all = canvas.Client();
  bool bottom = (canvas.Style() & TCS_BOTTOM) != 0;
  canvas.Fill(all, kPaper);
  int count = static_cast<int>(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0));
  int selected = static_cast<int>(SendMessageW(window, TCM_GETCURSEL, 0, 0));
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(window, TCM_GETIMAGELIST, 0, 0));
  LONG stripEdge = all.top;
  for (int i = 0; i < count; ++i) {
    RECT rect{};
    if (!SendMessageW(window, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect)))
      continue;
    stripEdge = bottom ? rect.top : std::max(stripEdge, rect.bottom);
    bool front = i == selected;
    canvas.Fill(rect, front ? kPaper : kFace);
    canvas.Frame(rect, kFrame);
    // The tab in front opens onto the page: no line between them.
    LONG joint = bottom ? rect.top : rect.bottom - 1;
    if (front) canvas.Fill(RECT{rect.left + 1, joint, rect.right - 1, joint + 1}, kPaper);
    int image = -1;
    std::u16string text = TabText(window, i, &image);
    int left =
        DrawImage(canvas, images, image, rect.left + canvas.Scale(3), rect.top, rect.bottom - rect.top);
    RECT label{left, rect.top, rect.right - canvas.Scale(2), rect.bottom};
    canvas.Text(label, text, DT_SINGLELINE | DT_VCENTER | (image >= 0 ? DT_LEFT : DT_CENTER), kInk);
  }
  // The line the tabs hang from, broken by the tab in front.
  RECT line{all.left, stripEdge, all.right, stripEdge + 1};
  RECT front{};
  if (count == 0) return;
  SendMessageW(window, TCM_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&front));
  canvas.Fill(RECT{line.left, line.top, front.left + 1, line.bottom}, kFrame);
  canvas.Fill(RECT{front.right - 1, line.top, line.right, line.bottom}, kFrame);
}

void PaintListViewWindow(HWND window) {
  std::vector<ListViewDrawnText> drawn = PaintListView(window);
  listview::ListView list = listview::ListView::Of(window);
  if (!list || !IsWindow(window)) return;
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  const RECT& all = canvas.Client();
  canvas.Fill(all, list.state->background == CLR_NONE ? kPaper : list.state->background);
  bool report = (list.Style() & LVS_TYPEMASK) == LVS_REPORT;
  int header = list.HeaderHeight(), row = list.RowHeight();
  std::vector<LONG> lefts{0};
  for (const listview::Column& column : list.state->columns) lefts.push_back(lefts.back() + column.width);
  if (header > 0) {
    canvas.Fill(RECT{all.left, all.top, all.right, header}, kFace);
    canvas.Fill(RECT{all.left, header - 1, all.right, header}, kFrame);
    for (size_t c = 0; c < list.state->columns.size(); ++c) {
      RECT cell{lefts[c], 0, lefts[c + 1], header - 1};
      canvas.Fill(RECT{cell.right - 1, 0, cell.right, header - 1}, kFrame);
      canvas.Text(Inset(cell, canvas.Scale(3), 0), list.state->columns[c].text, DT_SINGLELINE | DT_VCENTER,
                  kInk);
    }
  }
  bool checks = (list.state->exStyle & LVS_EX_CHECKBOXES) != 0;
  HIMAGELIST small = list.state->images[LVSIL_SMALL];
  for (const ListViewDrawnText& text : drawn) {
    if (!list.Valid(text.item)) continue;
    const listview::Item& item = list.At(text.item);
    int top = header + (text.item - list.state->top) * row;
    size_t column = static_cast<size_t>(text.subItem);
    LONG left = report && column + 1 < lefts.size() ? lefts[column] : 0;
    LONG right = report && column + 1 < lefts.size() ? lefts[column + 1] : all.right;
    RECT cell{left, top, right, top + row};
    bool selected = (item.state & LVIS_SELECTED) != 0;
    COLORREF ink = text.color == CLR_DEFAULT ? kInk : text.color;
    if (selected) {
      canvas.Fill(cell, kSelection);
      ink = kSelectedText;
    } else if (text.background != CLR_DEFAULT && text.background != CLR_NONE) {
      canvas.Fill(cell, text.background);
    }
    int x = cell.left + canvas.Scale(2);
    if (column == 0 && checks) {
      int box = std::min(row - 2, canvas.Scale(13));
      canvas.CheckMark(RECT{x, top + (row - box) / 2, x + box, top + (row - box) / 2 + box}, false,
                       ((item.state & LVIS_STATEIMAGEMASK) >> 12) == 2);
      x += box + canvas.Scale(3);
    }
    if (column == 0) x = DrawImage(canvas, small, item.image, x, top, row);
    SelectObject(canvas.Dc(), text.font ? text.font : canvas.Font());
    canvas.Text(RECT{x, top, cell.right - canvas.Scale(2), cell.bottom}, text.text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, ink);
  }
  SelectObject(canvas.Dc(), canvas.Font());
}

void PaintTreeView(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  const RECT& all = canvas.Client();
  canvas.Fill(all, kPaper);
  canvas.Frame(all, kFrame);
  int row = canvas.LineHeight() + canvas.Scale(4);
  int indent = static_cast<int>(SendMessageW(window, TVM_GETINDENT, 0, 0));
  if (indent <= 0) indent = canvas.Scale(16);
  bool checks = (canvas.Style() & TVS_CHECKBOXES) != 0;
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(window, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  int top = all.top + 1;
  // Depth-first over the expanded items, as they stand on the screen.
  std::vector<std::pair<HTREEITEM, int>> pending;
  for (HTREEITEM item = TreeView_GetRoot(window); item; item = TreeView_GetNextSibling(window, item)) {
    pending.emplace_back(item, 0);
  }
  std::reverse(pending.begin(), pending.end());
  while (!pending.empty() && top < all.bottom) {
    auto [item, depth] = pending.back();
    pending.pop_back();
    WCHAR text[260] = {};
    TVITEMW info{};
    info.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_IMAGE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = 260;
    info.stateMask = 0xFFFFFFFF;
    SendMessageW(window, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info));
    int x = all.left + canvas.Scale(3) + depth * indent;
    HTREEITEM child = TreeView_GetChild(window, item);
    if (child)
      canvas.Arrow(RECT{x, top, x + canvas.Scale(9), top + row}, (info.state & TVIS_EXPANDED) != 0, kInk);
    x += canvas.Scale(11);
    if (checks) {
      int box = std::min(row - 2, canvas.Scale(13));
      canvas.CheckMark(RECT{x, top + (row - box) / 2, x + box, top + (row - box) / 2 + box}, false,
                       ((info.state & TVIS_STATEIMAGEMASK) >> 12) == 2);
      x += box + canvas.Scale(3);
    }
    x = DrawImage(canvas, images, info.iImage, x, top, row);
    bool selected = (info.state & TVIS_SELECTED) != 0;
    std::u16string_view label(text);
    RECT area{x, top,
              std::min<LONG>(all.right - 1, x + MeasureText(canvas.Font(), label).cx + canvas.Scale(4)),
              top + row};
    if (selected) canvas.Fill(area, kSelection);
    canvas.Text(Inset(area, canvas.Scale(2), 0), label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX,
                selected ? kSelectedText : kInk);
    top += row;
    if (!(info.state & TVIS_EXPANDED)) continue;
    std::vector<HTREEITEM> children;
    for (; child; child = TreeView_GetNextSibling(window, child)) children.push_back(child);
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.emplace_back(*it, depth + 1);
  }
}

void PaintMonthCalendar(HWND window) {
  Canvas canvas(window);
  if (!canvas.Dc()) return;
  const RECT& all = canvas.Client();
  canvas.Fill(all, kPaper);
  SYSTEMTIME selected{};
  SendMessageW(window, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&selected));
  if (selected.wYear == 0) SendMessageW(window, MCM_GETTODAY, 0, reinterpret_cast<LPARAM>(&selected));
  if (selected.wMonth < 1 || selected.wMonth > 12) return;
  int first =
      static_cast<int>(LOWORD(static_cast<uintptr_t>(SendMessageW(window, MCM_GETFIRSTDAYOFWEEK, 0, 0))));
  int sunday = (7 - first) % 7;  // the column of Sunday when the week starts on `first` (0: Monday)
  int line = canvas.LineHeight() + canvas.Scale(3);
  WCHAR title[64] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, 0, &selected, u"MMMM yyyy", title, 64);
  RECT head{all.left, all.top, all.right, all.top + line};
  canvas.Fill(head, kSelection);
  canvas.Text(head, title, DT_SINGLELINE | DT_VCENTER | DT_CENTER, kSelectedText);
  canvas.Arrow(RECT{all.left + 2, head.top, all.left + line, head.bottom}, false, kSelectedText);
  canvas.Arrow(RECT{all.right - line, head.top, all.right - 2, head.bottom}, true, kSelectedText);
  int columnWidth = (all.right - all.left) / 7;
  static const char16_t* kDays = u"SMTWTFS";
  for (int c = 0; c < 7; ++c) {
    int weekday = (c - sunday + 7) % 7;
    RECT cell{all.left + c * columnWidth, head.bottom, all.left + (c + 1) * columnWidth, head.bottom + line};
    canvas.Text(cell, std::u16string_view(kDays + weekday, 1), DT_SINGLELINE | DT_VCENTER | DT_CENTER, kInk);
  }
  canvas.Fill(RECT{all.left, head.bottom + line - 1, all.right, head.bottom + line}, kFrame);
  int offset = (DayOfWeek(selected.wYear, selected.wMonth, 1) + sunday) % 7;
  for (int day = 1; day <= DaysIn(selected.wYear, selected.wMonth); ++day) {
    int slot = offset + day - 1;
    int top = head.bottom + line + (slot / 7) * line;
    RECT cell{all.left + (slot % 7) * columnWidth, top, all.left + (slot % 7 + 1) * columnWidth, top + line};
    bool chosen = day == selected.wDay;
    if (chosen) canvas.Fill(cell, kSelection);
    std::u16string number;
    if (day >= 10) number += static_cast<char16_t>(u'0' + day / 10);
    number += static_cast<char16_t>(u'0' + day % 10);
    canvas.Text(cell, number, DT_SINGLELINE | DT_VCENTER | DT_CENTER, chosen ? kSelectedText : kInk);
  }
}

}  // namespace platform::ui::paint
