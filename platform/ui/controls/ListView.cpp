#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/ListViewState.h"
#include "platform/ui/paint/Painters.h"
#include "platform/ui/shell/Shell.h"

namespace platform::ui {

namespace {

using namespace listview;

LRESULT InsertItem(ListView& list, const LVITEMW* info) {
  if (!info || info->iSubItem != 0 || info->iItem < 0) return -1;
  std::u16string text = info->mask & LVIF_TEXT ? TextOf(info->pszText) : std::u16string();
  int index = std::min(info->iItem, list.Count());
  if (list.Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) index = list.SortedPosition(text);
  Item item;
  item.texts.reserve(std::max<size_t>(1, list.state->columns.size()));
  item.texts[0] = std::move(text);
  if (info->mask & LVIF_IMAGE) item.image = info->iImage;
  if (info->mask & LVIF_PARAM) item.param = info->lParam;
  if (info->mask & LVIF_INDENT) item.indent = info->iIndent;
  UINT bits = info->mask & LVIF_STATE ? info->state & info->stateMask : 0;
  item.state = list.DefaultCheck(bits);
  list.state->items.insert(list.state->items.begin() + index, std::move(item));
  if (list.state->selectionMark >= index) ++list.state->selectionMark;
  UINT others =
      ((bits & LVIS_SELECTED) && (list.Style() & LVS_SINGLESEL) ? LVIS_SELECTED : 0) | (bits & LVIS_FOCUSED);
  if (others) list.ClearOthers(index, others);
  list.Notify(LVN_INSERTITEM, index, 0, 0, 0);
  return index;
}

LRESULT SetItem(ListView& list, const LVITEMW* info) {
  if (!info || !list.Valid(info->iItem) || info->iSubItem < 0) return FALSE;
  Item& item = list.At(info->iItem);
  if (info->iSubItem > 0) {
    if (static_cast<size_t>(info->iSubItem) >= list.state->columns.size()) return FALSE;
    if (info->mask & LVIF_TEXT) SetText(item, static_cast<size_t>(info->iSubItem), TextOf(info->pszText));
    return TRUE;
  }
  if (info->mask & LVIF_TEXT) item.texts[0] = TextOf(info->pszText);
  if (info->mask & LVIF_IMAGE) item.image = info->iImage;
  if (info->mask & LVIF_PARAM) item.param = info->lParam;
  if (info->mask & LVIF_INDENT) item.indent = info->iIndent;
  if (info->mask & LVIF_STATE)
    return list.ChangeState(info->iItem, info->state, info->stateMask) ? TRUE : FALSE;
  return TRUE;
}

LRESULT GetItem(ListView& list, LVITEMW* info) {
  if (!info || !list.Valid(info->iItem) || info->iSubItem < 0) return FALSE;
  const Item& item = list.At(info->iItem);
  if ((info->mask & LVIF_TEXT) && info->pszText && info->cchTextMax > 0) {
    BoundedCopy(info->pszText, static_cast<size_t>(info->cchTextMax),
                TextAt(item, static_cast<size_t>(info->iSubItem)));
  }
  if (info->mask & LVIF_IMAGE) info->iImage = item.image;
  if (info->mask & LVIF_PARAM) info->lParam = item.param;
  if (info->mask & LVIF_INDENT) info->iIndent = item.indent;
  if (info->mask & LVIF_STATE) info->state = item.state & info->stateMask;
  return TRUE;
}

LRESULT GetItemText(ListView& list, WPARAM index, LVITEMW* info) {
  if (!info || !list.Valid(static_cast<LONG_PTR>(index)) || info->iSubItem < 0) return 0;
  if (!info->pszText || info->cchTextMax <= 0) return 0;
  const std::u16string& text =
      TextAt(list.At(static_cast<LONG_PTR>(index)), static_cast<size_t>(info->iSubItem));
  return static_cast<LRESULT>(BoundedCopy(info->pszText, static_cast<size_t>(info->cchTextMax), text));
}

LRESULT SetItemText(ListView& list, WPARAM index, const LVITEMW* info) {
  if (!info || !list.Valid(static_cast<LONG_PTR>(index)) || info->iSubItem < 0) return FALSE;
  // A subitem needs its column.
  if (info->iSubItem > 0 && static_cast<size_t>(info->iSubItem) >= list.state->columns.size()) return FALSE;
  SetText(list.At(static_cast<LONG_PTR>(index)), static_cast<size_t>(info->iSubItem), TextOf(info->pszText));
  return TRUE;
}

LRESULT DeleteItem(ListView& list, WPARAM index) {
  auto at = static_cast<int>(index);
  if (!list.Valid(at)) return FALSE;
  list.Notify(LVN_DELETEITEM, at, 0, 0, 0);
  if (!list.Valid(at)) return FALSE;
  list.state->items.erase(list.state->items.begin() + at);
  int& mark = list.state->selectionMark;
  if (mark == at) mark = -1;
  if (mark > at) --mark;
  list.state->top = std::clamp(list.state->top, 0, std::max(0, list.Count() - 1));
  return TRUE;
}

LRESULT DeleteAllItems(ListView& list) {
  // A parent that answers TRUE to LVN_DELETEALLITEMS does not want LVN_DELETEITEM for each item.
  if (!list.Notify(LVN_DELETEALLITEMS, -1, 0, 0, 0)) {
    for (int i = 0; i < list.Count(); ++i) list.Notify(LVN_DELETEITEM, i, 0, 0, 0);
  }
  list.state->items.clear();
  list.state->top = 0;
  list.state->selectionMark = -1;
  return TRUE;
}

LRESULT NextItem(ListView& list, WPARAM start, LPARAM flags) {
  int from = static_cast<int>(start);
  if (from < -1 || from >= list.Count()) return -1;
  UINT wanted = 0;
  if (flags & LVNI_SELECTED) wanted |= LVIS_SELECTED;
  if (flags & LVNI_FOCUSED) wanted |= LVIS_FOCUSED;
  if (flags & LVNI_CUT) wanted |= LVIS_CUT;
  if (flags & LVNI_DROPHILITED) wanted |= LVIS_DROPHILITED;
  int step = flags & LVNI_ABOVE ? -1 : 1;
  if (step < 0 && from == -1) return -1;
  for (int i = from + step; i >= 0 && i < list.Count(); i += step) {
    if ((list.At(i).state & wanted) == wanted) return i;
  }
  return -1;
}

LRESULT FindItem(ListView& list, WPARAM start, const LVFINDINFOW* find) {
  int from = static_cast<int>(start);
  if (!find || from < -1 || from >= list.Count()) return -1;
  if (!(find->flags & LVFI_PARAM) && (!(find->flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->psz)) return -1;
  std::u16string wanted = FoldCase(TextView(find->psz, kTextLimit));
  auto matches = [&](const Item& item) {
    if (find->flags & LVFI_PARAM) return item.param == find->lParam;
    std::u16string label = FoldCase(item.texts[0]);
    if (find->flags & LVFI_PARTIAL) return label.compare(0, wanted.size(), wanted) == 0;
    return label == wanted;
  };
  int count = list.Count();
  int steps = find->flags & LVFI_WRAP ? count : count - (from + 1);
  for (int step = 0; step < steps; ++step) {
    int i = (from + 1 + step) % count;
    if (matches(list.At(i))) return i;
  }
  return -1;
}

LRESULT InsertColumn(ListView& list, WPARAM position, const LVCOLUMNW* info) {
  auto at = static_cast<int>(position);
  if (!info || at < 0) return -1;
  auto& columns = list.state->columns;
  at = std::min(at, static_cast<int>(columns.size()));
  Column column;
  column.subItem = at;
  column.order = at;
  if (info->mask & LVCF_FMT) column.format = info->fmt;
  if (info->mask & LVCF_WIDTH) column.width = info->cx;
  if (info->mask & LVCF_TEXT) column.text = TextOf(info->pszText);
  if (info->mask & LVCF_SUBITEM) column.subItem = info->iSubItem;
  if (info->mask & LVCF_IMAGE) column.image = info->iImage;
  if (info->mask & LVCF_ORDER) column.order = info->iOrder;
  // The subitems of the columns after a new one move along with their columns.
  if (at > 0 && static_cast<size_t>(at) < columns.size()) {
    for (Item& item : list.state->items) {
      if (item.texts.size() > static_cast<size_t>(at))
        item.texts.insert(item.texts.begin() + at, std::u16string());
    }
  }
  columns.insert(columns.begin() + at, std::move(column));
  return at;
}

LRESULT DeleteColumn(ListView& list, WPARAM position) {
  auto& columns = list.state->columns;
  if (position >= columns.size()) return FALSE;
  columns.erase(columns.begin() + static_cast<ptrdiff_t>(position));
  if (position > 0) {
    for (Item& item : list.state->items) {
      if (item.texts.size() > position)
        item.texts.erase(item.texts.begin() + static_cast<ptrdiff_t>(position));
    }
  }
  return TRUE;
}

LRESULT GetColumn(ListView& list, WPARAM position, LVCOLUMNW* info) {
  if (!info || position >= list.state->columns.size()) return FALSE;
  const Column& column = list.state->columns[position];
  if (info->mask & LVCF_FMT) info->fmt = column.format;
  if (info->mask & LVCF_WIDTH) info->cx = column.width;
  if ((info->mask & LVCF_TEXT) && info->pszText && info->cchTextMax > 0) {
    BoundedCopy(info->pszText, static_cast<size_t>(info->cchTextMax), column.text);
  }
  if (info->mask & LVCF_SUBITEM) info->iSubItem = column.subItem;
  if (info->mask & LVCF_IMAGE) info->iImage = column.image;
  if (info->mask & LVCF_ORDER) info->iOrder = column.order;
  return TRUE;
}

LRESULT SetColumn(ListView& list, WPARAM position, const LVCOLUMNW* info) {
  if (!info || position >= list.state->columns.size()) return FALSE;
  Column& column = list.state->columns[position];
  if (info->mask & LVCF_FMT) column.format = info->fmt;
  if (info->mask & LVCF_WIDTH) column.width = info->cx;
  if (info->mask & LVCF_TEXT) column.text = TextOf(info->pszText);
  if (info->mask & LVCF_SUBITEM) column.subItem = info->iSubItem;
  if (info->mask & LVCF_IMAGE) column.image = info->iImage;
  if (info->mask & LVCF_ORDER) column.order = info->iOrder;
  return TRUE;
}

LRESULT SetColumnWidth(ListView& list, WPARAM position, LPARAM width) {
  if (position >= list.state->columns.size()) return FALSE;
  auto cx = static_cast<int>(static_cast<SHORT>(LOWORD(static_cast<uintptr_t>(width))));
  Column& column = list.state->columns[position];
  if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
    int widest = 0;
    for (const Item& item : list.state->items) {
      widest = std::max(widest, static_cast<int>(MeasureText(list.object->font, TextAt(item, position)).cx));
    }
    if (cx == LVSCW_AUTOSIZE_USEHEADER) {
      widest = std::max(widest, static_cast<int>(MeasureText(list.object->font, column.text).cx));
    }
    cx = widest + kColumnPadding;
  }
  column.width = std::max(0, cx);
  return TRUE;
}

LRESULT SetExtendedStyle(ListView& list, WPARAM mask, LPARAM style) {
  DWORD old = list.state->exStyle;
  DWORD change = mask ? static_cast<DWORD>(mask) : 0xFFFFFFFF;
  list.state->exStyle = (old & ~change) | (static_cast<DWORD>(style) & change);
  bool checks = list.state->exStyle & LVS_EX_CHECKBOXES;
  if (checks != static_cast<bool>(old & LVS_EX_CHECKBOXES)) {
    for (Item& item : list.state->items) {
      item.state = checks ? list.DefaultCheck(item.state) : item.state & ~LVIS_STATEIMAGEMASK;
    }
  }
  return static_cast<LRESULT>(old);
}

LRESULT SortItems(ListView& list, WPARAM sortParam, LPARAM compareProc) {
  auto compare = reinterpret_cast<PFNLVCOMPARE>(compareProc);
  if (!compare) return FALSE;
  // The callback sorts a copy, so that nothing it does to the control meanwhile can upset the sort.
  std::vector<Item> items = list.state->items;
  std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
    return compare(a.param, b.param, static_cast<LPARAM>(sortParam)) < 0;
  });
  if (items.size() != list.state->items.size()) return FALSE;
  list.state->items = std::move(items);
  return TRUE;
}

