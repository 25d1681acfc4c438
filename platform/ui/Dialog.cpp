#include "platform/ui/Dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/LastError.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/SystemClasses.h"
#include "platform/ui/UserAgent.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/controls/Controls.h"

using platform::ui::DialogState;
using platform::ui::WindowManager;

namespace {

DialogState* StateOf(HWND window) {
  auto object = WindowManager::Current().Find(window);
  return object ? object->dialog.get() : nullptr;
}

// Dialog base units at the screen's resolution.
POINT BaseUnits() {
  return POINT{(6 * platform::ScreenDpiX() + 48) / 96, (13 * platform::ScreenDpiY() + 48) / 96};
}

RECT ToPixels(const RECT& units, POINT base) {
  LONG x = units.left * base.x / 4;
  LONG y = units.top * base.y / 8;
  return RECT{x, y, x + units.right * base.x / 4, y + units.bottom * base.y / 8};
}

bool ReturnsDirectly(UINT message) {
  return message == WM_INITDIALOG || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORDLG ||
         message == WM_GETDLGCODE;
}

HWND CreateFromTemplate(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc, LPARAM param,
                        bool modal) {
  auto module = platform::ResourceModuleOf(instance);
  int id = IS_INTRESOURCE(templateName) ? static_cast<int>(reinterpret_cast<uintptr_t>(templateName)) : -1;
  const platform::DialogTemplate* dialogTemplate = module ? module->Dialog(id) : nullptr;
  if (!dialogTemplate) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  platform::ui::RegisterSystemClasses();
  // The screen's resolution is a device setting: read it once for the whole template.
  POINT base = BaseUnits();
  RECT frame = ToPixels(dialogTemplate->rect, base);
  DWORD style = dialogTemplate->style & ~WS_VISIBLE;
  HWND dialog = CreateWindowExW(dialogTemplate->exStyle, WC_DIALOG, dialogTemplate->caption.c_str(), style,
                                frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                parent, nullptr, instance, nullptr);
  if (!dialog) return nullptr;
  auto object = WindowManager::Current().Find(dialog);
  object->dialog = std::make_unique<DialogState>();
  object->dialog->templateId = id;
  object->dialog->proc = proc;
  object->dialog->modal = modal;
  SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  for (const auto& item : dialogTemplate->items) {
    RECT rect = ToPixels(item.rect, base);
    HWND control =
        CreateWindowExW(item.exStyle, item.className.c_str(), item.text.c_str(), item.style | WS_CHILD,
                        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<intptr_t>(item.id)), instance, nullptr);
    if (!control) {
      DestroyWindow(dialog);
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
  }
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && first &&
      IsWindow(first)) {
    SetFocus(first);
  }
  if (IsWindow(dialog) && (dialogTemplate->style & WS_VISIBLE)) ShowWindow(dialog, SW_SHOW);
  return IsWindow(dialog) ? dialog : nullptr;
}

// Dispatches what is queued until the dialog ends, is destroyed, or the queue is empty. False when
// WM_QUIT came (it is posted again for the outer loop).
bool DispatchQueued(HWND dialog) {
  MSG message;
  while (StateOf(dialog) && !StateOf(dialog)->ended && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (!IsDialogMessageW(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return true;
}

INT_PTR RunModal(HWND dialog, HWND owner) {
  bool ownerEnabled = owner && IsWindowEnabled(owner);
  if (ownerEnabled) EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  int refusals = 0;
  while (StateOf(dialog) && !StateOf(dialog)->ended) {
    if (!DispatchQueued(dialog)) break;
    if (!StateOf(dialog) || StateOf(dialog)->ended) break;
    if (platform::CurrentUserAgent().ActOnDialog(dialog)) {
      refusals = 0;
      continue;
    }
    // The person does nothing more: the dialog is cancelled, and ended if it will not close.
    if (refusals++ == 0) {
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else {
      EndDialog(dialog, IDCANCEL);
    }
  }
  DialogState* state = StateOf(dialog);
  INT_PTR result = state && state->ended ? state->result : 0;
  if (ownerEnabled && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
  return result;
}

LRESULT DefaultDialogHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      return 0;
    case DM_GETDEFID:
      for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
            platform::ui::IsClass(child, WC_BUTTON)) {
          return MAKELRESULT(static_cast<WORD>(GetDlgCtrlID(child)), DC_HASDEFID);
        }
      }
      return MAKELRESULT(IDOK, DC_HASDEFID);
    default:
      return DefWindowProcW(dialog, message, wParam, lParam);
  }
}

}  // namespace

