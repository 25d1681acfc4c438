#pragma once

#include "platform/ui/WindowTypes.h"
#include "platform/ui/controls/InkBlob.h"

// Between the ink control and its rich-ink child: the typed part of the content.
namespace platform::ui {

// The text, format runs and links of a rich-ink window (its strokes stay empty); false when the
// window is not one.
bool GetRichInkContent(HWND richInk, InkContent* content);
// Replaces them (the strokes of `content` are not the window's); nothing is notified. False when the
// window is not one.
bool SetRichInkContent(HWND richInk, const InkContent& content);
// The window procedure of the rich-ink class.
LRESULT RichInkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::ui
