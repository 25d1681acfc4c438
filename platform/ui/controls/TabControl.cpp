#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "platform/text/Text.h"
#include "platform/ui/Message.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/paint/Painters.h"

namespace platform::ui {

namespace {

// Room around a tab's label, and between its image and label.
constexpr int kTabPaddingX = 6;
constexpr int kTabPaddingY = 3;
constexpr int kImageGap = 3;
// The frame round the display area.
constexpr int kBorder = 2;
constexpr size_t kTextLimit = 32767;

struct Tab {
  std::u16string text;
  int image = -1;
  LPARAM param = 0;
  DWORD state = 0;
};

struct TabState : ControlState {
  std::vector<Tab> tabs;
  int current = -1;
  int focus = -1;
  HIMAGELIST images = nullptr;
};

struct TabControl {
  HWND window = nullptr;
  std::shared_ptr<WindowObject> object;
  TabState* state = nullptr;

  static TabControl Of(HWND window) {
    TabControl tab{window, WindowManager::Current().Find(window), nullptr};
    if (tab.object && IsClass(window, WC_TABCONTROLW)) tab.state = ControlStateOf<TabState>(window);
    return tab;
  }
  explicit operator bool() const { return state != nullptr; }
  int Count() const { return static_cast<int>(state->tabs.size()); }
  bool Valid(LONG_PTR index) const { return index >= 0 && index < Count(); }

  int TabHeight() const { return static_cast<int>(MeasureText(object->font, u"").cy) + 2 * kTabPaddingY; }

  int TabWidth(const Tab& tab) const {
    int width = static_cast<int>(MeasureText(object->font, tab.text).cx) + 2 * kTabPaddingX;
    int cx = 0;
    int cy = 0;
    if (tab.image >= 0 && state->images && ImageList_GetIconSize(state->images, &cx, &cy))
      width += cx + kImageGap;
    return width;
  }

