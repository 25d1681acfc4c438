#pragma once

#include "platform/ui/WindowTypes.h"

namespace calyra {

// The component's private messages: to the MainWindow, to its pages and to the summary window.
inline constexpr UINT kMsgOpenEditor = 2145;        // wParam: an EditorKind, lParam: EditRequest*
inline constexpr UINT kMsgCloseEditor = 2146;       // an editor asks to close
inline constexpr UINT kMsgCloseEditorNow = 2147;    // the same, with the close action already set
inline constexpr UINT kMsgSummaryClosed = 2148;     // the summary's OK or Cancel
inline constexpr UINT kMsgSummaryToEditor = 2149;   // the summary's edit command
inline constexpr UINT kMsgSummaryCommand = 2150;    // wParam: an ItemCommand
inline constexpr UINT kMsgLayoutForSip = 2151;      // wParam: the focused page window
inline constexpr UINT kMsgFocusControl = 2152;      // wParam: the control to focus, or 0
inline constexpr UINT kMsgHostSwitchAway = 2153;    // wParam: the host's target, lParam: its flag
inline constexpr UINT kMsgModalSwitchAway = 2156;   // the same, to an open modal dialog
inline constexpr UINT kMsgSummaryClosing = 2157;    // sent before the summary goes under a dialog
inline constexpr UINT kMsgSummaryOpenItem = 2158;   // wParam ItemKind, lParam ItemOid
inline constexpr UINT kMsgTaskSubjectEnter = 2160;  // Enter in a task's subject: the phrase selection

// To the note editor.
inline constexpr UINT kMsgNoteInputMode = 4375;      // wParam: the ink control's new input mode
inline constexpr UINT kMsgNoteAlarmNextHour = 4376;  // the alarm to the next full hour, then saved
inline constexpr UINT kMsgNoteInkNotice = 4377;      // passed on to the ink control

// What the host window is told.
inline constexpr UINT kNotifyEditorClosed = 6383;
inline constexpr UINT kNotifyOptionsAccepted = 6384;
inline constexpr UINT kNotifyOpenItem = 6385;
inline constexpr UINT kNotifyCategoryImages = 6386;
inline constexpr UINT kNotifyItemSaved = 6387;
inline constexpr WPARAM kItemSavedWithResult = 512;

}  // namespace calyra
