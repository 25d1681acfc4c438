#pragma once

#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/WindowTypes.h"
#include "store/ItemKind.h"

namespace calyra {

// The small modeless window (dialog 601) that shows one item's links while the user keeps working in
// the host: the host drops appointments, tasks and contacts on it to link them with the item; a row
// opens its link when tapped, and its tap-and-hold menu deletes or opens it. The window is dragged by
// its top edge. At most one exists per process; the `Component` holds it.
class FloatingLinkWindow {
 public:
  // The item's title is kept to this many characters.
  static constexpr size_t kTitleChars = 64;

  FloatingLinkWindow() = default;
  // The window goes with the process's window system; nothing is destroyed here.
  ~FloatingLinkWindow() = default;
  FloatingLinkWindow(const FloatingLinkWindow&) = delete;
  FloatingLinkWindow& operator=(const FloatingLinkWindow&) = delete;

  // Shows the window for `item` over `owner`; false when one is open already or it cannot be made.
  bool Open(HWND owner, ItemOid item);
  // Destroys the window if there is one; every field is cleared so that another can be opened.
  void Close();
  bool IsOpen() const { return open_; }
  // Links the window's item with `dropped` both ways and shows the list again. False for a zero item,
  // no window item or a kind other than appointment, contact or task; true even when the write failed.
  bool DropItem(ItemOid dropped, ItemKind kind);
  // Whether the screen point lies in the window's rectangle; false when there is no window.
  bool ContainsPoint(int x, int y) const;

  HWND Window() const { return window_; }
  ItemOid Item() const { return item_; }
  const std::u16string& Title() const { return title_; }

 private:
  static INT_PTR DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void MakeImageList();
  void MakeColumn();
  void Place();
  void Refill();
  void ShrinkOnce();
  void OnCommand(int id);
  void OnNotify(const NMHDR& header, LPARAM lParam);
  void ShowRowMenu(int row, POINT at);
  void OpenRow(int row);
  void DeleteRow(int row);
  void Press(POINT at);
  void Release(POINT at);
  INT_PTR ControlColour(HWND control, HDC dc);
  void DrawKind(const DRAWITEMSTRUCT& draw);
  void Clear();

  bool open_ = false;
  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  ItemOid item_ = 0;
  std::u16string title_;
  ItemKind kind_ = ItemKind::None;
  HWND list_ = nullptr;
  HIMAGELIST images_ = nullptr;
  HBRUSH textBrush_ = nullptr;        // behind the title and the texts
  HBRUSH backgroundBrush_ = nullptr;  // the window's own background
  bool shrunk_ = false;
  bool pressed_ = false;
  POINT pressPoint_{};
};

}  // namespace calyra