  // Tabs sit in one row along the top (or the bottom with TCS_BOTTOM), left to right.
  RECT ItemRect(int index) const {
    RECT client{};
    GetClientRect(window, &client);
    int left = 0;
    for (int i = 0; i < index; ++i) left += TabWidth(state->tabs[static_cast<size_t>(i)]);
    int top = (object->style & TCS_BOTTOM) ? client.bottom - TabHeight() : 0;
    return RECT{left, top, left + TabWidth(state->tabs[static_cast<size_t>(index)]), top + TabHeight()};
  }
};

std::u16string TextOf(LPCWSTR text) {
  return std::u16string(TextView(text, kTextLimit));
}

void Assign(Tab& tab, const TCITEMW& item) {
  if (item.mask & TCIF_TEXT) tab.text = TextOf(item.pszText);
  if (item.mask & TCIF_IMAGE) tab.image = item.iImage;
  if (item.mask & TCIF_PARAM) tab.param = item.lParam;
  if (item.mask & TCIF_STATE) tab.state = (tab.state & ~item.dwStateMask) | (item.dwState & item.dwStateMask);
}

LRESULT InsertItem(TabControl& tab, WPARAM position, const TCITEMW* item) {
  auto at = static_cast<int>(position);
  if (!item || at < 0) return -1;
  at = std::min(at, tab.Count());
  Tab entry;
  Assign(entry, *item);
  tab.state->tabs.insert(tab.state->tabs.begin() + at, std::move(entry));
  // The first tab is the current one; later ones keep the current tab where it was.
  if (tab.state->current == -1 && tab.Count() == 1)
    tab.state->current = 0;
  else if (tab.state->current >= at)
    ++tab.state->current;
  if (tab.state->focus == -1 && tab.Count() == 1)
    tab.state->focus = 0;
  else if (tab.state->focus >= at)
    ++tab.state->focus;
  return at;
}

LRESULT GetItem(TabControl& tab, WPARAM position, TCITEMW* item) {
  if (!item || !tab.Valid(static_cast<LONG_PTR>(position))) return FALSE;
  const Tab& entry = tab.state->tabs[position];
  if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
    BoundedCopy(item->pszText, static_cast<size_t>(item->cchTextMax), entry.text);
  }
  if (item->mask & TCIF_IMAGE) item->iImage = entry.image;
  if (item->mask & TCIF_PARAM) item->lParam = entry.param;
  if (item->mask & TCIF_STATE) item->dwState = entry.state & item->dwStateMask;
  return TRUE;
}

LRESULT DeleteItem(TabControl& tab, WPARAM position) {
  auto at = static_cast<int>(position);
  if (!tab.Valid(at)) return FALSE;
  tab.state->tabs.erase(tab.state->tabs.begin() + at);
  // Deleting the current tab leaves none current.
  for (int* index : {&tab.state->current, &tab.state->focus}) {
    if (*index == at)
      *index = -1;
    else if (*index > at)
      --*index;
  }
  return TRUE;
}

LRESULT AdjustRect(TabControl& tab, WPARAM larger, RECT* rect) {
  if (!rect) return 0;
  int tabs = tab.Count() > 0 ? tab.TabHeight() : 0;
  bool bottom = tab.object->style & TCS_BOTTOM;
  int sign = larger ? -1 : 1;
  // The display area lies inside the border, beside the row of tabs.
  rect->left += sign * kBorder;
  rect->right -= sign * kBorder;
  rect->top += sign * (kBorder + (bottom ? 0 : tabs));
  rect->bottom -= sign * (kBorder + (bottom ? tabs : 0));
  return 0;
}

void Describe(TabControl& tab, std::u16string* text) {
  if (!text) return;
  *text += u" sel=" + FromUtf8(std::to_string(tab.state->current));
  *text += u" tabs=" + FromUtf8(std::to_string(tab.Count()));
  if (tab.Valid(tab.state->current))
    *text += u" \"" + tab.state->tabs[static_cast<size_t>(tab.state->current)].text + u"\"";
}

LRESULT TabProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TabControl tab = TabControl::Of(window);
  if (!tab) return DefWindowProcW(window, message, wParam, lParam);
  TabState& state = *tab.state;
  switch (message) {
    case TCM_INSERTITEMW:
      return InsertItem(tab, wParam, reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_SETITEMW: {
      auto* item = reinterpret_cast<const TCITEMW*>(lParam);
      if (!item || !tab.Valid(static_cast<LONG_PTR>(wParam))) return FALSE;
      Assign(state.tabs[wParam], *item);
      return TRUE;
    }
    case TCM_GETITEMW:
      return GetItem(tab, wParam, reinterpret_cast<TCITEMW*>(lParam));
    case TCM_DELETEITEM:
      return DeleteItem(tab, wParam);
    case TCM_DELETEALLITEMS:
      state.tabs.clear();
      state.current = state.focus = -1;
      return TRUE;
    case TCM_GETITEMCOUNT:
      return tab.Count();
    case TCM_GETCURSEL:
      return state.current;
    case TCM_SETCURSEL: {
      // The program's choice: no notification.
      if (!tab.Valid(static_cast<LONG_PTR>(wParam))) return -1;
      int old = state.current;
      state.current = state.focus = static_cast<int>(wParam);
      return old;
    }
    case TCM_GETCURFOCUS:
      return state.focus;
    case TCM_SETCURFOCUS:
      if (!tab.Valid(static_cast<LONG_PTR>(wParam))) return 0;
      state.focus = static_cast<int>(wParam);
      return 0;
    case TCM_GETROWCOUNT:
      return tab.Count() > 0 ? 1 : 0;
    case TCM_SETIMAGELIST: {
      HIMAGELIST old = state.images;
      state.images = reinterpret_cast<HIMAGELIST>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case TCM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(state.images);
    case TCM_ADJUSTRECT:
      return AdjustRect(tab, wParam, reinterpret_cast<RECT*>(lParam));
    case TCM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (!rect || !tab.Valid(static_cast<LONG_PTR>(wParam))) return FALSE;
      *rect = tab.ItemRect(static_cast<int>(wParam));
      return TRUE;
    }
    case WM_LBUTTONDOWN: {
      POINT point{static_cast<SHORT>(LOWORD(static_cast<uintptr_t>(lParam))),
                  static_cast<SHORT>(HIWORD(static_cast<uintptr_t>(lParam)))};
      for (int i = 0; i < tab.Count(); ++i) {
        RECT rect = tab.ItemRect(i);
        if (PtInRect(&rect, point)) {
          platform::UserSelectTab(window, i);
          break;
        }
      }
      return 0;
    }
    case WM_PAINT:
      paint::PaintTabControl(window);
      return 0;
    case WM_EMU_DESCRIBE:
      Describe(tab, reinterpret_cast<std::u16string*>(lParam));
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RegisterTabControl() {
  RegisterSystemClass(WC_TABCONTROLW, TabProc);
}

}  // namespace platform::ui

namespace platform {

bool UserSelectTab(HWND window, int index) {
  ui::TabControl tab = ui::TabControl::Of(window);
  if (!tab || !tab.Valid(index) || !IsWindowEnabled(window)) return false;
  if (tab.state->current == index) return false;
  NMHDR header{};
  if (ui::NotifyParent(window, TCN_SELCHANGING, &header)) return false;
  if (!tab.Valid(index)) return false;
  tab.state->current = tab.state->focus = index;
  NMHDR changed{};
  ui::NotifyParent(window, TCN_SELCHANGE, &changed);
  return true;
}

}  // namespace platform
