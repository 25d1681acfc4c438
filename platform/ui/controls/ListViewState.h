#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/ListViewTypes.h"

// What a list view keeps, and the item-state changes with their notifications. Private to the list
// view's sources.

namespace platform::ui::listview {

// Rows and the column header are this high at 96 dpi, whatever the font.
inline constexpr int kRowHeight = 16;
// Room left beside the text of a column sized to fit (LVSCW_AUTOSIZE).
inline constexpr int kColumnPadding = 12;
inline constexpr UINT kSelectionBits = LVIS_SELECTED | LVIS_FOCUSED;
inline constexpr COLORREF kWindowColor = RGB(255, 255, 255);
inline constexpr COLORREF kWindowTextColor = RGB(0, 0, 0);
inline constexpr size_t kTextLimit = 32767;

struct Item {
  std::vector<std::u16string> texts{std::u16string()};  // [0] the label, then the subitems
  UINT state = 0;
  int image = 0;
  LPARAM param = 0;
  int indent = 0;
};

struct Column {
  int format = LVCFMT_LEFT;
  int width = 0;
  std::u16string text;
  int subItem = 0;
  int image = 0;
  int order = 0;
};

struct ListViewState : ControlState {
  std::vector<Item> items;
  std::vector<Column> columns;
  DWORD exStyle = 0;
  std::array<HIMAGELIST, 3> images{};
  COLORREF background = kWindowColor;
  COLORREF text = kWindowTextColor;
  COLORREF textBackground = kWindowColor;
  int top = 0;
  int selectionMark = -1;
};

// The window and its state, held for the length of a call: the window object stays alive even when
// a notification's handler destroys the control.
struct ListView {
  HWND window = nullptr;
  std::shared_ptr<WindowObject> object;
  ListViewState* state = nullptr;

  static ListView Of(HWND window) {
    ListView list{window, WindowManager::Current().Find(window), nullptr};
    if (!list.object) return list;
    // The state once made says what the window is; the class name is looked at only the first time.
    list.state = dynamic_cast<ListViewState*>(list.object->control.get());
    if (!list.state && !list.object->control && IsClass(window, WC_LISTVIEWW)) {
      list.object->control = std::make_unique<ListViewState>();
      list.state = static_cast<ListViewState*>(list.object->control.get());
    }
    return list;
  }
  explicit operator bool() const { return state != nullptr; }

  DWORD Style() const { return object->style; }
  bool Valid(LONG_PTR index) const { return index >= 0 && index < Count(); }
  int Count() const { return static_cast<int>(state->items.size()); }
  Item& At(LONG_PTR index) { return state->items[static_cast<size_t>(index)]; }
  int RowHeight() const { return kRowHeight * ScreenDpiY() / 96; }
  int HeaderHeight() const {
    return (Style() & LVS_TYPEMASK) == LVS_REPORT && !(Style() & LVS_NOCOLUMNHEADER) ? RowHeight() : 0;
  }
  bool Rows() const {
    DWORD view = Style() & LVS_TYPEMASK;
    return view == LVS_REPORT || view == LVS_LIST;
  }
  int CountPerPage() const {
    if (!Rows()) return Count();
    RECT client{};
    GetClientRect(window, &client);
    return std::max(0, static_cast<int>(client.bottom - client.top - HeaderHeight()) / RowHeight());
  }

  LRESULT Notify(UINT code, int index, UINT newState, UINT oldState, UINT changed) {
    NMLISTVIEW info{};
    info.iItem = index;
    info.uNewState = newState;
    info.uOldState = oldState;
    info.uChanged = changed;
    info.lParam = Valid(index) ? At(index).param : 0;
    return NotifyParent(window, code, &info.hdr);
  }

  void NotifyClick(UINT code, int index) {
    NMITEMACTIVATE info{};
    info.iItem = index;
    if (Valid(index)) {
      info.uNewState = At(index).state;
      info.lParam = At(index).param;
      info.ptAction = POINT{1, HeaderHeight() + (index - state->top) * RowHeight() + RowHeight() / 2};
    }
    NotifyParent(window, code, &info.hdr);
  }

  // Changes the state bits of `mask` of one item with LVN_ITEMCHANGING (which may veto) and
  // LVN_ITEMCHANGED; a selection takes the others' away in single-selection lists, and the focus
  // leaves the item that had it. False when vetoed or the item went meanwhile.
  bool ChangeState(int index, UINT bits, UINT mask) {
    if (!Valid(index)) return false;
    UINT old = At(index).state;
    UINT wanted = (old & ~mask) | (bits & mask);
    if (wanted == old) return true;
    if (Notify(LVN_ITEMCHANGING, index, wanted, old, LVIF_STATE)) return false;
    if (!Valid(index)) return false;
    bool selecting = (wanted & LVIS_SELECTED) && !(old & LVIS_SELECTED);
    bool focusing = (wanted & LVIS_FOCUSED) && !(old & LVIS_FOCUSED);
    UINT others =
        (selecting && (Style() & LVS_SINGLESEL) ? LVIS_SELECTED : 0) | (focusing ? LVIS_FOCUSED : 0);
    if (others) ClearOthers(index, others);
    if (!Valid(index)) return false;
    old = At(index).state;
    wanted = (old & ~mask) | (bits & mask);
    At(index).state = wanted;
    Notify(LVN_ITEMCHANGED, index, wanted, old, LVIF_STATE);
    return true;
  }

  void ClearOthers(int keep, UINT bits) {
    for (int i = 0; i < Count(); ++i) {
      if (i != keep && (At(i).state & bits)) ChangeState(i, 0, bits);
    }
  }

  bool SetState(WPARAM index, UINT bits, UINT mask) {
    if (static_cast<int>(index) != -1) return ChangeState(static_cast<int>(index), bits, mask);
    // Every item at once: neither selecting all in a single-selection list nor focusing all.
    if ((bits & mask & LVIS_SELECTED) && (Style() & LVS_SINGLESEL)) return false;
    if (bits & mask & LVIS_FOCUSED) return false;
    bool all = true;
    for (int i = 0; i < Count(); ++i) all = ChangeState(i, bits, mask) && all;
    return all;
  }

  int SortedPosition(std::u16string_view text) const {
    bool descending = Style() & LVS_SORTDESCENDING;
    auto before = [&](const Item& item) {
      int order = CompareNoCase(item.texts[0], text);
      return descending ? order >= 0 : order <= 0;
    };
    auto at = std::partition_point(state->items.begin(), state->items.end(), before);
    return static_cast<int>(at - state->items.begin());
  }

  UINT DefaultCheck(UINT bits) const {
    if ((state->exStyle & LVS_EX_CHECKBOXES) && !(bits & LVIS_STATEIMAGEMASK))
      bits |= INDEXTOSTATEIMAGEMASK(1);
    return bits;
  }
};

inline std::u16string TextOf(LPCWSTR text) {
  if (!text || text == LPSTR_TEXTCALLBACKW) return {};
  return std::u16string(TextView(text, kTextLimit));
}

inline void SetText(Item& item, size_t subItem, std::u16string text) {
  if (item.texts.size() <= subItem) item.texts.resize(subItem + 1);
  item.texts[subItem] = std::move(text);
}

inline const std::u16string& TextAt(const Item& item, size_t subItem) {
  static const std::u16string kEmpty;
  return subItem < item.texts.size() ? item.texts[subItem] : kEmpty;
}

}  // namespace platform::ui::listview