namespace platform {

int DialogTemplateId(HWND window) {
  DialogState* state = StateOf(window);
  return state ? state->templateId : 0;
}

bool IsModelessDialog(HWND window) {
  DialogState* state = StateOf(window);
  return state && !state->modal;
}

bool IsDialog(HWND window) {
  return StateOf(window) != nullptr;
}

}  // namespace platform

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
  return CreateFromTemplate(instance, templateName, parent, proc, param, false);
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc, LPARAM param) {
  if (parent && !IsWindow(parent)) return -1;
  HWND owner = parent;
  while (owner && (GetWindowLongW(owner, GWL_STYLE) & WS_CHILD)) owner = GetParent(owner);
  HWND dialog = CreateFromTemplate(instance, templateName, owner, proc, param, true);
  if (!dialog) {
    // A dialog that ended in WM_INITDIALOG is gone already; its result stands.
    return -1;
  }
  return RunModal(dialog, owner);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  DialogState* state = StateOf(dialog);
  if (!state) return FALSE;
  state->ended = true;
  state->result = result;
  ShowWindow(dialog, SW_HIDE);
  return TRUE;
}

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
  if (proc) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
    INT_PTR handled = proc(dialog, message, wParam, lParam);
    if (handled) return ReturnsDirectly(message) ? handled : GetWindowLongPtrW(dialog, DWLP_MSGRESULT);
    if (message == WM_INITDIALOG) return FALSE;
  }
  if (!IsWindow(dialog)) return 0;
  return DefaultDialogHandling(dialog, message, wParam, lParam);
}

BOOL IsDialogMessageW(HWND dialog, MSG* message) {
  if (!message || !IsWindow(dialog)) return FALSE;
  if (message->hwnd != dialog && !IsChild(dialog, message->hwnd)) return FALSE;
  if (message->message == WM_KEYDOWN) {
    LRESULT wants = message->hwnd ? SendMessageW(message->hwnd, WM_GETDLGCODE, message->wParam, 0) : 0;
    if (!(wants & DLGC_WANTALLKEYS)) {
      switch (message->wParam) {
        case VK_ESCAPE:
          SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
          return TRUE;
        case VK_RETURN: {
          WORD id = LOWORD(static_cast<uintptr_t>(SendMessageW(dialog, DM_GETDEFID, 0, 0)));
          SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
          return TRUE;
        }
        case VK_TAB:
          if (!(wants & DLGC_WANTTAB)) {
            SetFocus(GetNextDlgTabItem(dialog, GetFocus(), FALSE));
            return TRUE;
          }
          break;
        default:
          break;
      }
    }
  }
  TranslateMessage(message);
  DispatchMessageW(message);
  return TRUE;
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
  if (!IsWindow(dialog) || !rect) return FALSE;
  POINT base = BaseUnits();
  *rect = RECT{rect->left * base.x / 4, rect->top * base.y / 8, rect->right * base.x / 4,
               rect->bottom * base.y / 8};
  return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> stops;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) stops.push_back(child);
  }
  if (stops.empty()) return nullptr;
  auto at = std::find(stops.begin(), stops.end(), control);
  if (at == stops.end()) return previous ? stops.back() : stops.front();
  size_t index = static_cast<size_t>(at - stops.begin());
  return stops[previous ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size()];
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  return SetWindowTextW(GetDlgItem(dialog, id), text);
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int chars) {
  return static_cast<UINT>(GetWindowTextW(GetDlgItem(dialog, id), text, chars));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  std::string digits = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
  std::u16string text(digits.begin(), digits.end());
  return SetDlgItemTextW(dialog, id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  WCHAR text[32] = {};
  GetDlgItemTextW(dialog, id, text, 32);
  std::u16string_view digits(text);
  bool negative = isSigned && !digits.empty() && digits.front() == u'-';
  if (negative) digits.remove_prefix(1);
  int64_t value = 0;
  bool ok = !digits.empty() && digits.size() <= 10;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') ok = false;
    value = value * 10 + (c - u'0');
  }
  ok = ok && value <= (isSigned ? 0x7FFFFFFFLL + (negative ? 1 : 0) : 0xFFFFFFFFLL);
  if (translated) *translated = ok ? TRUE : FALSE;
  if (!ok) return 0;
  return static_cast<UINT>(negative ? -value : value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return FALSE;
  SendMessageW(button, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  for (int id = first; id <= last; ++id) {
    if (HWND button = GetDlgItem(dialog, id))
      SendMessageW(button, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SendMessageW(control, message, wParam, lParam) : 0;
}
