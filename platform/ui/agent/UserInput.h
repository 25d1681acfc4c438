#pragma once

#include <string_view>
#include <vector>

#include "platform/ui/WindowTypes.h"

// What a person does at the device, with every message and notification that the device sends for
// it. Each call answers false when the person could not do it (the control is missing, hidden,
// disabled or read-only, or the index is out of range) and then changes nothing.
namespace platform {

// Taps a button, check box or radio button.
bool UserClick(HWND control);
// Replaces the text of an edit control (or of a combo box's edit field) by typing it.
bool UserType(HWND control, std::u16string_view text);
// Draws a pen stroke through the points (client coordinates) in an ink control; false for another
// control or when the control takes no stroke (not in a pen mode, too many points).
bool UserDrawStroke(HWND ink, const std::vector<POINT>& points);
// Chooses an item of a list box, combo box, list view or tab control, or of a tree view (its items
// counted as a person reads them: each item, then its children).
bool UserChoose(HWND control, int index);
// Chooses the item of a list box or combo box whose text is `text` (case-insensitive), or the tree
// view item of exactly that text.
bool UserChooseText(HWND control, std::u16string_view text);
// Double-taps an item of a list box (the choice, then LBN_DBLCLK when it notifies) or a list view.
bool UserDoubleChoose(HWND control, int index);
// Holds the stylus on an item of a list view until the shell recognises the gesture (the item is
// selected, the parent asked for its context menu).
bool UserTapAndHold(HWND control, int index);
// Presses a key while `window` has the focus (Enter, Escape, Tab go through the dialog's handling).
bool UserPressKey(HWND window, WPARAM key);
// Chooses a command of a window's menu bar or menu.
bool UserCommand(HWND owner, UINT command);

}  // namespace platform