LRESULT EnsureVisible(ListView& list, WPARAM index) {
  auto at = static_cast<int>(index);
  if (!list.Valid(at)) return FALSE;
  if (!list.Rows()) return TRUE;
  int page = std::max(1, list.CountPerPage());
  int& top = list.state->top;
  if (at < top) top = at;
  if (at >= top + page) top = at - page + 1;
  return TRUE;
}

LRESULT ItemRect(ListView& list, WPARAM index, RECT* rect) {
  if (!rect || !list.Valid(static_cast<LONG_PTR>(index))) return FALSE;
  RECT client{};
  GetClientRect(list.window, &client);
  int width = 0;
  for (const Column& column : list.state->columns) width += column.width;
  LONG top = list.HeaderHeight() + (static_cast<int>(index) - list.state->top) * list.RowHeight();
  *rect = RECT{0, top, (list.state->columns.empty() ? client.right : width), top + list.RowHeight()};
  return TRUE;
}

LRESULT SetImageList(ListView& list, WPARAM kind, LPARAM images) {
  if (kind >= list.state->images.size()) return 0;
  HIMAGELIST old = list.state->images[kind];
  list.state->images[kind] = reinterpret_cast<HIMAGELIST>(images);
  return reinterpret_cast<LRESULT>(old);
}

