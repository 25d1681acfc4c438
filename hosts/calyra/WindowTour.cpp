#include "hosts/calyra/WindowTour.h"

#include <memory>
#include <string>

#include "platform/text/Text.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowDump.h"
#include "platform/ui/agent/ScriptedUserAgent.h"
#include "platform/ui/agent/UserInput.h"
#include "platform/ui/controls/Controls.h"

namespace calyra::host {

namespace {

constexpr int kDialog = 500;
constexpr int kSubject = 1001;
constexpr int kPrivate = 1002;
constexpr int kPriority = 1003;

std::shared_ptr<platform::ResourceModule> TourModule() {
  auto module = std::make_shared<platform::ResourceModule>();
  auto item = [](const char16_t* className, int id, const char16_t* text, DWORD style, RECT rect) {
    return platform::DialogItemTemplate{className, id, text, style | WS_VISIBLE | WS_TABSTOP, 0, rect};
  };
  platform::DialogTemplate dialog;
  dialog.caption = u"New task";
  dialog.rect = RECT{0, 0, 160, 90};
  dialog.items = {item(WC_EDIT, kSubject, u"", ES_AUTOHSCROLL, RECT{4, 4, 150, 12}),
                  item(WC_BUTTON, kPrivate, u"Private", BS_AUTOCHECKBOX, RECT{4, 20, 80, 10}),
                  item(WC_COMBOBOX, kPriority, u"", CBS_DROPDOWNLIST, RECT{4, 34, 80, 40}),
                  item(WC_BUTTON, IDOK, u"OK", BS_DEFPUSHBUTTON, RECT{4, 70, 40, 14}),
                  item(WC_BUTTON, IDCANCEL, u"Cancel", BS_PUSHBUTTON, RECT{50, 70, 40, 14})};
  module->AddDialog(kDialog, dialog);
  return module;
}

INT_PTR TourProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    for (const char16_t* level : {u"High", u"Normal", u"Low"}) {
      SendDlgItemMessageW(dialog, kPriority, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(level));
    }
    SendDlgItemMessageW(dialog, kPriority, CB_SETCURSEL, 1, 0);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int RunWindowTour(std::FILE* out) {
  HINSTANCE module = platform::RegisterResourceModule(TourModule());
  platform::ScriptedUserAgent person;
  person.OnFailure(
      [out](const std::string& failure) { std::fprintf(out, "  the person: %s\n", failure.c_str()); });
  auto step = [out](const char* what, auto act) {
    return [out, what, act](HWND dialog) {
      std::fprintf(out, "  the person: %s\n", what);
      return act(dialog);
    };
  };
  person.ExpectDialog(kDialog)
      .Do("type", step("types \"Dentist\" into the subject",
                       [](HWND d) { return platform::UserType(GetDlgItem(d, kSubject), u"Dentist"); }))
      .Do("check", step("ticks Private", [](HWND d) { return platform::UserClick(GetDlgItem(d, kPrivate)); }))
      .Do("choose",
          step("chooses High", [](HWND d) { return platform::UserChoose(GetDlgItem(d, kPriority), 0); }))
      .Do("dump",
          [out](HWND d) {
            std::fprintf(out, "%s", platform::DumpWindowTree(d).c_str());
            return true;
          })
      .Do("ok", step("presses OK", [](HWND d) { return platform::UserClick(GetDlgItem(d, IDOK)); }));
  platform::SetUserAgent(&person);
  std::fprintf(out, "dialog %d opens modally\n", kDialog);
  INT_PTR result = DialogBoxParamW(module, MAKEINTRESOURCEW(kDialog), nullptr, TourProc, 0);
  platform::SetUserAgent(nullptr);
  std::fprintf(out, "dialog ended with %s\n", result == IDOK ? "OK" : "something else");
  FreeLibrary(module);
  return person.Finish() && result == IDOK ? 0 : 1;
}

}  // namespace calyra::host
