#pragma once

#include "platform/core/PlatformTypes.h"
#include "platform/gdi/Gdi.h"

// The virtual list's class names, styles, flags and answers in one place.
namespace calyra::lists {

inline constexpr const char16_t* kFrameClass = u"VL_LISTUI_CE_1.5";
inline constexpr const char16_t* kInnerClass = u"VL_VIRTUAL_LIST_CE_1.5";
inline constexpr UINT kClassStyle = 3;            // CS_VREDRAW | CS_HREDRAW
inline constexpr DWORD kInnerStyle = 0x50000000;  // WS_CHILD | WS_VISIBLE
inline constexpr int kInnerId = 1;
// The dialog-code answer of the inner list: the arrow keys and every other key.
inline constexpr LRESULT kDialogCode = 5;  // DLGC_WANTARROWS | DLGC_WANTALLKEYS

inline constexpr int kMaxRows = 150;
inline constexpr int kDefaultFontSize = 9;  // a font size index of 0

// Colours by index: background, text, labels and headings, the selected row's background.
inline constexpr int kBackgroundColour = 0;
inline constexpr int kTextColour = 1;
inline constexpr int kLabelColour = 2;
inline constexpr int kSelectionColour = 3;
inline constexpr COLORREF kDefaultColours[4] = {0xFFFFFF, 0xFF0000, 0x000000, 0xE0E0E0};

// Row flags.
inline constexpr DWORD kRowLabel = 1;        // a label row, skipped by the selection
inline constexpr DWORD kRowBesideLabel = 4;  // offset by the widest label
inline constexpr DWORD kRowFixedText = 64;   // drawn from the field's fixed text
inline constexpr DWORD kRowHeading = 128;    // drawn from the field's fixed text
inline constexpr DWORD kRowBold = 0x100;
inline constexpr DWORD kRowIndent = 0x400;  // 3 pixels in from the left
inline constexpr DWORD kRowEmail = 0x1000;
inline constexpr DWORD kRowWebNoLaunch = 0x2000;
inline constexpr DWORD kRowWeb = 0x4000;
inline constexpr DWORD kRowIconFirst = 0x10000;  // 0x10000 to 0x200000: one icon width each
inline constexpr int kRowIconFlags = 6;
inline constexpr DWORD kRowIcons = 0x3F0000;
inline constexpr DWORD kRowLineAbove = 0x400000;  // a heading's line position
inline constexpr DWORD kRowLineBelow = 0x800000;
inline constexpr DWORD kRowHeadingStyle = 0x4000000;
inline constexpr DWORD kRowFromRight = 0x8000000;  // the widest label taken from the right
inline constexpr DWORD kHeadingAttributes =
    kRowLineAbove | kRowLineBelow | kRowHeadingStyle | kRowBold | kRowIndent;
inline constexpr DWORD kValueAttributes =
    kRowBold | kRowIndent | kRowEmail | kRowWebNoLaunch | kRowWeb | kRowIcons | kRowFromRight;
inline constexpr DWORD kLabelRowFlags = kRowLabel | kRowBold;  // 257

// Field flags of a provider's record.
inline constexpr DWORD kFieldHeading = 1;
inline constexpr DWORD kFieldNoLabel = 2;
inline constexpr DWORD kFieldFixedText = 32;
inline constexpr DWORD kFieldLabelBeside = 0x20000;  // "label: value" on one row
// Shorter values are not shown.
inline constexpr size_t kShortestValue = 2;

// Layout measures, in pixels at 96 dpi before scaling.
inline constexpr int kSideMargin = 2;
inline constexpr int kIndent = 3;
inline constexpr int kLineMeasureWidth = 100;
inline constexpr int kMeasureHeight = 30;
inline constexpr const char16_t* kLineMeasureText = u"ABC123";
inline constexpr const char16_t* kLabelSeparator = u": ";

// Activation.
inline constexpr const char16_t* kMailArguments = u"-to \"%s\"";
inline constexpr const char16_t* kPocketPcMail = u"tmail.exe";
inline constexpr const char16_t* kOtherMail = u"pmail.exe";
inline constexpr const char16_t* kBrowser = u"iexplore.exe";

}  // namespace calyra::lists