// Custom draw of one item: the item stage, then in report view one stage per column when the parent
// asks for it. Each column starts from the colours and font the item stage left.
void PaintItem(ListView& list, HDC dc, HFONT listFont, LRESULT whole, int index,
               std::vector<ListViewDrawnText>& drawn) {
  Item item = list.At(index);  // a copy: the parent may change the list while it is asked
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
  draw.nmcd.hdc = dc;
  ItemRect(list, static_cast<WPARAM>(index), &draw.nmcd.rc);
  draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(index);
  draw.nmcd.uItemState =
      (item.state & LVIS_SELECTED ? CDIS_SELECTED : 0) | (item.state & LVIS_FOCUSED ? CDIS_FOCUS : 0);
  draw.nmcd.lItemlParam = item.param;
  draw.clrText = list.state->text;
  draw.clrTextBk = list.state->textBackground;
  SelectObject(dc, listFont);
  LRESULT answer = whole & CDRF_NOTIFYITEMDRAW ? NotifyParent(list.window, NM_CUSTOMDRAW, &draw.nmcd.hdr) : 0;
  if ((answer & CDRF_SKIPDEFAULT) || !IsWindow(list.window)) return;
  HFONT itemFont = answer & CDRF_NEWFONT ? static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT)) : listFont;
  bool report = (list.Style() & LVS_TYPEMASK) == LVS_REPORT;
  size_t columns = report ? std::max<size_t>(1, list.state->columns.size()) : 1;
  LONG left = 0;
  for (size_t column = 0; column < columns; ++column) {
    ListViewDrawnText text{index,        static_cast<int>(column), TextAt(item, column),
                           draw.clrText, draw.clrTextBk,           itemFont};
    if (report && (answer & CDRF_NOTIFYSUBITEMDRAW)) {
      NMLVCUSTOMDRAW sub = draw;
      sub.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
      sub.iSubItem = static_cast<int>(column);
      if (column < list.state->columns.size()) {
        sub.nmcd.rc.left = left;
        sub.nmcd.rc.right = left + list.state->columns[column].width;
        left = sub.nmcd.rc.right;
      }
      SelectObject(dc, itemFont);
      LRESULT subAnswer = NotifyParent(list.window, NM_CUSTOMDRAW, &sub.nmcd.hdr);
      if (!IsWindow(list.window)) return;
      if (subAnswer & CDRF_SKIPDEFAULT) continue;
      text.color = sub.clrText;
      text.background = sub.clrTextBk;
      if (subAnswer & CDRF_NEWFONT) text.font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    }
    drawn.push_back(std::move(text));
  }
  if (answer & CDRF_NOTIFYPOSTPAINT) {
    draw.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
    NotifyParent(list.window, NM_CUSTOMDRAW, &draw.nmcd.hdr);
  }
}

