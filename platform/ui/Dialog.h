#pragma once

#include "platform/ui/WindowTypes.h"

// Dialogs from the templates of a resource module. Dialog units become pixels with base units of 6
// by 13 pixels at 96 dots per inch (the system font), scaled with the screen.

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc, LPARAM param);
inline HWND CreateDialogW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc) {
  return CreateDialogParamW(instance, templateName, parent, proc, 0);
}
// Runs the dialog modally: its owner is disabled, and a nested loop dispatches messages and asks the
// user agent to act until EndDialog. -1 when the dialog cannot be made; 0 when it is destroyed
// without EndDialog.
INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc, LPARAM param);
inline INT_PTR DialogBoxW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc) {
  return DialogBoxParamW(instance, templateName, parent, proc, 0);
}
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Handles Enter, Escape and Tab for `dialog` and dispatches messages of its windows; FALSE for a
// message that is not the dialog's.
BOOL IsDialogMessageW(HWND dialog, MSG* message);
BOOL MapDialogRect(HWND dialog, RECT* rect);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int chars);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);

namespace platform {

// The template number a dialog was made from (0 for other windows).
int DialogTemplateId(HWND window);
bool IsModelessDialog(HWND window);
bool IsDialog(HWND window);

}  // namespace platform
