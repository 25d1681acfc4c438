#pragma once

#include <string_view>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/ui/WindowTypes.h"
#include "platform/ui/controls/InkBlob.h"

// One painter per control class, called from the class's window procedure on WM_PAINT.

namespace platform::ui::paint {

void PaintStatic(HWND window);
void PaintButton(HWND window);
void PaintEdit(HWND window);
void PaintListBox(HWND window);
void PaintComboBox(HWND window);
void PaintDatePicker(HWND window);
void PaintMonthCalendar(HWND window);
void PaintTabControl(HWND window);
// The texts come from the list view's own custom-draw pass (platform::PaintListView).
void PaintListViewWindow(HWND window);
void PaintTreeView(HWND window);
// The ink control's frame and pen strokes; its rich-ink child draws the typed text over them.
void PaintInk(HWND window, const std::vector<InkStroke>& strokes);
void PaintRichInk(HWND window);
void PaintRichView(HWND window);
// The menu bar's buttons: text, or the image of a toolbar strip.
void PaintMenuBar(HWND window);

// A message box waiting for its answer, shown in pictures of the screen while the object lives.
class ShownMessageBox {
 public:
  ShownMessageBox(std::u16string_view text, std::u16string_view caption, UINT flags);
  ~ShownMessageBox();
  ShownMessageBox(const ShownMessageBox&) = delete;
  ShownMessageBox& operator=(const ShownMessageBox&) = delete;
};
// Draws the message boxes waiting for their answers over the screen, the latest on top.
void PaintMessageBoxes(HDC dc, SIZE screen);

}  // namespace platform::ui::paint