std::vector<ListViewDrawnText> Paint(ListView& list) {
  std::vector<ListViewDrawnText> drawn;
  HDC dc = GetDC(list.window);
  // A list without a font of its own draws in the system font.
  HFONT listFont = list.object->font ? list.object->font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  HGDIOBJ oldFont = SelectObject(dc, listFont);
  NMLVCUSTOMDRAW draw{};
  draw.nmcd.dwDrawStage = CDDS_PREPAINT;
  draw.nmcd.hdc = dc;
  GetClientRect(list.window, &draw.nmcd.rc);
  LRESULT whole = NotifyParent(list.window, NM_CUSTOMDRAW, &draw.nmcd.hdr);
  if (!(whole & CDRF_SKIPDEFAULT)) {
    int first = list.Rows() ? list.state->top : 0;
    int last = list.Rows() ? first + list.CountPerPage() : list.Count();
    for (int index = first; index < last && IsWindow(list.window) && list.Valid(index); ++index) {
      PaintItem(list, dc, listFont, whole, index, drawn);
    }
  }
  if ((whole & CDRF_NOTIFYPOSTPAINT) && IsWindow(list.window)) {
    draw.nmcd.dwDrawStage = CDDS_POSTPAINT;
    NotifyParent(list.window, NM_CUSTOMDRAW, &draw.nmcd.hdr);
  }
  SelectObject(dc, oldFont);
  ReleaseDC(list.window, dc);
  return drawn;
}

