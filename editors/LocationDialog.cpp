#include "editors/LocationDialog.h"

#include <algorithm>
#include <vector>

#include "editors/LocationHistory.h"
#include "editors/ModalDialog.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"
#include "platform/ui/ResourceModule.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "resources/ResourceIds.h"

namespace calyra {

namespace {

using namespace resources;

// What a person may type into the field; an entry of the history holds less (kLocationTextCapacity).
constexpr WPARAM kFieldCapacity = 1023;

// Blanks do not make a location: neither the space nor U+0920 counts as text.
bool HoldsText(const std::u16string& text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c != u' ' && c != u'\u0920'; });
}

class LocationDialog : public ModalDialog {
 public:
  std::optional<std::u16string> Choose(HWND owner, HINSTANCE resources) {
    Run(resources, kDialogLocation, owner);
    return chosen_;
  }

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_INITDIALOG:
        Init();
        return TRUE;
      case WM_COMMAND:
        return Command(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
      case WM_DESTROY:
        if (bold_) DeleteObject(bold_);
        bold_ = nullptr;
        return FALSE;
      default:
        return FALSE;
    }
  }

 private:
  void Init() {
    SendMessageW(Item(kLocationText), EM_LIMITTEXT, kFieldCapacity, 0);
    for (const std::u16string& entry : ReadLocationHistory()) {
      SendMessageW(Item(kLocationList), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    MakeButtonsBold();
    EnableWindow(Item(kLocationAdd), FALSE);
    EnableWindow(Item(kLocationDelete), FALSE);
  }

  void MakeButtonsBold() {
    auto font = reinterpret_cast<HFONT>(SendMessageW(Item(kLocationAdd), WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (!GetObjectW(font ? font : GetStockObject(SYSTEM_FONT), sizeof(description), &description)) return;
    description.lfWeight = FW_BOLD;
    bold_ = CreateFontIndirectW(&description);
    for (int id : {kLocationAdd, kLocationDelete}) {
      SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(bold_), FALSE);
    }
  }

  std::u16string FieldText() const {
    WCHAR text[kFieldCapacity + 1] = {};
    GetDlgItemTextW(Window(), kLocationText, text, static_cast<int>(std::size(text)));
    return text;
  }

  std::vector<std::u16string> Entries() const {
    std::vector<std::u16string> entries;
    auto count = static_cast<int>(SendMessageW(Item(kLocationList), LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) entries.push_back(EntryText(index));
    return entries;
  }

  std::u16string EntryText(int index) const {
    LRESULT length = SendMessageW(Item(kLocationList), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    SendMessageW(Item(kLocationList), LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.find(u'\0'));
    return text;
  }

  int Selection() const { return static_cast<int>(SendMessageW(Item(kLocationList), LB_GETCURSEL, 0, 0)); }

  // Selecting an entry offers Delete; the field offers Add while it holds text.
  void OfferDelete(bool deleteOffered) {
    EnableWindow(Item(kLocationDelete), deleteOffered);
    EnableWindow(Item(kLocationAdd), !deleteOffered && HoldsText(FieldText()));
  }

  void Add() {
    std::u16string text = FieldText();
    if (!HoldsText(text)) return;
    std::vector<std::u16string> entries = Entries();
    if (std::optional<size_t> place = InsertLocation(entries, text)) {
      SendMessageW(Item(kLocationList), LB_INSERTSTRING, *place, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SetDlgItemTextW(Window(), kLocationText, u"");
    SendMessageW(Item(kLocationList), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    OfferDelete(false);
  }

  void Delete() {
    int selection = Selection();
    if (selection >= 0) SendMessageW(Item(kLocationList), LB_DELETESTRING, static_cast<WPARAM>(selection), 0);
    OfferDelete(false);
  }

  void Accept() {
    std::vector<std::u16string> entries = Entries();
    if (!entries.empty()) WriteLocationHistory(entries);
    int selection = Selection();
    if (selection >= 0) chosen_ = EntryText(selection);
    EndDialog(Window(), IDOK);
  }

  bool Command(int id, WORD code) {
    switch (id) {
      case kLocationText:
        if (code == EN_SETFOCUS || code == EN_CHANGE) OfferDelete(false);
        return true;
      case kLocationList:
        if (code == LBN_SELCHANGE) OfferDelete(Selection() >= 0);
        if (code == LBN_DBLCLK) Accept();
        return true;
      case kLocationAdd:
        Add();
        return true;
      case kLocationDelete:
        Delete();
        return true;
      case IDOK:
        Accept();
        return true;
      case IDCANCEL:
        EndDialog(Window(), IDCANCEL);
        return true;
      default:
        return false;
    }
  }

  HFONT bold_ = nullptr;
  std::optional<std::u16string> chosen_;
};

}  // namespace

std::optional<std::u16string> RunLocationDialog(HWND owner, HINSTANCE resources) {
  LocationDialog dialog;
  return dialog.Choose(owner, resources);
}

}  // namespace calyra
