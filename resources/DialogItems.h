#pragma once

#include <cstddef>
#include <cstdint>

#include "CalyraEditorResources.h"
#include "platform/ui/WindowTypes.h"
#include "platform/ui/controls/CommonControls.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"

// Building blocks of the dialog templates: one function per kind of control, so that a template reads
// as a list of controls with their places (dialog units: 4 per base-unit width, 8 per base-unit
// height; a 240 x 320 screen is 160 units wide, and a page above the tab strip about 150 high).
namespace calyra::resources::dialog {

using Item = CalyraResourceDialogItem;

// Dialog styles of the platform's resource compiler, which the window system keeps but does not act on.
inline constexpr uint32_t kDsSetFont = 0x40;
inline constexpr uint32_t kDsModalFrame = 0x80;
inline constexpr uint32_t kDsControl = 0x400;
inline constexpr uint32_t kDsCenter = 0x800;
inline constexpr uint32_t kCbsAutoHScroll = 0x40;

// A page is a child of the editor window, hidden until its tab is chosen.
inline constexpr uint32_t kPageStyle = WS_CHILD | WS_CLIPSIBLINGS | kDsControl | kDsSetFont;
inline constexpr uint32_t kPageExStyle = WS_EX_CONTROLPARENT;
// A modal dialog: the code makes it full screen or leaves it where the template puts it.
inline constexpr uint32_t kModalStyle = WS_POPUP | WS_CAPTION | kDsModalFrame | kDsSetFont;

inline constexpr int16_t kPageWidth = 160;
inline constexpr int16_t kPageHeight = 150;
// The frame gives a page only the 134 units above the tab strip (with the input panel down); a control
// placed lower is out of sight unless the page scrolls.
// A full-screen modal dialog between the task bar and the menu bar.
inline constexpr int16_t kScreenHeight = 165;
inline constexpr int16_t kRowHeight = 12;

inline constexpr uint32_t kVisible = WS_CHILD | WS_VISIBLE;

constexpr Item Label(const char16_t* text, int16_t x, int16_t y, int16_t cx, int16_t cy = 8,
                     int32_t id = kNoId, uint32_t style = SS_LEFT) {
  return {WC_STATIC, id, text, kVisible | style, 0, x, y, cx, cy};
}

constexpr Item Edit(int32_t id, int16_t x, int16_t y, int16_t cx, int16_t cy = kRowHeight,
                    uint32_t style = ES_AUTOHSCROLL) {
  return {WC_EDIT, id, u"", kVisible | WS_BORDER | WS_TABSTOP | style, 0, x, y, cx, cy};
}

constexpr Item MultiLineEdit(int32_t id, int16_t x, int16_t y, int16_t cx, int16_t cy) {
  return Edit(id, x, y, cx, cy, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL);
}

constexpr Item Button(int32_t id, const char16_t* text, int16_t x, int16_t y, int16_t cx,
                      int16_t cy = kRowHeight, uint32_t style = BS_PUSHBUTTON) {
  return {WC_BUTTON, id, text, kVisible | WS_TABSTOP | style, 0, x, y, cx, cy};
}

constexpr Item Check(int32_t id, const char16_t* text, int16_t x, int16_t y, int16_t cx) {
  return Button(id, text, x, y, cx, kRowHeight, BS_AUTOCHECKBOX);
}

// The first button of a group of exclusive choices starts the group.
constexpr Item Radio(int32_t id, const char16_t* text, int16_t x, int16_t y, int16_t cx, bool first) {
  return Button(id, text, x, y, cx, kRowHeight, BS_AUTORADIOBUTTON | (first ? WS_GROUP : 0u));
}

// Combo boxes: the height includes the dropped-down list.
constexpr Item DropList(int32_t id, int16_t x, int16_t y, int16_t cx, int16_t cy = 80) {
  return {WC_COMBOBOX, id, u"", kVisible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, x, y, cx, cy};
}

constexpr Item DropDown(int32_t id, int16_t x, int16_t y, int16_t cx, int16_t cy = 80) {
  return {WC_COMBOBOX, id, u"", kVisible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | kCbsAutoHScroll, 0, x,
          y,           cx, cy};
}

constexpr Item DatePicker(int32_t id, int16_t x, int16_t y, int16_t cx,
                          uint32_t style = DTS_SHORTDATEFORMAT) {
  return {DATETIMEPICK_CLASSW, id, u"", kVisible | WS_TABSTOP | style, 0, x, y, cx, kRowHeight};
}

constexpr Item TimePicker(int32_t id, int16_t x, int16_t y, int16_t cx) {
  return DatePicker(id, x, y, cx, DTS_TIMEFORMAT | DTS_UPDOWN);
}

// Check boxes, columns and images of a list view are set by the code that fills it.
constexpr Item ListView(int32_t id, int16_t x, int16_t y, int16_t cx, int16_t cy,
                        uint32_t style = LVS_REPORT | LVS_NOCOLUMNHEADER) {
  return {WC_LISTVIEWW,
          id,
          u"",
          kVisible | WS_BORDER | WS_TABSTOP | LVS_SINGLESEL | LVS_SHOWSELALWAYS | style,
          0,
          x,
          y,
          cx,
          cy};
}

constexpr Item ListBox(int32_t id, int16_t x, int16_t y, int16_t cx, int16_t cy) {
  return {WC_LISTBOX, id, u"", kVisible | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, 0, x, y, cx, cy};
}

// The platform's ink control, named as the note code finds it.
constexpr Item Ink(int32_t id, int16_t x, int16_t y, int16_t cx, int16_t cy) {
  return {WC_INKX, id, u"CY.NoteEditor", 0x50810480u, 0, x, y, cx, cy};
}

constexpr Item Hidden(Item item) {
  item.style &= ~WS_VISIBLE;
  return item;
}

// OK and Cancel side by side at the bottom right of a dialog.
constexpr Item OkButton(int16_t y) {
  return Button(IDOK, u"OK", 54, y, 50, kRowHeight, BS_DEFPUSHBUTTON);
}
constexpr Item CancelButton(int16_t y) {
  return Button(IDCANCEL, u"Cancel", 106, y, 52);
}

template <size_t N>
constexpr CalyraResourceDialog Page(int32_t id, const Item (&items)[N], uint32_t style = 0) {
  return {id, u"",        kPageStyle | style, kPageExStyle, 0,
          0,  kPageWidth, kPageHeight,        items,        static_cast<uint32_t>(N)};
}

template <size_t N>
constexpr CalyraResourceDialog Modal(int32_t id, const char16_t* caption, int16_t y, int16_t cy,
                                     const Item (&items)[N]) {
  return {id, caption, kModalStyle, 0, 0, y, kPageWidth, cy, items, static_cast<uint32_t>(N)};
}

}  // namespace calyra::resources::dialog