void Describe(ListView& list, std::u16string* text) {
  if (!text) return;
  int selected = 0;
  for (const Item& item : list.state->items) selected += item.state & LVIS_SELECTED ? 1 : 0;
  *text += u" items=" + FromUtf8(std::to_string(list.Count()));
  *text += u" cols=" + FromUtf8(std::to_string(list.state->columns.size()));
  int current = static_cast<int>(NextItem(list, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected == 1) *text += u" sel=" + FromUtf8(std::to_string(current));
  if (selected > 1) *text += u" selected=" + FromUtf8(std::to_string(selected));
}

LRESULT ListViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ListView list = ListView::Of(window);
  if (!list) return DefWindowProcW(window, message, wParam, lParam);
  ListViewState& state = *list.state;
  switch (message) {
    case LVM_INSERTITEMW:
      return InsertItem(list, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_SETITEMW:
      return SetItem(list, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMW:
      return GetItem(list, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMTEXTW:
      return SetItemText(list, wParam, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMTEXTW:
      return GetItemText(list, wParam, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_DELETEITEM:
      return DeleteItem(list, wParam);
    case LVM_DELETEALLITEMS:
      return DeleteAllItems(list);
    case LVM_GETITEMCOUNT:
      return list.Count();
    case LVM_SETITEMSTATE: {
      auto* info = reinterpret_cast<const LVITEMW*>(lParam);
      if (!info) return FALSE;
      return list.SetState(wParam, info->state, info->stateMask) ? TRUE : FALSE;
    }
    case LVM_GETITEMSTATE:
      return list.Valid(static_cast<LONG_PTR>(wParam)) ? list.At(static_cast<LONG_PTR>(wParam)).state & lParam
                                                       : 0;
    case LVM_GETNEXTITEM:
      return NextItem(list, wParam, lParam);
    case LVM_GETSELECTEDCOUNT:
      return std::count_if(state.items.begin(), state.items.end(),
                           [](const Item& item) { return item.state & LVIS_SELECTED; });
    case LVM_FINDITEMW:
      return FindItem(list, wParam, reinterpret_cast<const LVFINDINFOW*>(lParam));
    case LVM_INSERTCOLUMNW:
      return InsertColumn(list, wParam, reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_DELETECOLUMN:
      return DeleteColumn(list, wParam);
    case LVM_GETCOLUMNW:
      return GetColumn(list, wParam, reinterpret_cast<LVCOLUMNW*>(lParam));
    case LVM_SETCOLUMNW:
      return SetColumn(list, wParam, reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_SETCOLUMNWIDTH:
      return SetColumnWidth(list, wParam, lParam);
    case LVM_GETCOLUMNWIDTH:
      return wParam < state.columns.size() ? state.columns[wParam].width : 0;
    case LVM_SETIMAGELIST:
      return SetImageList(list, wParam, lParam);
    case LVM_GETIMAGELIST:
      return wParam < state.images.size() ? reinterpret_cast<LRESULT>(state.images[wParam]) : 0;
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      return SetExtendedStyle(list, wParam, lParam);
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
      return static_cast<LRESULT>(state.exStyle);
    case LVM_GETSTRINGWIDTHW:
      if (!lParam) return 0;
      return MeasureText(list.object->font, TextView(reinterpret_cast<LPCWSTR>(lParam), kTextLimit)).cx;
    case LVM_ENSUREVISIBLE:
      return EnsureVisible(list, wParam);
    case LVM_SETITEMCOUNT:
      if (list.Style() & LVS_OWNERDATA) {
        state.items.resize(wParam);
      } else {
        state.items.reserve(wParam);
      }
      return TRUE;
    case LVM_SORTITEMS:
      return SortItems(list, wParam, lParam);
    case LVM_GETTOPINDEX:
      return list.Rows() ? state.top : 0;
    case LVM_GETCOUNTPERPAGE:
      return list.CountPerPage();
    case LVM_GETITEMRECT:
      return ItemRect(list, wParam, reinterpret_cast<RECT*>(lParam));
    case LVM_SETBKCOLOR:
      state.background = static_cast<COLORREF>(lParam);
      return TRUE;
    case LVM_GETBKCOLOR:
      return static_cast<LRESULT>(state.background);
    case LVM_SETTEXTCOLOR:
      state.text = static_cast<COLORREF>(lParam);
      return TRUE;
    case LVM_GETTEXTCOLOR:
      return static_cast<LRESULT>(state.text);
    case LVM_SETTEXTBKCOLOR:
      state.textBackground = static_cast<COLORREF>(lParam);
      return TRUE;
    case LVM_GETTEXTBKCOLOR:
      return static_cast<LRESULT>(state.textBackground);
    case LVM_GETSELECTIONMARK:
      return state.selectionMark;
    case LVM_SETSELECTIONMARK: {
      int old = state.selectionMark;
      state.selectionMark = list.Valid(lParam) ? static_cast<int>(lParam) : -1;
      return old;
    }
    case WM_LBUTTONDOWN: {
      int y = static_cast<SHORT>(HIWORD(static_cast<uintptr_t>(lParam))) - list.HeaderHeight();
      int row = y < 0 ? -1 : state.top + y / list.RowHeight();
      if (list.Valid(row)) {
        platform::UserClickListViewItem(window, row);
        return 0;
      }
      list.NotifyClick(NM_CLICK, -1);
      return 0;
    }
    case WM_PAINT:
      paint::PaintListViewWindow(window);
      return 0;
    case WM_EMU_DESCRIBE:
      Describe(list, reinterpret_cast<std::u16string*>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterListView() {
  RegisterSystemClass(WC_LISTVIEWW, ListViewProc);
}

}  // namespace platform::ui

namespace platform {

using ui::listview::ListView;

namespace {

// The tap's selection: the item alone selected and focused, then NM_CLICK.
bool SelectByTap(HWND list, int index) {
  ListView view = ListView::Of(list);
  if (!view || !view.Valid(index) || !IsWindowEnabled(list)) return false;
  // A plain tap leaves one item selected and focused: the others lose their state first.
  for (int i = 0; i < view.Count(); ++i) {
    if (i != index && (view.At(i).state & ui::listview::kSelectionBits))
      view.ChangeState(i, 0, ui::listview::kSelectionBits);
  }
  bool selected = view.ChangeState(index, ui::listview::kSelectionBits, ui::listview::kSelectionBits);
  if (selected) view.state->selectionMark = index;
  view.NotifyClick(NM_CLICK, index);
  return selected;
}

}  // namespace

bool UserClickListViewItem(HWND list, int index) {
  if (!SelectByTap(list, index)) return false;
  ListView view = ListView::Of(list);
  if (view && view.Valid(index) && (view.state->exStyle & LVS_EX_ONECLICKACTIVATE))
    view.NotifyClick(LVN_ITEMACTIVATE, index);
  return true;
}

bool UserTapAndHoldListViewItem(HWND list, int index) {
  if (!SelectByTap(list, index)) return false;
  RECT row{};
  ListView_GetItemRect(list, index, &row, LVIR_BOUNDS);
  NMRGINFO info{};
  info.ptAction = POINT{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
  ClientToScreen(list, &info.ptAction);
  info.dwItemSpec = static_cast<DWORD>(index);
  ui::NotifyParent(list, GN_CONTEXTMENU, &info.hdr);
  return true;
}

bool UserDoubleClickListViewItem(HWND list, int index) {
  if (!SelectByTap(list, index)) return false;
  ListView view = ListView::Of(list);
  if (!view || !view.Valid(index)) return false;
  view.NotifyClick(NM_DBLCLK, index);
  if (view.Valid(index)) view.NotifyClick(LVN_ITEMACTIVATE, index);
  return true;
}

std::vector<ListViewDrawnText> PaintListView(HWND list) {
  ListView view = ListView::Of(list);
  if (!view) return {};
  return ui::Paint(view);
}

bool UserSetListViewCheck(HWND list, int index, bool checked) {
  ListView view = ListView::Of(list);
  if (!view || !view.Valid(index) || !IsWindowEnabled(list)) return false;
  if (!(view.state->exStyle & LVS_EX_CHECKBOXES)) return false;
  UINT wanted = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  if ((view.At(index).state & LVIS_STATEIMAGEMASK) == wanted) return true;
  bool changed = view.ChangeState(index, wanted, LVIS_STATEIMAGEMASK);
  view.NotifyClick(NM_CLICK, index);
  return changed;
}

bool UserClickListViewColumn(HWND list, int column) {
  ListView view = ListView::Of(list);
  if (!view || !IsWindowEnabled(list) || view.HeaderHeight() == 0) return false;
  if (column < 0 || static_cast<size_t>(column) >= view.state->columns.size()) return false;
  NMLISTVIEW info{};
  info.iItem = -1;
  info.iSubItem = column;
  ui::NotifyParent(list, LVN_COLUMNCLICK, &info.hdr);
  return true;
}

}  // namespace platform
